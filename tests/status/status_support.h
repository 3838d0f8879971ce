#pragma once
// A simulated phone on its own pseudo-terminal and the port settings that reach it.

#include <chrono>
#include <memory>
#include <string>

#include "link/cp1251.h"
#include "link/port_settings.h"
#include "phonesim/phone_simulator.h"

namespace orlin::test {

inline std::string W(const std::string& utf8) {
    return Utf8ToCp1251(utf8);
}

struct SimulatedPhone {
    explicit SimulatedPhone(phonesim::PhoneSimOptions options = {})
        : phone(std::make_unique<phonesim::PhoneSimulator>(std::move(options))) {
        phone->start();
        settings.PortName = phone->portPath();
        settings.PortBaudRate = 19200;
        settings.PortTimeOut = 1000;
    }
    phonesim::PhoneSimulator& operator*() { return *phone; }
    phonesim::PhoneSimulator* operator->() { return phone.get(); }

    std::unique_ptr<phonesim::PhoneSimulator> phone;
    PortSettings settings;
};

inline phonesim::FaultOptions UnsolicitedEverywhere() {
    phonesim::FaultOptions faults;
    faults.unsolicitedBeforeOn = "*";
    faults.unsolicitedInsideOn = "*";
    return faults;
}

// Milliseconds that `fn` takes.
template <typename Fn>
long long MillisecondsOf(Fn&& fn) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

}  // namespace orlin::test
