#pragma once
// The information tab: what the phone says about itself (identity, model with its picture,
// bands, firmware, battery, signal) and the clock display with the synchronisation button.

#include <QPixmap>
#include <QWidget>
#include <memory>
#include <optional>

#include "ui/busy_state.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class WindowContext;
namespace orlin {
struct ButtonGlyphs;
struct ModelInfo;
enum class InfoParts;
}  // namespace orlin

namespace orlin {
class ClockSession;
}

class InfoTab : public QWidget {
    Q_OBJECT
public:
    explicit InfoTab(WindowContext& context, QWidget* parent = nullptr);
    ~InfoTab() override;

    // Clears CheckBox2 and runs its click handler: the display stops and its port closes.
    void SwitchClockDisplayOff();
    // Start-up: the glyphs of the tab's buttons.
    void ApplyGlyphs(const orlin::ButtonGlyphs& glyphs);
    bool ClockDisplayRunning() const { return ClockSession != nullptr; }

    QFrame* PanelInfo = nullptr;
    QLabel* LabelHeading = nullptr;
    QLineEdit* edtIMEI = nullptr;
    QLineEdit* edtIMSI = nullptr;
    QLineEdit* edtManufacturer = nullptr;
    QLineEdit* edtModel = nullptr;
    QLineEdit* edtBand = nullptr;
    QLineEdit* edtSoftWare = nullptr;
    QProgressBar* ggStatusCharge = nullptr;
    QProgressBar* ggStatusSignal = nullptr;
    QPushButton* SpeedButton1 = nullptr;  // "Обновить"
    QCheckBox* CheckBox2 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* edtCompTime = nullptr;
    QLineEdit* edtPhoneTime = nullptr;
    QPushButton* SpeedButton11 = nullptr;  // "Синхронизировать"
    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    // The port object the running clock display holds; null while the display is off.
    std::unique_ptr<orlin::ClockSession> ClockSession;

public slots:
    void tsInfoShow();
    void SpeedButton1Click();
    void CheckBox2Click();
    void Timer1Timer();
    void SpeedButton11Click();

private:
    // Reads the values over one session and shows those that came, then raises the failure.
    void readInfo(orlin::InfoParts parts);
    void showModel(const orlin::ModelInfo& info);
    void setClockFieldsVisible(bool visible);
    void synchronise();
    // The model's picture, scaled to the picture box as it is now.
    void showPicture();
    // The clock check box and "Синхронизировать" work on the running display's own port, so
    // they stay usable while the display keeps the window busy, and only then.
    void updateClockControls();

    bool eventFilter(QObject* watched, QEvent* event) override;

    WindowContext& context_;
    QPixmap picture_;  // the model picture last loaded, unscaled
    // The running clock display holds the port, so the window is busy while it runs.
    std::optional<BusyScope> clockBusy_;
};
