#pragma once
// The port settings dialog. Every edit goes at once into the main window's three fields;
// Apply writes portcfg.ini, Cancel and Esc put back the values the dialog opened with.

#include <QDialog>
#include <QStringList>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/port_probe.h"
#include "link/port_settings.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class BusyScope;
class QPushButton;
class QSpinBox;
class WindowContext;

class TfrmCommConfig : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCommConfig(WindowContext& context, QWidget* parent = nullptr);
    ~TfrmCommConfig() override;

    // The port names offered: COM1..COM9, then the serial devices present on this machine.
    // The device folder is listed, never opened.
    static QStringList AvailablePortNames(const QString& deviceFolder = QStringLiteral("/dev"));

    QGroupBox* GroupBox1 = nullptr;
    QComboBox* cbComSelect = nullptr;
    QComboBox* cbBaudRate = nullptr;
    QLabel* lblDataBits = nullptr;
    QComboBox* cbDataBits = nullptr;
    QLabel* lblParity = nullptr;
    QComboBox* cbParity = nullptr;
    QLabel* lblStopBits = nullptr;
    QComboBox* cbStopBits = nullptr;
    QLabel* lblFlowControl = nullptr;
    QComboBox* cbFlowControl = nullptr;
    QSpinBox* seTimeOut = nullptr;
    QPushButton* sbApply = nullptr;
    QPushButton* sbCancel = nullptr;
    // Finding the phone: every serial device is probed in turn on a thread of its own, the
    // devices that answered listed first; choosing one fills the port field.
    QPushButton* sbFindPhone = nullptr;
    QPushButton* sbStopFind = nullptr;
    QProgressBar* pbFind = nullptr;
    QListWidget* lbFound = nullptr;

public slots:
    void FormShow();
    void cbComSelectChange(const QString& text);
    void cbBaudRateChange(const QString& text);
    void seTimeOutChange(const QString& text);
    void sbApplyClick();
    void sbCancelClick();
    void sbFindPhoneClick();
    void sbStopFindClick();
    void lbFoundClick(QListWidgetItem* item);
    bool isFinding() const { return finder_.joinable(); }
    // The dialog sees every key first: Esc cancels, Enter applies.
    void FormKeyDown(QKeyEvent* event);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // Cancel, Esc and the window's close button.
    void reject() override;
    void done(int result) override;

private:
    WindowContext& context_;
    orlin::PortSettings opened_;  // the values as the dialog found them when it opened
    bool filling_ = false;

    void showFound(const orlin::ProbeResult& result);
    void finishFinding();
    std::thread finder_;
    std::atomic<bool> stopFinding_{false};
    std::unique_ptr<BusyScope> findingBusy_;
    int phonesFound_ = 0;
    int noticesShown_ = 0;  // the adapters' notices at the end of the list
    int search_ = 0;        // what a finished or abandoned search still posts is ignored
};
