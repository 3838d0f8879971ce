#pragma once
// A message bus of the test's own (a dbus-daemon that the test starts and stops; the system's
// bus is never touched) and, on it, the ModemManager stand-in
// (tests/support/modem_manager_standin.py), which holds a device the way ModemManager holds a
// phone it takes for a modem. A program reaches the bus through DBUS_SYSTEM_BUS_ADDRESS.
//
// The test programs that run orlin-cli or the window isolate themselves first
// (IsolateTestProcess): no test asks the real system bus or finds the user's own settings.

#include <sys/types.h>

#include <string>
#include <vector>

namespace orlin::test {

// Points DBUS_SYSTEM_BUS_ADDRESS of this process (and of the programs it starts) at a bus that
// does not exist, and XDG_DATA_HOME at a folder that does not exist (the window's data folder,
// where orlin-cli would otherwise find a user's portcfg.ini), and ORLIN_LANG at Russian.
void IsolateTestProcess();

class PrivateBus {
public:
    PrivateBus();   // starts the daemon; ok() says whether it runs
    ~PrivateBus();  // stops it
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool ok() const { return !address_.empty(); }
    const std::string& address() const { return address_; }

private:
    pid_t pid_ = -1;
    std::string address_;
};

class ModemManagerStandIn {
public:
    // Holds `device` and answers for a modem with that port and `uid`.
    ModemManagerStandIn(const PrivateBus& bus, const std::string& device, const std::string& uid);
    ~ModemManagerStandIn();  // stops it, which lets go of the device
    ModemManagerStandIn(const ModemManagerStandIn&) = delete;
    ModemManagerStandIn& operator=(const ModemManagerStandIn&) = delete;

    bool ok() const { return ready_; }
    // The InhibitDevice calls received: "InhibitDevice UID true|false", in order.
    std::vector<std::string> calls() const;

private:
    pid_t pid_ = -1;
    bool ready_ = false;
    std::string log_;
};

}  // namespace orlin::test
