#pragma once
// What the window tests share: a working folder of their own (the program opens its files
// by bare names), the message boxes answered and recorded, a simulated phone, and the main
// window created the way the program creates it.

#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "phonesim/phone_simulator.h"
#include "ui/message_boxes.h"

class QWidget;

namespace apptest {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the simulated phone (seeded C350 unless the options say otherwise).
    void startPhone(orlin::phonesim::PhoneSimOptions options = {});
    // portcfg.ini in the working folder naming `port`.
    void writePortConfig(const std::string& port, int baud = 19200, int timeout = 3000);
    // The main window and its dialogs, as the program's start-up makes them, shown.
    TfrmMain& createWindow();
    // Shows a tab by clicking on it, as a user does.
    void clickTab(int index);

    // The boxes shown since the start (or the last clearBoxes), in order.
    const std::vector<MessageBoxes::Request>& boxes() const { return boxes_; }
    void clearBoxes() { boxes_.clear(); }
    QStringList boxTexts() const;

    QString workDir() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    std::unique_ptr<orlin::phonesim::PhoneSimulator> phone_;
    std::unique_ptr<TfrmMain> window_;

private:
    QTemporaryDir dir_;
    QString previousDir_;
    std::vector<MessageBoxes::Request> boxes_;
};

// Writes bytes to a file (Windows-1251 texts pass through unchanged).
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// Windows-1251 bytes of a UTF-8 literal.
QByteArray cp1251(const char* utf8);

}  // namespace apptest
