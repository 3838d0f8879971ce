#include "tests/support/window_test.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "link/cp1251.h"
#include "link/port_settings.h"
#include "ui/image_library.h"

namespace orlin::test {

void PhoneUiTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    setResourceSearchFolders({QStringLiteral(ORLIN_BIN_DIR)});
}

void PhoneUiTest::TearDown() {
    phone_.reset();
    setResourceSearchFolders({});
    QDir::setCurrent(previousDir_);
}

void PhoneUiTest::startPhone(phonesim::PhoneSimOptions options) {
    phone_ = std::make_unique<SimPhone>(std::move(options), 19200, 3000);
    writePortConfig(phone_->settings.PortName, phone_->settings.PortBaudRate,
                    phone_->settings.PortTimeOut);
}

void PhoneUiTest::writePortConfig(const std::string& port, int baud, int timeout) {
    PortSettings settings;
    settings.PortName = port;
    settings.PortBaudRate = baud;
    settings.PortTimeOut = timeout;
    SavePortSettings(settings, filePath(QStringLiteral("portcfg.ini")).toStdString());
}

void WindowTest::TearDown() {
    window_.reset();
    PhoneUiTest::TearDown();
}

TfrmMain& WindowTest::createWindow() {
    window_ = std::make_unique<TfrmMain>();
    window_->CreateForms();
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    return *window_;
}

void WindowTest::clickTab(int index) {
    QTabBar* bar = window_->PageControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

void TabTest::startPhone(phonesim::PhoneSimOptions options) {
    PhoneUiTest::startPhone(std::move(options));
    host.settings = phone_->settings;
}

void TabTest::showTab(QWidget* tab) {
    tab->resize(756, 456);
    tab->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(tab));
}

void acceptFileDialog(QFileDialog* dialog, const QString& path) {
    ASSERT_NE(dialog, nullptr);
    for (auto* view : dialog->findChildren<QAbstractItemView*>()) view->clearSelection();
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    static_cast<QDialog*>(dialog)->accept();
    // A dialog that did not take the name would wait for a person: fail instead of hanging.
    if (dialog->isVisible()) {
        ADD_FAILURE() << "the file dialog did not take " << path.toStdString();
        dialog->reject();
    }
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QByteArray cp1251(const char* utf8) {
    return QByteArray::fromStdString(Utf8ToCp1251(utf8));
}

}  // namespace orlin::test
