// Checks that the simulated phone keeps to its line speed: each exchange below is timed against
// what its bytes need on the wire (10 bits a byte, both directions) and must land inside a
// window around that time. Each exchange runs several times and the fastest run counts, so a
// busy machine makes a run slower but does not make the check fail; a phone that sends faster
// than the line allows fails on every run.
//
//   orlin-bench-pacing [RUNS]      (default: 3)
//
// Exits 0 when every measurement is inside its window, 1 when one is not, 2 on a wrong answer.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <limits>
#include <string>

#include "link/block_serial.h"
#include "link/phone_text.h"
#include "phonesim/phone_simulator.h"

namespace {

using Clock = std::chrono::steady_clock;
using orlin::phonesim::PhoneSimOptions;
using orlin::phonesim::PhoneSimulator;
using orlin::phonesim::PhoneState;

// The answer to storing a message: the new index (12 to 99 here) and OK.
const std::string kStoredAnswer = "\r\n+CMGW: 12\r\n\r\nOK\r\n";

// A wrong answer: the timing of it means nothing.
struct WrongAnswer {
    std::string what;
};

// A started phone and a serial port open on it.
struct PacedPhone {
    explicit PacedPhone(const PhoneSimOptions& options) : sim(options) {
        sim.start();
        port.OpenPort(sim.portPath());
        port.ConfigureLine(115200, 8, 'N', 0, false, false);
    }
    std::string at(const std::string& command) { return port.AtCommand(command); }

    PhoneSimulator sim;
    orlin::TBlockSerial port;
};

// Fills the phone with entries until an AT+MPBR=1,1000 answer holds about `bytes` bytes.
void FillPhonebook(PhoneSimulator& sim, size_t bytes) {
    sim.withState([bytes](PhoneState& s) {
        s.contents.phonebook.clear();
        size_t total = 0;
        for (int slot = 1; total < bytes && slot <= s.meLast; ++slot) {
            orlin::phonesim::PhonebookEntry e;
            e.number = "+7900123" + std::to_string(1000 + slot);
            e.numberFormat = 145;
            e.name = "Contact number " + std::to_string(1000 + slot);
            s.contents.phonebook[slot] = e;
            total += 133;  // about one line in UCS2
        }
    });
}

double SecondsOf(const std::function<void()>& fn) {
    const auto start = Clock::now();
    fn();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Expect(bool ok, const std::string& what) {
    if (!ok) throw WrongAnswer{what};
}

// One timed exchange: `run` does it once and returns the bytes that crossed the line.
struct Measurement {
    std::string name;
    int baud;
    double lowFactor;   // the fastest run may not be quicker than expected * lowFactor
    double highFactor;  // nor slower than expected * highFactor + slackSeconds
    double slackSeconds;
    std::function<size_t()> run;
};

bool Report(const Measurement& m, int runs) {
    double best = std::numeric_limits<double>::max();
    size_t bytes = 0;
    for (int i = 0; i < runs; ++i) best = std::min(best, SecondsOf([&] { bytes = m.run(); }));
    const double expected = bytes * 10.0 / m.baud;
    const double low = expected * m.lowFactor;
    const double high = expected * m.highFactor + m.slackSeconds;
    const bool ok = best >= low && best <= high;
    std::printf("%-44s %6d baud %6zu bytes  expected %.3f s  measured %.3f s  [%.3f, %.3f]  %s\n",
                m.name.c_str(), m.baud, bytes, expected, best, low, high, ok ? "ok" : "FAR OFF");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string longCommand = "AT+NOSUCH=" + std::string(390, 'x');  // 400 bytes in

    PhoneSimOptions fast;
    fast.baud = 115200;
    fast.echo = false;
    fast.seeded = false;
    PacedPhone bigRead(fast);
    FillPhonebook(bigRead.sim, 10000);
    bigRead.at("AT+CSCS=UCS2");

    PhoneSimOptions quiet;
    quiet.baud = 19200;
    quiet.echo = false;
    PacedPhone noEcho(quiet);

    PhoneSimOptions echoing;
    echoing.baud = 19200;
    PacedPhone echo(echoing);
    echo.at("AT+CSCS=UCS2");
    const std::string text = orlin::EncodeUcs2(std::string(70, 'a'));  // 280 bytes
    const std::string store = "AT+CMGW=\"+7911\"\r" + text + "\x1a";

    const Measurement measurements[] = {
        // The command with its CR, then the answer of about ten thousand bytes.
        {"phonebook answer of 10,000 bytes", 115200, 0.98, 1.04, 0.03,
         [&] {
             const std::string command = "AT+MPBR=1,1000";
             const std::string answer = bigRead.at(command);
             Expect(bigRead.port.AtOk, "AT+MPBR=1,1000 failed");
             Expect(answer.size() > 9500 && answer.size() < 11000,
                    "AT+MPBR=1,1000 answered " + std::to_string(answer.size()) + " bytes");
             return command.size() + 1 + answer.size();
         }},
        // Incoming bytes are paced too: 400 bytes in, ERROR out.
        {"400-byte command in, ERROR out", 19200, 0.97, 1.1, 0.03,
         [&] {
             Expect(noEcho.at(longCommand) == "\r\nERROR\r\n", "the long command was not refused");
             return longCommand.size() + 1 + 9;
         }},
        // The phone echoes each byte as it comes in, so the echo costs no line time of its own:
        // the answer starts one byte after the command's CR has arrived.
        {"the same with echo", 19200, 0.97, 1.1, 0.03,
         [&] {
             Expect(echo.at(longCommand) == "\r\nERROR\r\n", "the echoed command was not refused");
             return longCommand.size() + 1 + 1 + 9;
         }},
        // Message text after the prompt is echoed the same way: the command line, the text and
        // Ctrl-Z go in, then the answer; the prompt and the echo go out while the text comes in.
        {"message of 280 bytes stored, with echo", 19200, 0.97, 1.1, 0.03,
         [&] {
             const std::string r = echo.at(store);
             const size_t answer = r.find("\r\n+CMGW: ");
             Expect(answer != std::string::npos && r.size() - answer == kStoredAnswer.size() &&
                        r.compare(r.size() - 8, 8, "\r\n\r\nOK\r\n") == 0,
                    "AT+CMGW answered " + r);
             return store.size() + kStoredAnswer.size();
         }},
    };

    bool allOk = true;
    try {
        for (const Measurement& m : measurements) allOk = Report(m, runs) && allOk;
    } catch (const WrongAnswer& e) {
        std::cerr << "wrong answer: " << e.what << "\n";
        return 2;
    }
    return allOk ? 0 : 1;
}
