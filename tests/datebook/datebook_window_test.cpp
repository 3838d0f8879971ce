// The datebook tab in the real main window, offscreen, against the simulated phone: what
// the window itself adds to the tab, the iCalendar items of its main menu and its closing
// during a read. Everything else of the tab is tested on its own (datebook_tab_test.cpp).

#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "datebook/datebook_tab.h"
#include "link/phone_session.h"
#include "tests/datebook/datebook_tab_fixture.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class DatebookWindow : public WindowTest {
protected:
    void start() {
        phonesim::PhoneSimOptions options = PhoneOptions("C350", true);
        options.datebookLastSlot = 20;
        startPhone(options);
        createWindow();
        clickTab(TfrmMain::DateBookPage);
    }
    DateBookTab* tab() { return window_->tsDateBook; }
    void whenShown(std::function<QWidget*()> find, std::function<void()> act) {
        WhenShown(window_.get(), std::move(find), std::move(act));
    }
};

TEST_F(DatebookWindow, ExportAndImportThroughTheMainMenu) {
    start();
    const QString path = filePath("datebook.ics");
    const auto answer = [this](const char* name, QString file) {
        whenShown([this, name] { return tab()->findChild<QFileDialog*>(name); },
                  [this, name, file] {
                      auto* d = tab()->findChild<QFileDialog*>(name);
                      acceptFileDialog(d, file);
                  });
    };
    answer("dlgExportICalendar", path);
    window_->mnuExportICalendar->trigger();  // the list is empty: read first
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_TRUE(readFile(path).startsWith("BEGIN:VCALENDAR\r\n"));
    EXPECT_EQ(readFile(path).count("BEGIN:VEVENT"), 12);

    // The same twelve events again: the phone holds each, so none is written twice.
    answer("dlgImportICalendar", path);
    window_->mnuImportICalendar->trigger();
    EXPECT_EQ(tab()->lvEvent->topLevelItemCount(), 12);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes().front().kind, MessageBoxes::Kind::Warning);
    EXPECT_TRUE(boxTexts().front().endsWith(
        QStringLiteral("Уже есть в телефоне (тот же заголовок, время и дата), не записано: 12")))
        << boxTexts().front().toStdString();

    // Twelve other events into the nine free slots of 0..20: three are named in the warning.
    // (Under another program's UIDs: our own edited events would go back into their slots.)
    QByteArray moved = readFile(path);
    moved.replace("DTSTART:202", "DTSTART:203");
    moved.replace("UID:orlin-", "UID:other-");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(moved);
    file.close();
    clearBoxes();
    answer("dlgImportICalendar", path);
    window_->mnuImportICalendar->trigger();
    EXPECT_EQ(tab()->lvEvent->topLevelItemCount(), 21);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes().front().kind, MessageBoxes::Kind::Warning);
    EXPECT_EQ(boxTexts().front().count(QStringLiteral("нет свободной ячейки: не записано")), 3);
}

// Closing the window while the datebook is read ends the read at once, unlocks the datebook
// and frees the port before the window goes; a menu command of a tab shows that tab.
TEST_F(DatebookWindow, ClosingTheWindowDuringAReadFreesThePortFirst) {
    phonesim::PhoneSimOptions options = PhoneOptions("C350");
    options.datebookLastSlot = 200;
    options.latencyMs = 20;
    startPhone(options);
    createWindow();
    ASSERT_EQ(window_->PageControl1->currentIndex(), TfrmMain::PhoneBookPage);
    bool shown = false;
    QTimer::singleShot(300, window_.get(), [this, &shown] {
        shown = window_->PageControl1->currentIndex() == TfrmMain::DateBookPage;
        window_->close();
    });
    QElapsedTimer clock;
    clock.start();
    window_->N14->trigger();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(shown);
    EXPECT_LT(tab()->lvEvent->topLevelItemCount(), 21);
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    const auto sent = phone().since();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), "AT+MDBL=0");
    QTest::qWait(50);
    EXPECT_FALSE(window_->isVisible());
    // The port opens again at once.
    PhoneSession session(phone().settings);
    EXPECT_NE(session.AtCommand("AT").find("OK"), std::string::npos);
}

}  // namespace
}  // namespace orlin::test
