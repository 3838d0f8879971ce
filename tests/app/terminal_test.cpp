// The terminal tab against the simulated phone: answers, ERROR answers, unsolicited lines,
// failures through the error box, the description of a picked command. The tab on its own over
// a window of the test's own; in the main window, the port settings read again before a send.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "status/terminal_tab.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

void Send(TerminalTab* t, const QString& command) {
    t->cbCommand->setEditText(command);
    QTest::mouseClick(t->btnSendCommand, Qt::LeftButton);
}

// The tab alone, with its prepared commands filled in as the window's start-up does.
class TerminalTest : public TabTest {
protected:
    void TearDown() override {
        tab_.reset();
        TabTest::TearDown();
    }
    void createTab() {
        tab_ = std::make_unique<TerminalTab>(host);
        tab_->FillCommands();
        showTab(tab_.get());
    }
    TerminalTab* tab() const { return tab_.get(); }
    void send(const QString& command) { Send(tab(), command); }
    QString memo() const { return tab()->mmTerminal->toPlainText(); }

private:
    std::unique_ptr<TerminalTab> tab_;
};

class TerminalWindowTest : public WindowTest {
protected:
    void send(const QString& command) { Send(window_->tsTerminal, command); }
    QString memo() const { return window_->tsTerminal->mmTerminal->toPlainText(); }
};

TEST_F(TerminalTest, AnswersAppendAndClearEmptiesTheMemo) {
    startPhone();
    createTab();
    send("AT+CGMI");
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    // The answer begins with its own empty line; the command itself is not written.
    EXPECT_TRUE(memo().startsWith("\n+CGMI: ")) << memo().toStdString();
    EXPECT_TRUE(memo().contains("\nOK\n"));
    EXPECT_FALSE(memo().contains("AT+CGMI"));

    send("AT+CSQ");
    EXPECT_TRUE(memo().contains("+CGMI: "));
    EXPECT_TRUE(memo().contains("+CSQ: 15,"));
    EXPECT_LT(memo().indexOf("+CGMI"), memo().indexOf("+CSQ"));

    QTest::mouseClick(tab()->sbClear, Qt::LeftButton);
    EXPECT_TRUE(memo().isEmpty());
}

TEST_F(TerminalTest, AnErrorAnswerIsAnAnswerNotAFailure) {
    startPhone();
    createTab();
    send("AT+NOSUCHCOMMAND");
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_TRUE(memo().contains("ERROR")) << memo().toStdString();
}

// Typed with real keys into the focused box, a command that begins a prepared one is sent as
// typed: no prepared command is completed into the box.
TEST_F(TerminalTest, ATypedBeginningOfAPreparedCommandIsNotCompleted) {
    startPhone();
    createTab();
    TerminalTab* t = tab();
    t->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([t] { return t->isActiveWindow(); }));
    for (const char* typed : {"ATI", "AT+CSCS", "AT+MODE=1", "at+cgm"}) {
        SCOPED_TRACE(typed);
        t->cbCommand->setFocus();
        ASSERT_TRUE(t->cbCommand->lineEdit()->hasFocus());
        t->cbCommand->lineEdit()->selectAll();
        QTest::keyClicks(t->cbCommand->lineEdit(), QString::fromLatin1(typed));
        EXPECT_EQ(t->cbCommand->currentText(), QString::fromLatin1(typed));
        QTest::mouseClick(t->btnSendCommand, Qt::LeftButton);
        const auto log = phone()->commandLog();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back(), typed);
    }
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

TEST_F(TerminalTest, UnsolicitedLinesFollowTheAnswerMarked) {
    startPhone();
    orlin::phonesim::FaultOptions faults;
    faults.unsolicitedInsideOn = "AT+CGMR";
    phone()->setFaults(faults);
    createTab();
    send("AT+CGMR");
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    const QString text = memo();
    const int answerEnd = text.indexOf("\nOK\n");
    const int marked = text.indexOf(TerminalTab::UnsolicitedMark() + "+CMTI: \"IM\",5");
    ASSERT_GE(answerEnd, 0) << text.toStdString();
    ASSERT_GE(marked, 0) << text.toStdString();
    EXPECT_LT(answerEnd, marked);
    // Inside the answer the line is gone.
    EXPECT_EQ(text.count("+CMTI"), 1);
}

TEST_F(TerminalTest, AMissingPortShowsTheErrorBoxAndTheWindowGoesOn) {
    host.settings.PortName = "/dev/orlin-no-such-port";
    createTab();
    send("AT");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Error);
    EXPECT_EQ(boxes()[0].caption, "Orlin");
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Телефон не подключен."));
    EXPECT_TRUE(memo().isEmpty());
    // The catch point leaves the window working: the next failure is reported the same way.
    send("AT");
    EXPECT_EQ(boxes().size(), 2u);
}

TEST_F(TerminalTest, ASilentPhoneTimesOutWithoutAddingToTheMemo) {
    startPhone();
    orlin::phonesim::FaultOptions faults;
    faults.silentOn = "AT+CIMI";
    phone()->setFaults(faults);
    createTab();
    send("AT+CIMI");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Error);
    EXPECT_FALSE(boxes()[0].text.isEmpty());
    EXPECT_TRUE(memo().isEmpty());
}

TEST_F(TerminalTest, PickingAnEntryShowsItsDescriptionAndEnterSendsNothing) {
    startPhone();
    createTab();
    TerminalTab* t = tab();
    t->cbCommand->setCurrentIndex(8);
    emit t->cbCommand->activated(8);
    EXPECT_EQ(t->mmDescriptionCommand->toPlainText(), "AT+CPBS=\"ME\"");
    EXPECT_EQ(t->cbCommand->currentText(), "AT+CPBS=\"ME\"");

    // A typed command keeps the last description; Enter neither sends nor adds an item.
    const auto before = phone()->commandsReceived();
    t->cbCommand->setEditText("AT+CBC=?");
    QTest::keyClick(t->cbCommand->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(phone()->commandsReceived(), before);
    EXPECT_EQ(t->cbCommand->count(), 40);
    EXPECT_EQ(t->mmDescriptionCommand->toPlainText(), "AT+CPBS=\"ME\"");
    EXPECT_TRUE(memo().isEmpty());
}

// --- in the main window ---

TEST_F(TerminalWindowTest, ATypedCommandIsSentUnchangedAndRereadsThePortSettings) {
    startPhone();
    createWindow();
    // Settings changed in memory are replaced by what the file holds before the send.
    window_->portSettings().PortName = "/dev/orlin-no-such-port";
    send("AT+CGMM");
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_TRUE(memo().contains("MODEL=C350")) << memo().toStdString();
    const auto log = phone()->commandLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "AT+CGMM");
}

}  // namespace
}  // namespace orlin::test
