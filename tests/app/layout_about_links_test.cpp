// The resize layout of the terminal and message tabs, and the About box's links.

#include <QComboBox>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include "app/about_box.h"
#include "messages/messages_tab.h"
#include "status/terminal_tab.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class LayoutTest : public WindowTest {};

TEST_F(LayoutTest, TerminalTabKeepsItsFrameInTheCornerAtEverySize) {
    writePortConfig("COM3");
    TfrmMain& w = createWindow();
    w.PageControl1->setCurrentIndex(TfrmMain::TerminalPage);
    for (const QSize size : {QSize(756, 456), QSize(1000, 700)}) {
        w.resize(size);
        QCoreApplication::processEvents();
        TerminalTab* t = w.tsTerminal;
        const QRect frame = t->Bevel2->geometry();
        EXPECT_EQ(t->width() - 1 - frame.right(), 2);
        EXPECT_EQ(t->height() - 1 - frame.bottom(), 2);
        const QRect send = t->btnSendCommand->geometry();
        EXPECT_EQ(send.left(), frame.left() + 4);
        EXPECT_EQ(frame.bottom() - send.bottom(), 4);
        EXPECT_EQ(t->sbClear->geometry().left(), send.right() + 1 + 2);
        EXPECT_EQ(t->sbClear->geometry().top(), send.top());
        EXPECT_EQ(t->cbCommand->geometry().top(), send.top() - (send.height() + 2));
        EXPECT_EQ(t->Label6->geometry().top(), frame.top() + 2);
        const QRect panel = t->Panel5->geometry();
        EXPECT_EQ(panel.left(), 0);
        EXPECT_EQ(panel.right(), frame.left() - 2 - 1);
        EXPECT_EQ(panel.top(), frame.top());
        EXPECT_EQ(panel.height(), frame.height());
        EXPECT_EQ(t->mmTerminal->geometry().height(), panel.top() - 2);
        EXPECT_EQ(t->mmTerminal->geometry().width(), t->width());
    }
}

TEST_F(LayoutTest, MessageButtonsStackUpwardsAndTheListFillsTheRest) {
    writePortConfig("COM3");
    TfrmMain& w = createWindow();
    w.PageControl1->setCurrentIndex(TfrmMain::SMSPage);
    w.resize(900, 650);
    QCoreApplication::processEvents();
    MessagesTab* m = w.tsSMS;
    QPushButton* stack[] = {m->sbSMSDeleteAll, m->sbDeleteSMS, m->SpeedButton12, m->sbSMSSave,
                            m->sbSMSNew};
    int bottom = m->height() - 1 - 2;
    for (QPushButton* b : stack) {
        EXPECT_EQ(b->geometry().bottom(), bottom) << b->objectName().toStdString();
        bottom = b->geometry().top() - 2 - 1;
    }
    EXPECT_EQ(m->pbReadSMS->geometry().bottom(), bottom);
    EXPECT_EQ(m->tvSMS->geometry().bottom(), m->pbReadSMS->geometry().top() - 2 - 1);
    EXPECT_EQ(m->mmSMS->geometry().bottom(), m->height() - 1 - 2);
    EXPECT_EQ(m->mmSMS->width(), m->width() - m->sbSMSNew->width() - 6 - 2);
    EXPECT_EQ(m->Label7->geometry().bottom(), m->mmSMS->geometry().top() - 2 - 1);
    EXPECT_EQ(m->lvSMS->geometry().bottom(), m->Label7->geometry().top() - 2 - 1);
    EXPECT_EQ(m->lvSMS->width(), m->mmSMS->width());
    // Showing the tab opened the whole tree.
    EXPECT_TRUE(m->nodePhone->isExpanded());
}

// Records what the desktop shell was asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST_F(LayoutTest, AboutLinksTurnBlueUnderTheMouseAndOpenBrowserAndMail) {
    writePortConfig("COM3");
    TfrmMain& w = createWindow();
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    QDesktopServices::setUrlHandler("mailto", &recorder, "open");
    TAboutBox* about = w.AboutBox;
    about->show();

    QLabel* home = about->lblHomepage;
    EXPECT_TRUE(home->font().bold());
    EXPECT_TRUE(home->font().underline());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), home->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(home, &enter);
    EXPECT_EQ(home->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(home, &leave);
    EXPECT_EQ(home->palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::WindowText));

    QTest::mouseClick(home, Qt::LeftButton);
    QTest::mouseClick(about->lblEmail, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("mailto");
    about->hide();
    ASSERT_EQ(recorder.opened.size(), 2);
    EXPECT_EQ(recorder.opened[0], QUrl(TAboutBox::HomePage()));
    EXPECT_EQ(recorder.opened[1].toString(), "mailto:" + TAboutBox::MailAddress());
}

}  // namespace
}  // namespace orlin::test

#include "layout_about_links_test.moc"
