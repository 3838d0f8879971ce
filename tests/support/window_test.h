#pragma once
// What the window and tab tests share (PhoneUiTest): a working folder of their own (the
// program opens its files by bare names), the message boxes answered and recorded, and a
// simulated phone. WindowTest adds the main window created the way the program creates it;
// TabTest adds a FakeWindow, over which a test builds one tab on its own.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "tests/support/fake_window.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/sim_phone.h"

namespace orlin::test {

class PhoneUiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the simulated phone (seeded C350 unless the options say otherwise) and names it
    // in portcfg.ini.
    void startPhone(phonesim::PhoneSimOptions options = {});
    // The phone startPhone() started.
    SimPhone& phone() { return *phone_; }
    // portcfg.ini in the working folder naming `port`.
    void writePortConfig(const std::string& port, int baud = 19200, int timeout = 3000);
    // The boxes shown since the start (or the last clearBoxes), in order.
    const std::vector<MessageBoxes::Request>& boxes() const { return recorder_.boxes; }
    void clearBoxes() { recorder_.boxes.clear(); }
    // The answers the next boxes get, in order (then Yes to a question, Ok to the rest).
    std::deque<MessageBoxes::Answer>& boxAnswers() { return recorder_.answers; }
    QStringList boxTexts() const { return recorder_.texts(); }

    QString workDir() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    std::unique_ptr<SimPhone> phone_;

private:
    QTemporaryDir dir_;
    QString previousDir_;
    MessageBoxRecorder recorder_;
};

class WindowTest : public PhoneUiTest {
protected:
    void TearDown() override;

    // The main window and its dialogs, as the program's start-up makes them, shown.
    TfrmMain& createWindow();
    // Shows a tab by clicking on it, as a user does.
    void clickTab(int index);

    std::unique_ptr<TfrmMain> window_;
};

// A tab is built by the test over `host`, which holds the port settings the tab uses:
// startPhone() names the simulated phone there (and in portcfg.ini, which the fake does not
// read). The test destroys its tab in TearDown() before calling this one.
class TabTest : public PhoneUiTest {
protected:
    void startPhone(phonesim::PhoneSimOptions options = {});
    // Shows `tab` alone, as large as in the main window, and waits until it is on the screen.
    void showTab(QWidget* tab);

    FakeWindow host;
};

// Confirms an open file dialog with `path` as if typed into its name field. selectFile()
// leaves the field alone while it has the focus, which the dialog may or may not have by the
// time a test answers it; the typed name always counts.
void acceptFileDialog(QFileDialog* dialog, const QString& path);

// Writes bytes to a file (Windows-1251 texts pass through unchanged).
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// Windows-1251 bytes of a UTF-8 literal.
QByteArray cp1251(const char* utf8);

}  // namespace orlin::test
