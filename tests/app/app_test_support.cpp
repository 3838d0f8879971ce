#include "app_test_support.h"

#include <QFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "link/cp1251.h"
#include "link/port_settings.h"
#include "ui/image_library.h"

namespace apptest {

void WindowTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    orlin::setResourceSearchFolders({QStringLiteral(ORLIN_BIN_DIR)});
    MessageBoxes::setResponder([this](const MessageBoxes::Request& request) {
        boxes_.push_back(request);
        return request.yesNo ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::Ok;
    });
}

void WindowTest::TearDown() {
    window_.reset();
    phone_.reset();
    MessageBoxes::setResponder({});
    orlin::setResourceSearchFolders({});
    QDir::setCurrent(previousDir_);
}

void WindowTest::startPhone(orlin::phonesim::PhoneSimOptions options) {
    phone_ = std::make_unique<orlin::phonesim::PhoneSimulator>(options);
    phone_->start();
    writePortConfig(phone_->portPath());
}

void WindowTest::writePortConfig(const std::string& port, int baud, int timeout) {
    orlin::PortSettings settings;
    settings.PortName = port;
    settings.PortBaudRate = baud;
    settings.PortTimeOut = timeout;
    orlin::SavePortSettings(settings, filePath(QStringLiteral("portcfg.ini")).toStdString());
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

QStringList WindowTest::boxTexts() const {
    QStringList texts;
    for (const auto& box : boxes_) texts << box.text;
    return texts;
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
    return QByteArray::fromStdString(orlin::Utf8ToCp1251(utf8));
}

}  // namespace apptest
