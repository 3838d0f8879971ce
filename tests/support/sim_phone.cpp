#include "tests/support/sim_phone.h"

#include <algorithm>
#include <utility>

namespace orlin::test {

phonesim::PhoneSimOptions PhoneOptions(const std::string& model, bool seeded) {
    phonesim::PhoneSimOptions options;
    options.model = model;
    options.seeded = seeded;
    return options;
}

phonesim::FaultOptions UnsolicitedEverywhere() {
    phonesim::FaultOptions faults;
    faults.unsolicitedBeforeOn = "*";
    faults.unsolicitedInsideOn = "*";
    return faults;
}

SimPhone::SimPhone(phonesim::PhoneSimOptions options, int baud, int timeoutMs)
    : phone_(std::move(options)) {
    phone_.start();
    settings.PortName = phone_.portPath();
    settings.PortBaudRate = baud;
    settings.PortTimeOut = timeoutMs;
}

SimPhone::SimPhone(const std::string& model, bool seeded) : SimPhone(PhoneOptions(model, seeded)) {}

phonesim::PhoneState SimPhone::state() {
    phonesim::PhoneState copy;
    phone_.withState([&](phonesim::PhoneState& s) { copy = s; });
    return copy;
}

std::map<int, phonesim::PhonebookEntry> SimPhone::phonebook() {
    return state().contents.phonebook;
}

std::vector<std::string> SimPhone::since() const {
    const auto log = phone_.commandLog();
    return std::vector<std::string>(log.begin() + static_cast<long>(std::min(mark_, log.size())),
                                    log.end());
}

std::vector<std::string> SimPhone::sinceStarting(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& line : since())
        if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
    return out;
}

SimPort::SimPort(phonesim::PhoneSimOptions options) : SimPhone(std::move(options), 115200) {
    open();
}

void SimPort::open() {
    port.OpenPort(settings.PortName);
    port.ConfigureLine(settings.PortBaudRate, 8, 'N', 0, false, false);
}

std::string SimPort::line(const std::string& command) {
    std::string r = at(command);
    if (r.size() < 4 || r.compare(0, 2, "\r\n") != 0) return r;
    return r.substr(2, r.find("\r\n", 2) - 2);
}

}  // namespace orlin::test
