// The terminal tab against the simulated phone: answers, ERROR answers, unsolicited lines,
// failures through the error box, the description of a picked command.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "status/terminal_tab.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class TerminalTest : public WindowTest {
protected:
    void send(const QString& command) {
        TerminalTab* t = window_->tsTerminal;
        t->cbCommand->setEditText(command);
        QTest::mouseClick(t->btnSendCommand, Qt::LeftButton);
    }
    QString memo() const { return window_->tsTerminal->mmTerminal->toPlainText(); }
};

TEST_F(TerminalTest, AnswersAppendAndClearEmptiesTheMemo) {
    startPhone();
    createWindow();
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

    QTest::mouseClick(window_->tsTerminal->sbClear, Qt::LeftButton);
    EXPECT_TRUE(memo().isEmpty());
}

TEST_F(TerminalTest, AnErrorAnswerIsAnAnswerNotAFailure) {
    startPhone();
    createWindow();
    send("AT+NOSUCHCOMMAND");
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_TRUE(memo().contains("ERROR")) << memo().toStdString();
}

TEST_F(TerminalTest, ATypedCommandIsSentUnchangedAndRereadsThePortSettings) {
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

// Typed with real keys into the focused box, a command that begins a prepared one is sent as
// typed: no prepared command is completed into the box.
TEST_F(TerminalTest, ATypedBeginningOfAPreparedCommandIsNotCompleted) {
    startPhone();
    createWindow();
    TerminalTab* t = window_->tsTerminal;
    window_->PageControl1->setCurrentIndex(TfrmMain::TerminalPage);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window_->isActiveWindow(); }));
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
    createWindow();
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
    writePortConfig("/dev/orlin-no-such-port");
    createWindow();
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
    createWindow();
    send("AT+CIMI");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Error);
    EXPECT_FALSE(boxes()[0].text.isEmpty());
    EXPECT_TRUE(memo().isEmpty());
}

TEST_F(TerminalTest, PickingAnEntryShowsItsDescriptionAndEnterSendsNothing) {
    startPhone();
    createWindow();
    TerminalTab* t = window_->tsTerminal;
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

}  // namespace
}  // namespace orlin::test
