#pragma once
// ModemManager, the desktop's modem service, takes a phone on a USB cable for a modem: it opens
// the port, probes it with AT commands of its own and keeps it. Asked over the system bus, its
// objects list the ports of every modem it manages, and InhibitDevice makes it let go of one
// device for as long as the asking connection stays on the bus. This file is the part that
// needs no bus: which modem holds a device, and the texts. The front ends talk to the bus
// (orlin-cli through sd-bus, the window through Qt). Not built for Windows.

#include <optional>
#include <string>
#include <vector>

#include "link/port_holder.h"

namespace orlin {

inline constexpr const char* kModemManagerService = "org.freedesktop.ModemManager1";
inline constexpr const char* kModemManagerPath = "/org/freedesktop/ModemManager1";
inline constexpr const char* kModemManagerModem = "org.freedesktop.ModemManager1.Modem";
inline constexpr const char* kObjectManager = "org.freedesktop.DBus.ObjectManager";

// One modem object as the service lists it.
struct ManagedModem {
    std::string object;              // /org/freedesktop/ModemManager1/Modem/0
    std::string uid;                 // its "Device" property: the id InhibitDevice takes
    std::vector<std::string> ports;  // its "Ports" names: "ttyACM0", "cdc-wdm0"
};

// The modem one of whose ports is `device` (a path, UTF-8 like every port name): a port
// name is the device's name below /dev, compared with the device's real path, so that a
// /dev/serial/by-id link finds its ttyACM.
std::optional<ManagedModem> ModemOfDevice(const std::vector<ManagedModem>& modems,
                                          const std::string& device);

// The error's text for a port ModemManager holds: "Порт занят службой ModemManager: " with
// the device and `remedy`.
std::string ModemManagerBusyText(const std::string& device, const std::string& remedy);

// The text when ModemManager refused to let go (`reason` is its answer).
std::string ModemManagerRefusedText(const std::string& device, const std::string& reason);

// The inquiry for a front end that lists ModemManager's modems and inhibits a device over the
// bus it has.
class ModemManagerInquiry : public PortHolderInquiry {
public:
    std::optional<PortHolder> Holder(const std::string& device) override;

protected:
    // The modems the service manages; none when it does not run or cannot be asked. The service
    // is never started for this.
    virtual std::vector<ManagedModem> Modems() = 0;
    // What the user can do about it, in this front end's words (UTF-8).
    virtual std::string Remedy() const = 0;
};

}  // namespace orlin
