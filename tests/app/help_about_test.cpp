// The help window, the About box, and the program's screenshot option run as a user would.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

#include "app/about_box.h"
#include "app/help_dialog.h"
#include "tests/support/window_test.h"
#include "ui/orlin_application.h"
#include "ui/version_info.h"

namespace orlin::test {
namespace {

class HelpAboutTest : public WindowTest {};

TEST_F(HelpAboutTest, HelpShowsInfoTxtAsPlainTextAtEveryShowing) {
    writePortConfig("COM3");
    writeFile(filePath("info.txt"), cp1251("Помощь <b>не</b> разметка\r\nвторая строка\r\n"));
    createWindow();
    window_->frmHelp->show();
    EXPECT_EQ(window_->frmHelp->RichEdit1->toPlainText(),
              QStringLiteral("Помощь <b>не</b> разметка\nвторая строка\n"));
    window_->frmHelp->hide();

    writeFile(filePath("info.txt"), cp1251("другой текст"));
    window_->frmHelp->show();
    EXPECT_EQ(window_->frmHelp->RichEdit1->toPlainText(), QStringLiteral("другой текст"));
    window_->frmHelp->hide();
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

TEST_F(HelpAboutTest, AMissingHelpFileGivesTheErrorBoxAndAnEmptyWindow) {
    writePortConfig("COM3");
    writeFile(filePath("info.txt"), cp1251("старый текст"));
    createWindow();
    window_->frmHelp->show();
    window_->frmHelp->hide();
    ASSERT_TRUE(QFile::remove(filePath("info.txt")));
    window_->frmHelp->show();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "File not found.");
    EXPECT_TRUE(window_->frmHelp->RichEdit1->toPlainText().isEmpty());
    window_->frmHelp->hide();
}

TEST_F(HelpAboutTest, TheShippedHelpTextFitsTheWindowLineByLine) {
    // The help window has a fixed size and wraps long lines; a line of the shipped text that
    // wraps breaks its sentence in two ragged halves. Every line must fit as it stands.
    writePortConfig("COM3");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORLIN_BIN_DIR "/info.txt"), filePath("info.txt")));
    createWindow();
    window_->frmHelp->show();
    QTextEdit* box = window_->frmHelp->RichEdit1;
    ASSERT_GT(box->document()->blockCount(), 40);
    box->document()->documentLayout()->documentSize();  // lays the whole text out
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        EXPECT_LE(block.layout()->lineCount(), 1) << block.text().toStdString();
    window_->frmHelp->hide();
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

TEST_F(HelpAboutTest, AboutReadsTheProgramsOwnVersionRecordAtEveryOpening) {
    writePortConfig("COM3");
    createWindow();
    for (int opening = 0; opening < 2; ++opening) {
        window_->AboutBox->ProductName->clear();
        bool shown = false;
        QTimer::singleShot(0, [&] {
            shown = window_->AboutBox->isVisible();
            window_->AboutBox->accept();
        });
        window_->mnuAbout->trigger();
        EXPECT_TRUE(shown);
        EXPECT_EQ(window_->AboutBox->ProductName->text(), "Product Name: Orlin");
        EXPECT_EQ(window_->AboutBox->Version->text(), "Version: 0.9.1.11");
        EXPECT_TRUE(window_->AboutBox->Copyright->text().startsWith("Copyrights: "));
        EXPECT_EQ(window_->AboutBox->Comments->text(), "Comments: Work with Motorola phone.");
    }
    EXPECT_EQ(window_->AboutBox->windowTitle(), "About");
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

TEST_F(HelpAboutTest, AFileWithoutVersionRecordIsReportedAndTheBoxNotShown) {
    writePortConfig("COM3");
    createWindow();
    writeFile(filePath("plain.bin"), "not a program");
    EXPECT_THROW(window_->AboutBox->FillFromVersionRecord(filePath("plain.bin")),
                 orlin::OrlinError);

    // The error box names the file readably, whatever letters its name has.
    const QString cyrillic = filePath(QStringLiteral("программа"));
    writeFile(cyrillic, "not a program either");
    try {
        window_->AboutBox->FillFromVersionRecord(cyrillic);
        ADD_FAILURE() << "no read error";
    } catch (...) {
        orlin::ShowCurrentException();
    }
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Invalid language info in file программа."));
}

TEST_F(HelpAboutTest, TheProgramWritesAScreenshotOfTheTabAgainstThePhone) {
    startPhone();
    QProcess program;
    program.setWorkingDirectory(workDir());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    QFile::copy(QStringLiteral(ORLIN_BIN_DIR "/orlinres.dll"), filePath("orlinres.dll"));
    program.start(QStringLiteral(ORLIN_PROGRAM),
                  {"--tab", "info", "--screenshot", filePath("shot.png"), "--quit-after", "1500"});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    QImage shot(filePath("shot.png"));
    ASSERT_FALSE(shot.isNull());
    EXPECT_GE(shot.width(), 756);
    EXPECT_GE(shot.height(), 456);
    // Showing the tab ran its handler: the phone was asked for its identity.
    bool askedImei = false;
    for (const auto& line : phone()->commandLog()) askedImei |= line == "AT+CGSN";
    EXPECT_TRUE(askedImei);

    // --click presses a named button as a user would: the phonebook is read from the phone.
    QProcess reader;
    reader.setWorkingDirectory(workDir());
    reader.setProcessEnvironment(env);
    reader.start(QStringLiteral(ORLIN_PROGRAM),
                 {"--tab", "phonebook", "--click", "sbReadAll", "--quit-after", "1500"});
    ASSERT_TRUE(reader.waitForFinished(30000));
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    bool readEntries = false;
    for (const auto& line : phone()->commandLog()) readEntries |= line.rfind("AT+MPBR=1,", 0) == 0;
    EXPECT_TRUE(readEntries);

    QProcess wrong;
    wrong.setProcessEnvironment(env);
    wrong.start(QStringLiteral(ORLIN_PROGRAM), {"--tab", "nosuchtab", "--quit-after", "10"});
    ASSERT_TRUE(wrong.waitForFinished(30000));
    EXPECT_NE(wrong.exitCode(), 0);
}

}  // namespace
}  // namespace orlin::test
