#pragma once
// PhoneSimulator: a simulated Motorola phone on a pseudo-terminal. It answers AT commands
// on its own thread; a client opens portPath() like a serial device, one client after
// another, and the phone's contents survive between them.
//
//   orlin::phonesim::PhoneSimOptions options;
//   options.model = "V300";
//   orlin::phonesim::PhoneSimulator phone(options);
//   phone.start();
//   ... open phone.portPath() with TBlockSerial ...
//   phone.withState([](orlin::phonesim::PhoneState& s) { ... });

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "phonesim/phone_state.h"

namespace orlin::phonesim {

// Misbehaviour on demand. A command filter is empty (no command), "*" (every command)
// or the start of a command line, compared without regard to case ("AT+MPBR=1,").
struct FaultOptions {
    std::string silentOn;             // no echo and no answer at all
    std::string cutOn;                // the answer stops after cutAfterBytes bytes (for
                                      // AT+CMGW the answer after the message text)
    size_t cutAfterBytes = 0;         // 0: half of the answer
    std::string errorOn;              // answered ERROR (or +CME ERROR: 100 after AT+CMEE=1)
    std::string errorLine;            // errorOn answers this final line instead when set
                                      // ("+CME ERROR: 10", "+CMS ERROR: 500")
    size_t chunkBytes = 0;            // every answer written in pieces of this many bytes
    bool splitCrLf = false;           // CR and LF of each line end written separately
    int pauseBetweenWritesMs = 10;    // pause between the separate writes of the two above
    std::string unsolicitedBeforeOn;  // an unsolicited line before the echo of these commands
    std::string unsolicitedInsideOn;  // ... between the first two lines of their answer
    std::string unsolicitedLine = "+CMTI: \"IM\",5";
    int hangUpAfterCommands = 0;  // close the device after this many commands; 0: never
};

struct PhoneSimOptions {
    std::string model = "C350";  // the family follows the model (FamilyOfModel)
    bool echo = true;
    bool numericErrors = false;  // start as after AT+CMEE=1: "+CME ERROR: n" for ERROR
    int latencyMs = 0;           // think time before every answer, as real phones have
    int baud = 0;                // 0: no pacing; else 10 bits a byte, both directions
    bool seeded = true;          // false: no contacts, events or messages
    std::string stateFile;       // load at start (if it exists), save after every change
    std::string logFile;         // transcript of commands and answers, time-stamped
    std::string linkPath;        // a symlink to the device, replaced if it exists
    bool simPresent = true;
    int meFirst = 1;
    int meLast = 1000;
    int smSize = 250;  // SIM slots, numbered right after meLast
    int datebookLastSlot = 500;
    bool datebookExceptionLines = false;  // skipped occurrences also on single-slot reads
    RealForms forms;                      // answer forms of real phones (all off by default)
    FaultOptions faults;
};

class PhoneSimulator {
public:
    explicit PhoneSimulator(PhoneSimOptions options = {});
    ~PhoneSimulator();  // stops
    PhoneSimulator(const PhoneSimulator&) = delete;
    PhoneSimulator& operator=(const PhoneSimulator&) = delete;

    // Opens the pseudo-terminal, loads or seeds the contents and starts answering.
    // Throws std::runtime_error when the device or the state file cannot be set up.
    void start();
    void stop();
    bool running() const;

    // The slave device path (/dev/pts/N), valid after start().
    const std::string& portPath() const { return portPath_; }

    // Runs `fn` on the phone's state under the phone's lock; the state file is saved
    // afterwards. Do not call the simulator from inside `fn`.
    void withState(const std::function<void(PhoneState&)>& fn);

    void setFaults(const FaultOptions& faults);
    FaultOptions faults() const;

    uint64_t commandsReceived() const;
    std::vector<std::string> commandLog() const;  // command lines received, without CR
    bool hungUp() const;                          // the hang-up fault closed the device

private:
    struct Impl;
    PhoneSimOptions options_;
    std::string portPath_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace orlin::phonesim
