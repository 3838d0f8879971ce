// "Найти телефон" in the port dialog: simulated phones listed through the device-pattern
// variable are probed on a thread while the dialog stays responsive; the phone that answered
// comes first, and choosing it fills the port field.

#include <QComboBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/comm_config_dialog.h"
#include "link/phone_session.h"
#include "link/port_probe.h"
#include "link/usb_adapters.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class FindPhoneTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        qputenv(kPortPatternsVariable, (workDir() + "/tty-*").toUtf8());
    }
    void TearDown() override {
        qunsetenv(kPortPatternsVariable);
        WindowTest::TearDown();
    }
    // A device link in the working folder: the patterns list them by name.
    void link(SimPhone& phone, const char* name) {
        std::filesystem::create_symlink(phone.portPath(), filePath(name).toStdString());
    }
    TfrmCommConfig* openDialog() {
        writePortConfig("COM3");
        createWindow();
        TfrmCommConfig* d = window_->frmCommConfig;
        d->show();
        return d;
    }
    static bool finishes(TfrmCommConfig* d) {
        return QTest::qWaitFor([d] { return !d->isFinding(); }, 10000);
    }
    static phonesim::PhoneSimOptions silent() {
        phonesim::PhoneSimOptions options;
        options.faults.silentOn = "*";
        return options;
    }
};

TEST_F(FindPhoneTest, ThePhoneThatAnsweredComesFirstAndFillsThePortField) {
    SimPhone quiet(silent());
    SimPhone phone("C350");
    link(quiet, "tty-a-quiet");  // listed first, probed first
    link(phone, "tty-b-phone");
    TfrmCommConfig* d = openDialog();

    d->sbFindPhone->click();
    EXPECT_TRUE(d->sbStopFind->isEnabled());
    EXPECT_FALSE(d->sbFindPhone->isEnabled());  // the window is busy while ports are open
    ASSERT_TRUE(finishes(d));
    EXPECT_TRUE(d->sbFindPhone->isEnabled());
    EXPECT_EQ(d->pbFind->value(), d->pbFind->maximum());
    ASSERT_EQ(d->lbFound->count(), 2);
    const QString phonePath = filePath("tty-b-phone");
    EXPECT_EQ(d->lbFound->item(0)->text(), phonePath + QStringLiteral("  —  Motorola C350"));
    EXPECT_EQ(d->lbFound->item(1)->text(),
              filePath("tty-a-quiet") + QStringLiteral("  —  нет ответа"));

    QTest::mouseClick(d->lbFound->viewport(), Qt::LeftButton, {},
                      d->lbFound->visualItemRect(d->lbFound->item(0)).center());
    EXPECT_EQ(d->cbComSelect->currentText(), phonePath);
    EXPECT_EQ(window_->portSettings().PortName, phonePath.toStdString());
    d->reject();
}

TEST_F(FindPhoneTest, StopEndsTheSearchAfterTheDeviceBeingProbed) {
    SimPhone first(silent()), second(silent()), third(silent());
    link(first, "tty-1");
    link(second, "tty-2");
    link(third, "tty-3");
    TfrmCommConfig* d = openDialog();

    d->sbFindPhone->click();
    d->sbStopFind->click();
    ASSERT_TRUE(finishes(d));
    EXPECT_LE(d->lbFound->count(), 1);
    EXPECT_TRUE(d->sbFindPhone->isEnabled());
    // Closing while a search runs ends it too, and leaves no port open.
    d->sbFindPhone->click();
    d->reject();
    EXPECT_FALSE(d->isFinding());
    for (SimPhone* phone : {&first, &second, &third})
        EXPECT_NO_THROW(PhoneSession session(phone->settings));
}

TEST_F(FindPhoneTest, ThePortInTheFieldIsTriedFirstAndAdaptersWithoutAPortAreNamed) {
    SimPhone listed("V300");
    SimPhone typed("C350");
    link(listed, "tty-a-listed");
    // An adapter that brltty took, in a sysfs of the test's own.
    const std::filesystem::path root = workDir().toStdString() + "/root";
    const std::filesystem::path device = root / "sys/devices/usb1/3-1";
    std::filesystem::create_directories(device / "3-1:1.0");
    std::filesystem::create_directories(root / "sys/bus/usb/devices");
    std::filesystem::create_directories(root / "proc/9");
    for (const auto& [file, text] : {std::pair{"idVendor", "1a86"}, {"idProduct", "7523"}})
        writeFile(QString::fromStdString((device / file).string()), text);
    writeFile(QString::fromStdString((root / "proc/9/comm").string()), "brltty\n");
    std::filesystem::create_directory_symlink(device, root / "sys/bus/usb/devices/3-1");
    qputenv(kSystemRootVariable, QByteArray::fromStdString(root.string()));
    TfrmCommConfig* d = openDialog();

    // A pseudo-terminal typed by hand is no device the patterns list: it is probed first.
    d->cbComSelect->setEditText(QString::fromStdString(typed.portPath()));
    d->sbFindPhone->click();
    ASSERT_TRUE(finishes(d));
    qunsetenv(kSystemRootVariable);
    ASSERT_EQ(d->lbFound->count(), 3);
    EXPECT_EQ(d->lbFound->item(0)->text(),
              QString::fromStdString(typed.portPath()) + QStringLiteral("  —  Motorola C350"));
    EXPECT_EQ(d->lbFound->item(1)->text(),
              filePath("tty-a-listed") + QStringLiteral("  —  Motorola V300"));
    EXPECT_TRUE(d->lbFound->item(2)->text().startsWith(
        QStringLiteral("USB 3-1 (1a86:7523 CH340)  —  порт не создан: адаптер занял brltty")))
        << d->lbFound->item(2)->text().toStdString();

    // With nothing listed the typed port is still tried; COM3, a built-in port here, is not.
    std::filesystem::remove(filePath("tty-a-listed").toStdString());
    d->sbFindPhone->click();
    ASSERT_TRUE(finishes(d));
    ASSERT_EQ(d->lbFound->count(), 1);
    EXPECT_TRUE(d->lbFound->item(0)->text().endsWith(QStringLiteral("Motorola C350")));
    d->cbComSelect->setEditText(QStringLiteral("COM3"));
    d->sbFindPhone->click();
    ASSERT_TRUE(finishes(d));
    ASSERT_EQ(d->lbFound->count(), 1);
    EXPECT_EQ(d->lbFound->item(0)->text(), QStringLiteral("Последовательных портов не найдено"));
    d->reject();
}

}  // namespace
}  // namespace orlin::test
