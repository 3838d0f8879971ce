// The port settings dialog: edits go at once into the window's fields, Apply writes
// portcfg.ini, Cancel and Esc put back what the dialog opened with.

#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/comm_config_dialog.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class PortDialogTest : public WindowTest {
protected:
    TfrmCommConfig* openDialog() {
        TfrmCommConfig* d = window_->frmCommConfig;
        d->show();
        return d;
    }
    static void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // The dialog active and `control` with the focus, as when a user clicks into it (a box
    // completes what is typed only while it has the focus).
    static void focus(TfrmCommConfig* d, QWidget* control) {
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([d] { return d->isActiveWindow(); }));
        control->setFocus();
        ASSERT_TRUE(control->hasFocus());
    }
    QByteArray storedFile() const { return readFile(filePath("portcfg.ini")); }
};

TEST_F(PortDialogTest, ShowingFillsTheControlsFromTheFields) {
    writePortConfig("COM4", 9600, 50);
    createWindow();
    TfrmCommConfig* d = openDialog();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Настройка порта"));
    EXPECT_EQ(d->cbComSelect->currentText(), "COM4");
    EXPECT_EQ(d->cbBaudRate->currentText(), "9600");
    // A stored time-out of 50 shows as 100, and the field follows what the control shows.
    EXPECT_EQ(d->seTimeOut->value(), 100);
    EXPECT_EQ(window_->portSettings().PortTimeOut, 100);
    EXPECT_FALSE(d->cbDataBits->isEnabled());
    EXPECT_FALSE(d->lblParity->isEnabled());
    EXPECT_EQ(d->cbFlowControl->currentText(), QStringLiteral("Отсутствует"));
    d->reject();
    EXPECT_EQ(window_->portSettings().PortTimeOut, 50);
}

TEST_F(PortDialogTest, EscapePutsBackAllThreeValuesAndLeavesTheFileAlone) {
    writePortConfig("COM3", 19200, 3000);
    const QByteArray before = storedFile();
    createWindow();
    TfrmCommConfig* d = openDialog();

    retype(d->cbComSelect->lineEdit(), "COM5");
    EXPECT_EQ(window_->portSettings().PortName, "COM5");  // at once
    retype(d->cbBaudRate->lineEdit(), "115200");
    EXPECT_EQ(window_->portSettings().PortBaudRate, 115200);
    retype(d->seTimeOut->findChild<QLineEdit*>(), "1500");
    EXPECT_EQ(window_->portSettings().PortTimeOut, 1500);

    QTest::keyClick(d->cbComSelect->lineEdit(), Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(window_->portSettings().PortName, "COM3");
    EXPECT_EQ(window_->portSettings().PortBaudRate, 19200);
    EXPECT_EQ(window_->portSettings().PortTimeOut, 3000);
    EXPECT_EQ(storedFile(), before);
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

TEST_F(PortDialogTest, CancelPutsBackTheValuesTheDialogOpenedWith) {
    writePortConfig("COM3", 19200, 3000);
    createWindow();
    // A value in memory that differs from the file is what the dialog opens with.
    window_->portSettings().PortName = "COM7";
    TfrmCommConfig* d = openDialog();
    retype(d->cbComSelect->lineEdit(), "COM1");
    QTest::mouseClick(d->sbCancel, Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(window_->portSettings().PortName, "COM7");
}

TEST_F(PortDialogTest, ApplyAndEnterWriteTheFourLines) {
    writePortConfig("COM3", 19200, 3000);
    createWindow();
    TfrmCommConfig* d = openDialog();
    retype(d->cbComSelect->lineEdit(), "/dev/ttyUSB7");
    retype(d->cbBaudRate->lineEdit(), "115200");
    retype(d->seTimeOut->findChild<QLineEdit*>(), "2500");
    QTest::mouseClick(d->sbApply, Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
    const QByteArray expected = cp1251(
        "[PORT CONFIG]\r\nPort=/dev/ttyUSB7; - имя порта\r\nBaudRate=115200; - скорость порта\r\n"
        "TimeOut=2500; - задержка\r\n");
    EXPECT_EQ(storedFile(), expected);

    // Enter applies like the button, from whichever control has the focus.
    d = openDialog();
    retype(d->cbComSelect->lineEdit(), "COM2");
    QTest::keyClick(d->cbComSelect->lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(storedFile().contains("Port=COM2;"));
    // What was applied stays after a later Cancel.
    d = openDialog();
    d->reject();
    EXPECT_EQ(window_->portSettings().PortName, "COM2");
}

TEST_F(PortDialogTest, ABaudRateThatIsNoNumberIsRefusedAtOnce) {
    writePortConfig("COM3", 19200, 3000);
    createWindow();
    TfrmCommConfig* d = openDialog();
    d->cbBaudRate->lineEdit()->selectAll();
    QTest::keyClicks(d->cbBaudRate->lineEdit(), "96");
    EXPECT_EQ(window_->portSettings().PortBaudRate, 96);
    QTest::keyClicks(d->cbBaudRate->lineEdit(), "x");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "'96x' is not a valid integer value.");
    EXPECT_EQ(window_->portSettings().PortBaudRate, 96);
    d->reject();
}

TEST_F(PortDialogTest, AFailedWriteKeepsTheDialogOpen) {
    writePortConfig("COM3", 19200, 3000);
    createWindow();
    TfrmCommConfig* d = openDialog();
    // A folder in the place of the file: it cannot be written.
    ASSERT_TRUE(QFile::remove(filePath("portcfg.ini")));
    ASSERT_TRUE(QDir(workDir()).mkdir("portcfg.ini"));
    QTest::mouseClick(d->sbApply, Qt::LeftButton);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Error);
    EXPECT_TRUE(d->isVisible());
    d->reject();
}

TEST_F(PortDialogTest, TheMenuItemShowsTheDialogModally) {
    writePortConfig("COM3", 19200, 3000);
    createWindow();
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        wasModal = QApplication::activeModalWidget() == window_->frmCommConfig;
        window_->frmCommConfig->reject();
    });
    window_->mnuPortConfig->trigger();
    EXPECT_TRUE(wasModal);
}

// What is typed into the port and speed boxes is the value, as it stands: no item of the
// list is completed into the box ("COM" is not "COM1", "1" is not "1200").
TEST_F(PortDialogTest, TypedTextIsTakenAsItStands) {
    struct Case {
        const char* typed;
        bool port;  // the port box, else the speed box
        const char* line;
    };
    const Case cases[] = {
        {"COM", true, "Port=COM;"},
        {"/dev/ttyUSB", true, "Port=/dev/ttyUSB;"},
        {"1", false, "BaudRate=1;"},
        {"9", false, "BaudRate=9;"},
    };
    writePortConfig("COM3", 19200, 3000);
    createWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TfrmCommConfig* d = openDialog();
        QComboBox* box = c.port ? d->cbComSelect : d->cbBaudRate;
        focus(d, box);
        retype(box->lineEdit(), QString::fromLatin1(c.typed));
        EXPECT_EQ(box->currentText(), QString::fromLatin1(c.typed));
        EXPECT_TRUE(box->lineEdit()->selectedText().isEmpty());
        if (c.port)
            EXPECT_EQ(window_->portSettings().PortName, c.typed);
        else
            EXPECT_EQ(window_->portSettings().PortBaudRate, std::stoi(c.typed));
        QTest::mouseClick(d->sbApply, Qt::LeftButton);
        EXPECT_TRUE(storedFile().contains(c.line)) << storedFile().toStdString();
    }
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

// The time-out box takes a typed integer as it stands, also outside 100..10000, and keeps it
// when the focus leaves; only its arrows stay inside the range.
TEST_F(PortDialogTest, TheTimeOutBoxTakesATypedIntegerOutsideTheArrowRange) {
    struct Case {
        const char* typed;
        int value;
        int afterUp;
        int afterDown;
    };
    const Case cases[] = {
        {"50", 50, 150, 50},             // below: the arrow down does nothing
        {"20000", 20000, 20000, 10000},  // above: the arrow up does nothing, down comes inside
        {"10000", 10000, 10000, 9900},
        {"100", 100, 200, 100},
        {"2500", 2500, 2600, 2400},
    };
    writePortConfig("COM3", 19200, 3000);
    createWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TfrmCommConfig* d = openDialog();
        focus(d, d->seTimeOut);
        d->seTimeOut->selectAll();
        QTest::keyClicks(d->seTimeOut, QString::fromLatin1(c.typed));
        EXPECT_EQ(window_->portSettings().PortTimeOut, c.value);
        // The focus leaves: the typed value stays.
        d->cbComSelect->setFocus();
        EXPECT_EQ(d->seTimeOut->text(), QString::fromLatin1(c.typed));
        EXPECT_EQ(window_->portSettings().PortTimeOut, c.value);
        QTest::mouseClick(d->sbApply, Qt::LeftButton);
        EXPECT_TRUE(storedFile().contains(QByteArray("TimeOut=") + c.typed + ";"))
            << storedFile().toStdString();

        d = openDialog();
        d->seTimeOut->setValue(c.value);
        QTest::keyClick(d->seTimeOut, Qt::Key_Up);
        EXPECT_EQ(d->seTimeOut->value(), c.afterUp);
        d->seTimeOut->setValue(c.value);
        QTest::keyClick(d->seTimeOut, Qt::Key_Down);
        EXPECT_EQ(d->seTimeOut->value(), c.afterDown);
        EXPECT_EQ(window_->portSettings().PortTimeOut, c.afterDown);
        d->reject();
    }
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

TEST(PortNames, ComPortsThenTheSerialDevicesPresent) {
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS1", "ttyS0", "tty0", "null"})
        writeFile(dev.filePath(name), "");
    const QStringList names = TfrmCommConfig::AvailablePortNames(dev.path());
    const QString d = dev.path() + "/";
    EXPECT_EQ(names, QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
                                  "COM9", d + "ttyACM0", d + "ttyUSB2", d + "ttyUSB10", d + "ttyS0",
                                  d + "ttyS1"}));
}

TEST(PortNames, DeviceFilesOfTheMachineAreListedByName) {
    // The real device folder: every serial device node present shows up (by name only; the
    // listing never opens a device).
    QStringList expected;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
        const std::string name = entry.path().filename().string();
        const bool serialName = name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0 ||
                                name.rfind("ttyS", 0) == 0;
        if (serialName && entry.is_character_file() &&
            access(entry.path().c_str(), R_OK | W_OK) == 0)
            expected << QString::fromStdString(entry.path().string());
    }
    const QStringList names = TfrmCommConfig::AvailablePortNames();
    for (const QString& device : expected)
        EXPECT_TRUE(names.contains(device)) << device.toStdString();
    EXPECT_EQ(names.size(), 9 + expected.size());
    EXPECT_EQ(names.mid(0, 9).join(','), "COM1,COM2,COM3,COM4,COM5,COM6,COM7,COM8,COM9");
}

}  // namespace
}  // namespace orlin::test
