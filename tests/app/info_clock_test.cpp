// The information tab and the clock display against the simulated phone: the tab on its own
// over a window of the test's own, and in the main window what the window adds (the display
// switched off when the tab is left or the window closes).

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

#include "status/info_tab.h"
#include "status/phone_clock.h"
#include "status/terminal_tab.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

using orlin::phonesim::PhoneState;

// What both fixtures share, over the window (WindowTest) or the fake (TabTest).
template <class Base>
class InfoFixture : public Base {
protected:
    virtual InfoTab* info() = 0;
    // A click on the box itself (its left end), as a user ticks it.
    void clickCheckBox() {
        QCheckBox* box = info()->CheckBox2;
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
    }
    // A picture of the model in the working folder, where the program looks for it.
    void putPicture(const QString& name, const QColor& colour) {
        QImage image(60, 100, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(this->filePath(name), "JPG"));
    }
};

// The tab alone: createTab() builds it as the window's start-up does (the clock display off),
// and showInfo() does what a click on its page does.
class InfoTest : public InfoFixture<TabTest> {
protected:
    void TearDown() override {
        tab_.reset();
        TabTest::TearDown();
    }
    InfoTab* info() override { return tab_.get(); }
    void createTab() {
        tab_ = std::make_unique<InfoTab>(host);
        tab_->SwitchClockDisplayOff();
        showTab(tab_.get());
    }
    void showInfo() { tab_->tsInfoShow(); }

private:
    std::unique_ptr<InfoTab> tab_;
};

// The tab in the main window.
class InfoWindowTest : public InfoFixture<WindowTest> {
protected:
    InfoTab* info() override { return window_->tsInfo; }
};

TEST_F(InfoTest, ShowingTheTabFillsEveryFieldGaugeAndThePicture) {
    startPhone();
    putPicture("c350.jpg", Qt::red);
    createTab();
    showInfo();

    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_EQ(info()->edtIMEI->text(), "351234567890123");
    EXPECT_EQ(info()->edtIMSI->text(), "250991234567890");
    EXPECT_EQ(info()->edtManufacturer->text(), "Motorola CE, Copyright 2000");
    EXPECT_EQ(info()->edtModel->text(), "Motorola C350");
    EXPECT_FALSE(info()->edtBand->text().isEmpty());
    EXPECT_FALSE(info()->edtBand->text().contains('"')) << info()->edtBand->text().toStdString();
    EXPECT_EQ(info()->edtSoftWare->text(), "R374_G_0E.41.C3R_A");
    EXPECT_EQ(info()->ggStatusCharge->value(), 80);
    EXPECT_EQ(info()->ggStatusSignal->value(), -83);  // signal 15
    ASSERT_FALSE(info()->Image1->pixmap().isNull());
    const QImage shown = info()->Image1->pixmap().toImage();
    EXPECT_GT(qRed(shown.pixel(shown.width() / 2, shown.height() / 2)), 200);

    // Seven queries, each on its own: the port was opened and closed seven times.
    int queries = 0;
    for (const auto& line : phone()->commandLog())
        if (line == "AT+CGSN" || line == "AT+CIMI" || line == "AT+CGMI" || line == "AT+CGMM" ||
            line == "AT+CGMR" || line == "AT+CBC" || line == "AT+CSQ")
            ++queries;
    EXPECT_EQ(queries, 7);
}

TEST_F(InfoTest, SignalNotDetectableShowsAnEmptyGaugeAndRefreshReadsAgain) {
    startPhone();
    createTab();
    showInfo();
    ASSERT_EQ(info()->ggStatusSignal->value(), -83);
    EXPECT_EQ(info()->ggStatusSignal->text(), "-83 dBm");

    phone()->withState([](PhoneState& s) {
        s.signalRssi = 99;
        s.batteryStatus = 1;
        s.batteryCharge = 100;
    });
    QTest::mouseClick(info()->SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_EQ(info()->ggStatusSignal->value(), info()->ggStatusSignal->minimum());
    // The empty gauge does not print the minimum as a measured level.
    EXPECT_EQ(info()->ggStatusSignal->text(), QStringLiteral("не определён"));
    EXPECT_EQ(info()->ggStatusCharge->value(), 100);

    phone()->withState([](PhoneState& s) { s.signalRssi = 31; });
    QTest::mouseClick(info()->SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(info()->ggStatusSignal->value(), -51);
    EXPECT_EQ(info()->ggStatusSignal->text(), "-51 dBm");
}

TEST_F(InfoTest, AnotherModelWithoutPictureKeepsThePictureThatWasShown) {
    startPhone();
    putPicture("c350.jpg", Qt::blue);
    createTab();
    showInfo();
    ASSERT_FALSE(info()->Image1->pixmap().isNull());
    const QImage before = info()->Image1->pixmap().toImage();

    phone()->withState([](PhoneState& s) { s.model = "V300"; });
    showInfo();  // the page shown again
    EXPECT_EQ(info()->edtModel->text(), "Motorola V300");
    EXPECT_EQ(info()->Image1->pixmap().toImage(), before);
}

TEST_F(InfoTest, AFailingQueryEndsTheRefreshWithTheErrorBox) {
    startPhone();
    orlin::phonesim::FaultOptions faults;
    faults.errorOn = "AT+CBC";
    phone()->setFaults(faults);
    createTab();
    showInfo();
    // The text fields came before the battery and keep their values; the conversion of the
    // battery answer fails and the signal is not asked.
    EXPECT_EQ(info()->edtIMEI->text(), "351234567890123");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxes()[0].text.contains("is not a valid integer value"))
        << boxes()[0].text.toStdString();
    EXPECT_TRUE(boxes()[0].text.endsWith('.'));
    EXPECT_EQ(info()->ggStatusSignal->value(), info()->ggStatusSignal->minimum());
}

TEST_F(InfoTest, ASilentPhoneLeavesThePhoneClockFieldEmpty) {
    startPhone();
    createTab();
    showInfo();
    clickCheckBox();
    info()->Timer1Timer();
    ASSERT_FALSE(info()->edtPhoneTime->text().isEmpty());

    orlin::phonesim::FaultOptions faults;
    faults.silentOn = "AT+CCLK?";
    phone()->setFaults(faults);
    info()->Timer1Timer();
    EXPECT_EQ(info()->edtPhoneTime->text(), "");
    EXPECT_FALSE(info()->edtCompTime->text().isEmpty());
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

TEST_F(InfoTest, APhoneClockWithoutZoneShowsTheSameTimeAsWithIt) {
    startPhone();
    createTab();
    showInfo();
    clickCheckBox();
    const QRegularExpression form(QStringLiteral("^\\d\\d-\\d\\d-\\d\\d,   \\d\\d:\\d\\d:\\d\\d$"));
    info()->Timer1Timer();
    const QString withZone = info()->edtPhoneTime->text();
    phone()->withState([](PhoneState& s) { s.clockZone = ""; });
    info()->Timer1Timer();
    const QString withoutZone = info()->edtPhoneTime->text();
    EXPECT_TRUE(form.match(withZone).hasMatch()) << withZone.toStdString();
    EXPECT_TRUE(form.match(withoutZone).hasMatch()) << withoutZone.toStdString();
    // Same day and minute (the two ticks are a moment apart).
    EXPECT_EQ(withZone.left(14), withoutZone.left(14));
}

TEST_F(InfoTest, SynchronisingWithoutTheDisplaySetsThePhoneAndSaysSo) {
    startPhone();
    phone()->withState([](PhoneState& s) { s.clockOffsetSeconds = -7200; });
    createTab();
    clearBoxes();
    QTest::mouseClick(info()->SpeedButton11, Qt::LeftButton);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Note);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Дата и время синхронизированы!!!"));
    int64_t offset = -1;
    phone()->withState([&](PhoneState& s) { offset = s.clockOffsetSeconds; });
    EXPECT_LE(std::llabs(offset), 5);
}

TEST_F(InfoTest, ARefusedSynchronisationShowsTheErrorDialog) {
    startPhone();
    orlin::phonesim::FaultOptions faults;
    faults.errorOn = "AT+CCLK=";
    phone()->setFaults(faults);
    createTab();
    clearBoxes();
    QTest::mouseClick(info()->SpeedButton11, Qt::LeftButton);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Error);
    EXPECT_EQ(boxes()[0].caption, "Error");
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Не удалось синхронизировать.\nБыли ошибки."));
}

TEST_F(InfoTest, SynchronisingWhileTheDisplayRunsUsesItsPortQuietly) {
    startPhone();
    phone()->withState([](PhoneState& s) { s.clockOffsetSeconds = 3600; });
    createTab();
    showInfo();
    clickCheckBox();
    ASSERT_TRUE(info()->ClockDisplayRunning());
    clearBoxes();
    QTest::mouseClick(info()->SpeedButton11, Qt::LeftButton);
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    int64_t offset = -1;
    phone()->withState([&](PhoneState& s) { offset = s.clockOffsetSeconds; });
    EXPECT_LE(std::llabs(offset), 5);
    EXPECT_TRUE(info()->ClockDisplayRunning());
}

// --- in the main window: the tab left, the window closed ---

TEST_F(InfoWindowTest, ClockDisplayHoldsThePortUntilTheTabIsLeft) {
    startPhone();
    createWindow();
    clickTab(TfrmMain::InfoPage);
    clearBoxes();

    clickCheckBox();
    ASSERT_TRUE(info()->CheckBox2->isChecked());
    EXPECT_TRUE(info()->ClockDisplayRunning());
    EXPECT_TRUE(info()->Timer1->isActive());
    EXPECT_FALSE(info()->SpeedButton1->isEnabled());
    EXPECT_FALSE(info()->edtPhoneTime->isHidden());

    info()->Timer1Timer();
    const QRegularExpression form(QStringLiteral("^\\d\\d-\\d\\d-\\d\\d,   \\d\\d:\\d\\d:\\d\\d$"));
    EXPECT_TRUE(form.match(info()->edtCompTime->text()).hasMatch())
        << info()->edtCompTime->text().toStdString();
    EXPECT_TRUE(form.match(info()->edtPhoneTime->text()).hasMatch())
        << info()->edtPhoneTime->text().toStdString();

    // While the display runs it holds the port and keeps the window busy: another phone
    // command is disabled, and started all the same it sends nothing; the display goes on.
    EXPECT_FALSE(window_->tsTerminal->btnSendCommand->isEnabled());
    EXPECT_FALSE(window_->N4->isEnabled());
    EXPECT_TRUE(info()->CheckBox2->isEnabled());
    EXPECT_TRUE(info()->SpeedButton11->isEnabled());
    const auto before = phone()->commandsReceived();
    window_->tsTerminal->cbCommand->setEditText("AT");
    window_->tsTerminal->btnSendCommandClick();
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_EQ(phone()->commandsReceived(), before);
    EXPECT_TRUE(window_->tsTerminal->mmTerminal->toPlainText().isEmpty());
    EXPECT_TRUE(info()->ClockDisplayRunning());

    // Closing the window switches the display off: it does not wait for it.
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(info()->ClockDisplayRunning());
}

TEST_F(InfoWindowTest, LeavingTheTabSwitchesTheDisplayOffAndFreesThePort) {
    startPhone();
    createWindow();
    clickTab(TfrmMain::InfoPage);
    clickCheckBox();
    ASSERT_TRUE(info()->ClockDisplayRunning());
    clearBoxes();

    clickTab(TfrmMain::TerminalPage);
    // Leaving the Info tab switched the display off and freed the port.
    EXPECT_FALSE(info()->ClockDisplayRunning());
    EXPECT_FALSE(info()->CheckBox2->isChecked());
    EXPECT_FALSE(info()->Timer1->isActive());
    EXPECT_TRUE(info()->SpeedButton1->isEnabled());
    EXPECT_TRUE(info()->edtPhoneTime->isHidden());
    window_->tsTerminal->cbCommand->setEditText("AT");
    QTest::mouseClick(window_->tsTerminal->btnSendCommand, Qt::LeftButton);
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_TRUE(window_->tsTerminal->mmTerminal->toPlainText().contains("OK"));

    // Back on the tab the display is off.
    clickTab(TfrmMain::InfoPage);
    EXPECT_FALSE(info()->CheckBox2->isChecked());
    EXPECT_TRUE(info()->edtPhoneTime->isHidden());
}

TEST_F(InfoWindowTest, MovingBetweenOtherTabsLeavesTheClockAlone) {
    startPhone();
    createWindow();
    clickTab(TfrmMain::DateBookPage);
    clickTab(TfrmMain::ThemePage);
    EXPECT_FALSE(info()->ClockDisplayRunning());
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

}  // namespace
}  // namespace orlin::test
