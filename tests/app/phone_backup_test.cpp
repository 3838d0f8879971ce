// "Резервная копия телефона..." and "Восстановить из копии..." in the window: the folder
// dialogs, the busy state, and a seeded phone restored into an empty one.

#include "app/phone_backup.h"

#include <QDir>
#include <QFileDialog>
#include <QProgressDialog>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <map>

#include "app/main_window.h"
#include "phonebook/phonebook_tab.h"
#include "tests/support/window_test.h"

namespace orlin {
namespace {

class PhoneBackupWindow : public test::WindowTest {
protected:
    // With their skipped occurrences, which a backup keeps.
    std::map<int, phonesim::DatebookEvent> Events() { return phone().state().contents.events; }
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
    // The folder the backup went into: the newest backup in it is offered.
    QTimer::singleShot(
        0, &w, [&] { test::acceptFileDialog(w.phoneBackup->restoreFolderDialog, workDir()); });
    w.mnuPhoneRestore->trigger();
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxTexts()[0], QStringLiteral("В папке %1 нет резервной копии, но в ней есть папки с "
                                            "копиями. Восстановить самую новую, %2?")
                                 .arg(QDir::toNativeSeparators(workDir()), made[0]));
    const QString done = boxTexts()[1];
    EXPECT_TRUE(
        done.startsWith(QStringLiteral("Резервная копия восстановлена.\r\nСправочник: в "
                                       "копии 42 записи; записано 42 (ячейки 1-6, ")))
        << done.toStdString();
    EXPECT_TRUE(done.contains(QStringLiteral("Ежедневник: в копии 12 событий; записано 12")))
        << done.toStdString();
    EXPECT_TRUE(
        done.endsWith(QStringLiteral("Сообщения в телефон не записываются: принятыми их "
                                     "записать нельзя. Они остаются в messages.csv и "
                                     "копии архива.")));
    EXPECT_EQ(phone().phonebook(), book);
    EXPECT_EQ(Events(), events);
    EXPECT_FALSE(w.phoneBackup->progress->isVisible());

    // A folder without any backup is named, with the file looked for.
    clearBoxes();
    const QString nothing = filePath(QStringLiteral("nothing"));
    QDir().mkpath(nothing);
    QTimer::singleShot(
        0, &w, [&] { test::acceptFileDialog(w.phoneBackup->restoreFolderDialog, nothing); });
    w.mnuPhoneRestore->trigger();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxTexts()[0], QStringLiteral("В папке %1 нет резервной копии: не найден файл %2.")
                                 .arg(QDir::toNativeSeparators(nothing),
                                      QDir::toNativeSeparators(nothing + "/phonebook.txt")));
}

// Stop while the datebook is read (at 30 ms a command) is taken at the next command, and the
// dialog says "Останавливаю…" until then.
TEST_F(PhoneBackupWindow, StopTakesEffectWithinOneCommand) {
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
    options.latencyMs = 30;
    startPhone(options);
    TfrmMain& w = createWindow();
    clearBoxes();
    size_t atStop = 0;
    QString shownAfterStop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &w, [&] {
        QProgressDialog* dialog = w.phoneBackup->progress;
        if (atStop == 0 && dialog && dialog->isVisible() &&
            dialog->labelText() == QStringLiteral("Ежедневник") && dialog->value() > 3) {
            atStop = phone()->commandLog().size();
            emit dialog->canceled();  // as the Stop button does
            shownAfterStop = dialog->isVisible() ? dialog->labelText() : QString();
        }
    });
    poll.start(20);
    QTimer::singleShot(
        0, &w, [&] { test::acceptFileDialog(w.phoneBackup->backupFolderDialog, workDir()); });
    w.mnuPhoneBackup->trigger();
    poll.stop();
    ASSERT_GT(atStop, 0u);
    EXPECT_EQ(shownAfterStop, QStringLiteral("Останавливаю…"));
    // The command in flight, and the unlock after it.
    EXPECT_LE(phone()->commandLog().size(), atStop + 2);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxTexts()[0].contains(QStringLiteral("Остановлено.")))
        << boxTexts()[0].toStdString();
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
