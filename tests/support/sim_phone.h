#pragma once
// A simulated phone started for one test on its own pseudo-terminal, with the port settings
// that reach it (SimPhone), and the same with an open serial port on it for the simulator's
// own tests (SimPort).
//
//   SimPhone phone("C350");                      // seeded with the demo contents
//   PhoneSession session(phone.settings);
//   phone.mark();
//   ... run an operation ...
//   EXPECT_EQ(phone.sinceStarting("AT+MPBW").size(), 1u);
//   EXPECT_EQ(phone.phonebook().count(5), 1u);

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "link/block_serial.h"
#include "link/port_settings.h"
#include "phonesim/phone_simulator.h"

namespace orlin::test {

// The options of a simulated `model`, seeded with the demo contents or empty.
phonesim::PhoneSimOptions PhoneOptions(const std::string& model, bool seeded = true);

// Faults that put an unsolicited line before the echo and inside the answer of every command.
phonesim::FaultOptions UnsolicitedEverywhere();

class SimPhone {
public:
    static constexpr int kBaud = 19200;
    static constexpr int kTimeoutMs = 1000;

    // Starts the phone; `settings` name its device with the given speed and time-out.
    explicit SimPhone(phonesim::PhoneSimOptions options = {}, int baud = kBaud,
                      int timeoutMs = kTimeoutMs);
    explicit SimPhone(const std::string& model, bool seeded = true);
    SimPhone(const SimPhone&) = delete;
    SimPhone& operator=(const SimPhone&) = delete;

    phonesim::PhoneSimulator& sim() { return phone_; }
    const phonesim::PhoneSimulator& sim() const { return phone_; }
    phonesim::PhoneSimulator* operator->() { return &phone_; }
    const std::string& portPath() const { return phone_.portPath(); }

    // A copy of the phone's state, and its phonebook.
    phonesim::PhoneState state();
    std::map<int, phonesim::PhonebookEntry> phonebook();
    // Changes the phone's state (under the phone's lock).
    void edit(const std::function<void(phonesim::PhoneState&)>& fn) { phone_.withState(fn); }

    // The command lines received from now on: mark(), then since() or sinceStarting().
    void mark() { mark_ = phone_.commandLog().size(); }
    std::vector<std::string> since() const;
    // The command lines received since mark() that begin with `prefix`.
    std::vector<std::string> sinceStarting(const std::string& prefix) const;

    PortSettings settings;

private:
    phonesim::PhoneSimulator phone_;
    size_t mark_ = 0;
};

// A started phone and a TBlockSerial open on it at 115200 bit/s. Errors are not raised:
// the tests look at LastError() after each exchange.
class SimPort : public SimPhone {
public:
    explicit SimPort(phonesim::PhoneSimOptions options = {});

    // Opens the port again (after the phone closed it, say).
    void open();
    // The whole answer to a command, as the serial class returns it.
    std::string at(const std::string& command) { return port.AtCommand(command); }
    // The information line of a one-line answer, without its framing.
    std::string line(const std::string& command);

    TBlockSerial port;
};

}  // namespace orlin::test
