#include "link/modem_manager.h"

#include <climits>
#include <cstdlib>

#include "link/language.h"

namespace orlin {

namespace {

// The device's path with links resolved (the by-id link names its ttyACM); the path as it
// stands when it does not resolve.
std::string RealDevicePath(const std::string& device) {
    char resolved[PATH_MAX];
    if (::realpath(device.c_str(), resolved) == nullptr) return device;
    return resolved;
}

}  // namespace

std::optional<ManagedModem> ModemOfDevice(const std::vector<ManagedModem>& modems,
                                          const std::string& device) {
    const std::string real = RealDevicePath(device);
    for (const ManagedModem& modem : modems) {
        for (const std::string& port : modem.ports) {
            if (port.empty()) continue;
            const std::string path = "/dev/" + port;
            if (path == real || path == device) return modem;
        }
    }
    return std::nullopt;
}

std::string ModemManagerBusyText(const std::string& device, const std::string& remedy) {
    return Tr("ModemManager", "Порт занят службой ModemManager: она приняла телефон на ") + device +
           Tr("ModemManager", " за модем и держит порт открытым. ") + remedy;
}

std::string ModemManagerRefusedText(const std::string& device, const std::string& reason) {
    return Tr("ModemManager", "Порт занят службой ModemManager: она не отпустила ") + device +
           " (" + reason + ")";
}

std::optional<PortHolder> ModemManagerInquiry::Holder(const std::string& device) {
    const std::optional<ManagedModem> modem = ModemOfDevice(Modems(), device);
    if (!modem) return std::nullopt;
    return PortHolder{device, "ModemManager", modem->uid, ModemManagerBusyText(device, Remedy())};
}

}  // namespace orlin
