// "Резервная копия телефона..." and "Восстановить из копии..." in the window: the folder
// dialogs, the busy state, and a seeded phone restored into an empty one.

#include "app/phone_backup.h"

#include <QDir>
#include <QFileDialog>
#include <QProgressDialog>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "app/main_window.h"
#include "phonebook/phonebook_tab.h"
#include "tests/support/window_test.h"

namespace orlin {
namespace {

class PhoneBackupWindow : public test::WindowTest {
protected:
    std::vector<phonesim::DatebookEvent> Events() {
        std::vector<phonesim::DatebookEvent> events;
        // Skipped occurrences of repeating events are not exported: single-slot reads do not
        // report them.
        for (auto [slot, event] : phone().state().contents.events) {
            event.exceptions.clear();
            events.push_back(event);
        }
        return events;
    }
};

TEST_F(PhoneBackupWindow, ASeededPhoneRestoresIntoAnEmptyOne) {
    startPhone();
    TfrmMain& w = createWindow();
    clearBoxes();
    bool busy = false;
    QTimer::singleShot(0, &w, [&] {
        busy = !w.mnuPhoneRestore->isEnabled();
        EXPECT_FALSE(w.tsPhoneBook->sbReadAll->isEnabled());
        test::acceptFileDialog(w.phoneBackup->backupFolderDialog, workDir());
    });
    w.mnuPhoneBackup->trigger();
    EXPECT_TRUE(busy);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxTexts()[0].startsWith(QStringLiteral("Резервная копия записана в папку")))
        << boxTexts()[0].toStdString();
    const QStringList made =
        QDir(workDir()).entryList({QStringLiteral("orlin-backup-*")}, QDir::Dirs);
    ASSERT_EQ(made.size(), 1);
    const QDir copy(QDir(workDir()).filePath(made[0]));
    EXPECT_EQ(copy.entryList(QDir::Files).size(), 6) << copy.entryList().join(' ').toStdString();
    EXPECT_TRUE(w.mnuPhoneRestore->isEnabled());

    const auto book = phone().phonebook();
    const auto events = Events();
    startPhone(test::PhoneOptions("C350", false));
    clearBoxes();
    QTimer::singleShot(
        0, &w, [&] { test::acceptFileDialog(w.phoneBackup->restoreFolderDialog, copy.path()); });
    w.mnuPhoneRestore->trigger();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxTexts()[0].startsWith(QStringLiteral("Сообщения в телефон не записываются")))
        << boxTexts()[0].toStdString();
    EXPECT_EQ(phone().phonebook(), book);
    EXPECT_EQ(Events(), events);
    EXPECT_FALSE(w.phoneBackup->progress->isVisible());
}

TEST_F(PhoneBackupWindow, StopLeavesAFolderThatSaysWhatIsMissing) {
    startPhone();
    TfrmMain& w = createWindow();
    clearBoxes();
    QTimer::singleShot(0, &w, [&] {
        test::acceptFileDialog(w.phoneBackup->backupFolderDialog, workDir());
        QTimer::singleShot(0, &w, [&] { w.phoneBackup->progress->cancel(); });
    });
    w.mnuPhoneBackup->trigger();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxTexts()[0].contains(QStringLiteral("MISSING.txt")));
    const QStringList made =
        QDir(workDir()).entryList({QStringLiteral("orlin-backup-*")}, QDir::Dirs);
    ASSERT_EQ(made.size(), 1);
    const QByteArray missing =
        test::readFile(QDir(QDir(workDir()).filePath(made[0])).filePath("MISSING.txt"));
    EXPECT_TRUE(missing.contains("Missing:\r\n  phone.txt\r\n  phonebook.txt\r\n"))
        << missing.toStdString();
    EXPECT_TRUE(w.mnuPhoneBackup->isEnabled());
}

}  // namespace
}  // namespace orlin
