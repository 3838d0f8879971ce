// The window against a stand-in ModemManager on a private bus that holds the simulated phone's
// device: the error names the service, and the window asks whether the service should let go
// of the port; after a Yes the operation runs, and the device is handed back when the window
// closes.

#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "status/terminal_tab.h"
#include "tests/support/private_bus.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

constexpr const char* kUid = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-4";

class ModemManagerWindowTest : public WindowTest {
protected:
    void TearDown() override {
        WindowTest::TearDown();
        IsolateTestProcess();  // no bus again for the tests that follow
    }
};

TEST_F(ModemManagerWindowTest, TheUserIsAskedWhetherTheServiceShouldLetGo) {
    PrivateBus bus;
    ASSERT_TRUE(bus.ok()) << "dbus-daemon did not start";
    startPhone();
    ModemManagerStandIn modemManager(bus, phone().portPath(), kUid);
    ASSERT_TRUE(modemManager.ok()) << "the stand-in did not start";
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", QByteArray::fromStdString(bus.address()));
    createWindow();
    const QString held =
        QStringLiteral("Порт занят службой ModemManager: она приняла телефон на ") +
        QString::fromStdString(phone().portPath()) +
        QStringLiteral(" за модем и держит порт открытым.");

    // No: the error box names the service and the remedy; the service was not asked.
    boxAnswers().push_back(MessageBoxes::Answer::No);
    window_->tsTerminal->SendTyped(QStringLiteral("AT+CGMM"));
    ASSERT_EQ(boxes().size(), 2u) << boxTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Confirmation);
    EXPECT_TRUE(boxes()[0].text.startsWith(held)) << boxes()[0].text.toStdString();
    EXPECT_TRUE(boxes()[0].text.endsWith(QStringLiteral("Попросить ModemManager отпустить порт?")));
    EXPECT_EQ(boxes()[1].kind, MessageBoxes::Kind::Error);
    EXPECT_TRUE(boxes()[1].text.startsWith(held));
    EXPECT_TRUE(boxes()[1].text.contains(QStringLiteral("60-orlin.rules")));
    EXPECT_TRUE(modemManager.calls().empty());

    // Yes: the service lets go and the command goes; the next one is not asked again.
    clearBoxes();
    window_->tsTerminal->SendTyped(QStringLiteral("AT+CGMM"));
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(window_->tsTerminal->mmTerminal->toPlainText().contains(QStringLiteral("+CGMM")));
    clearBoxes();
    window_->tsTerminal->SendTyped(QStringLiteral("AT"));
    EXPECT_TRUE(boxes().empty()) << boxTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(modemManager.calls(),
              std::vector<std::string>{std::string("InhibitDevice ") + kUid + " true"});

    window_.reset();
    EXPECT_EQ(modemManager.calls().size(), 2u);
    EXPECT_EQ(modemManager.calls().back(), std::string("InhibitDevice ") + kUid + " false");
}

}  // namespace
}  // namespace orlin::test
