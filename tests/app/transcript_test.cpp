// The transcript of a run for a bug report: the window's menu item saves what was sent to and
// received from the phone, and the program's --log option writes it when the program ends.

#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "phonebook/phonebook_tab.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class TranscriptTest : public WindowTest {};

TEST_F(TranscriptTest, TheMenuItemSavesTheDialogueOfThisRun) {
    startPhone(PhoneOptions("V300"));
    createWindow();
    clickTab(TfrmMain::PhoneBookPage);
    window_->tsPhoneBook->sbReadAll->click();
    ASSERT_GT(window_->tsPhoneBook->ListView1->topLevelItemCount(), 10)
        << boxTexts().join('|').toStdString();
    clearBoxes();

    const QString path = filePath("for the bug report.txt");
    QTimer::singleShot(0, window_.get(),
                       [this, path] { acceptFileDialog(window_->SaveTranscriptDialog, path); });
    EXPECT_EQ(window_->mnuSaveTranscript->text(), QStringLiteral("Сохранить протокол обмена..."));
    window_->mnuSaveTranscript->trigger();
    const QByteArray text = readFile(path);
    const QByteArray first = text.left(text.indexOf('\n'));
    EXPECT_TRUE(first.contains(" ! orlin ")) << first.toStdString();
    EXPECT_TRUE(first.endsWith(", model V300")) << first.toStdString();
    EXPECT_TRUE(text.contains(" < AT+MPBR=1,30\\r\n")) << text.left(2000).toStdString();
    EXPECT_TRUE(text.contains(" > AT+CGMM\\r\\r\\n+CGMM: ")) << text.left(2000).toStdString();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxTexts().first().contains(QStringLiteral("контакты")))
        << boxTexts().first().toStdString();
}

TEST_F(TranscriptTest, TheLogOptionWritesTheTranscriptWhenTheProgramEnds) {
    startPhone(PhoneOptions("C350"));
    QProcess program;
    program.setWorkingDirectory(workDir());
    program.setProcessEnvironment([] {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }());
    QFile::copy(QStringLiteral(ORLIN_BIN_DIR "/orlinres.dll"), filePath("orlinres.dll"));
    program.start(QStringLiteral(ORLIN_PROGRAM),
                  {QStringLiteral("--tab"), QStringLiteral("phonebook"), QStringLiteral("--click"),
                   QStringLiteral("sbReadAll"), QStringLiteral("--quit-after"),
                   QStringLiteral("1500"), QStringLiteral("--log"), QStringLiteral("run.log")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const QByteArray text = readFile(filePath("run.log"));
    EXPECT_TRUE(text.left(text.indexOf('\n')).endsWith(", model C350")) << text.toStdString();
    EXPECT_TRUE(text.contains(" < AT+MPBR=1,30\\r\n")) << text.toStdString();
}

}  // namespace
}  // namespace orlin::test
