// ModemManager over the system bus through sd-bus (libsystemd), for the Qt-free command line.
// The bus is the one DBUS_SYSTEM_BUS_ADDRESS names, else the system's; a test runs its own.

#include <systemd/sd-bus.h>

#include <cstring>
#include <string>
#include <vector>

#include "cli/port_holders.h"
#include "link/language.h"
#include "link/modem_manager.h"

namespace orlin::cli {

namespace {

constexpr uint64_t kQuestionMicroseconds = 5 * 1000 * 1000;
// InhibitDevice may wait for the user to authorise it (polkit asks for a password).
constexpr uint64_t kInhibitMicroseconds = 120 * 1000 * 1000;

// Reads the "Device" and "Ports" properties of one Modem interface: a{sv}.
int ReadModemProperties(sd_bus_message* reply, ManagedModem& modem) {
    int r = sd_bus_message_enter_container(reply, 'a', "{sv}");
    if (r < 0) return r;
    while ((r = sd_bus_message_enter_container(reply, 'e', "sv")) > 0) {
        const char* name = nullptr;
        if ((r = sd_bus_message_read(reply, "s", &name)) < 0) return r;
        if (std::strcmp(name, "Device") == 0 && sd_bus_message_verify_type(reply, 'v', "s") > 0) {
            const char* uid = nullptr;
            if ((r = sd_bus_message_read(reply, "v", "s", &uid)) < 0) return r;
            modem.uid = uid;
        } else if (std::strcmp(name, "Ports") == 0 &&
                   sd_bus_message_verify_type(reply, 'v', "a(su)") > 0) {
            if ((r = sd_bus_message_enter_container(reply, 'v', "a(su)")) < 0) return r;
            if ((r = sd_bus_message_enter_container(reply, 'a', "(su)")) < 0) return r;
            const char* port = nullptr;
            uint32_t type = 0;
            while ((r = sd_bus_message_read(reply, "(su)", &port, &type)) > 0)
                modem.ports.emplace_back(port);
            if (r < 0) return r;
            if ((r = sd_bus_message_exit_container(reply)) < 0) return r;
            if ((r = sd_bus_message_exit_container(reply)) < 0) return r;
        } else if ((r = sd_bus_message_skip(reply, "v")) < 0) {
            return r;
        }
        if ((r = sd_bus_message_exit_container(reply)) < 0) return r;
    }
    if (r < 0) return r;
    return sd_bus_message_exit_container(reply);
}

// GetManagedObjects' answer: a{oa{sa{sv}}}, the Modem interfaces among them.
int ReadModems(sd_bus_message* reply, std::vector<ManagedModem>& modems) {
    int r = sd_bus_message_enter_container(reply, 'a', "{oa{sa{sv}}}");
    if (r < 0) return r;
    while ((r = sd_bus_message_enter_container(reply, 'e', "oa{sa{sv}}")) > 0) {
        const char* object = nullptr;
        if ((r = sd_bus_message_read(reply, "o", &object)) < 0) return r;
        if ((r = sd_bus_message_enter_container(reply, 'a', "{sa{sv}}")) < 0) return r;
        while ((r = sd_bus_message_enter_container(reply, 'e', "sa{sv}")) > 0) {
            const char* interface = nullptr;
            if ((r = sd_bus_message_read(reply, "s", &interface)) < 0) return r;
            if (std::strcmp(interface, kModemManagerModem) == 0) {
                ManagedModem modem;
                modem.object = object;
                if ((r = ReadModemProperties(reply, modem)) < 0) return r;
                modems.push_back(modem);
            } else if ((r = sd_bus_message_skip(reply, "a{sv}")) < 0) {
                return r;
            }
            if ((r = sd_bus_message_exit_container(reply)) < 0) return r;
        }
        if (r < 0) return r;
        if ((r = sd_bus_message_exit_container(reply)) < 0) return r;
        if ((r = sd_bus_message_exit_container(reply)) < 0) return r;
    }
    if (r < 0) return r;
    return sd_bus_message_exit_container(reply);
}

class SdBusModemManager final : public ModemManagerInquiry {
public:
    explicit SdBusModemManager(bool inhibit) : inhibit_(inhibit) {}
    ~SdBusModemManager() override {
        // Handing the devices back at once; ModemManager would also do it when this connection
        // leaves the bus.
        for (const std::string& uid : inhibited_) Inhibit(uid, false, nullptr);
        if (bus_) sd_bus_flush_close_unref(bus_);
    }

    bool Release(PortHolder& holder) override {
        if (!inhibit_) return false;
        std::string reason;
        if (!Inhibit(holder.id, true, &reason)) {
            holder.text = ModemManagerRefusedText(holder.device, reason);
            return false;
        }
        inhibited_.push_back(holder.id);
        return true;
    }

protected:
    std::vector<ManagedModem> Modems() override {
        std::vector<ManagedModem> modems;
        sd_bus_message* call = NewCall(kModemManagerPath, kObjectManager, "GetManagedObjects");
        if (call == nullptr) return modems;
        sd_bus_message* reply = nullptr;
        if (sd_bus_call(bus_, call, kQuestionMicroseconds, nullptr, &reply) >= 0) {
            // A reply that does not read as expected counts for as much as it read.
            ReadModems(reply, modems);
        }
        sd_bus_message_unref(reply);
        sd_bus_message_unref(call);
        return modems;
    }

    std::string Remedy() const override {
        return Tr("PortHolders",
                  "Запустите orlin-cli с параметром --inhibit-modemmanager (ModemManager отпустит "
                  "порт, пока orlin-cli работает), или установите правило udev 60-orlin.rules, "
                  "с которым ModemManager не трогает телефоны Motorola (см. README).");
    }

private:
    // The system bus, connected when first needed; nullptr when there is none.
    sd_bus* Bus() {
        if (!bus_ && !triedBus_) {
            triedBus_ = true;
            if (sd_bus_open_system(&bus_) < 0) bus_ = nullptr;
        }
        return bus_;
    }

    // A call to ModemManager that never starts it: asking whether it holds a port must not
    // bring up a service that was not running.
    sd_bus_message* NewCall(const char* path, const char* interface, const char* method) {
        if (!Bus()) return nullptr;
        sd_bus_message* call = nullptr;
        if (sd_bus_message_new_method_call(bus_, &call, kModemManagerService, path, interface,
                                           method) < 0)
            return nullptr;
        sd_bus_message_set_auto_start(call, 0);
        return call;
    }

    bool Inhibit(const std::string& uid, bool inhibit, std::string* reason) {
        sd_bus_message* call = NewCall(kModemManagerPath, kModemManagerService, "InhibitDevice");
        if (call == nullptr) {
            if (reason) *reason = Tr("PortHolders", "системная шина недоступна");
            return false;
        }
        sd_bus_message_set_allow_interactive_authorization(call, 1);
        sd_bus_error error = SD_BUS_ERROR_NULL;
        int r = sd_bus_message_append(call, "sb", uid.c_str(), inhibit ? 1 : 0);
        if (r >= 0) r = sd_bus_call(bus_, call, kInhibitMicroseconds, &error, nullptr);
        if (r < 0 && reason) *reason = error.message ? error.message : std::strerror(-r);
        sd_bus_error_free(&error);
        sd_bus_message_unref(call);
        return r >= 0;
    }

    bool inhibit_;
    sd_bus* bus_ = nullptr;
    bool triedBus_ = false;
    std::vector<std::string> inhibited_;
};

}  // namespace

std::unique_ptr<PortHolderInquiry> SystemBusPortHolders(bool inhibit) {
    return std::make_unique<SdBusModemManager>(inhibit);
}

}  // namespace orlin::cli
