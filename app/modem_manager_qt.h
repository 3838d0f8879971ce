#pragma once
// ModemManager over the system bus through Qt's D-Bus module, for the window: a busy port that
// ModemManager holds is named in the error, and the user is asked whether ModemManager should
// let go of it; a device it let go of stays released until the window closes, since every
// operation opens the port anew. The bus is the one DBUS_SYSTEM_BUS_ADDRESS names, else the
// system's.

#include <QString>
#include <QStringList>

#include "link/modem_manager.h"

class QWidget;

class QtModemManager final : public orlin::ModemManagerInquiry {
public:
    explicit QtModemManager(QWidget* window);
    ~QtModemManager() override;  // hands the devices back
    QtModemManager(const QtModemManager&) = delete;
    QtModemManager& operator=(const QtModemManager&) = delete;

    // On the window's thread only: asks the user, then ModemManager. The finder's thread never
    // asks.
    bool Release(orlin::PortHolder& holder) override;

protected:
    std::vector<orlin::ManagedModem> Modems() override;
    std::string Remedy() const override;

private:
    QWidget* window_;
    QString inhibitConnection_;  // open while a device is inhibited: ModemManager watches it
    QStringList inhibited_;
};
