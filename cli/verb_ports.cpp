// orlin-cli ports: the serial devices of this machine and what answers on each of them.

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/verb.h"
#include "link/cp1251.h"
#include "link/port_probe.h"

namespace orlin::cli {

namespace {

constexpr int kProbeTimeOutMs = 500;

int RunPorts(const Invocation& invocation) {
    bool all = false;
    std::vector<std::string> named;
    for (const std::string& word : invocation.args) {
        if (word == "--all") {
            all = true;
        } else if (word.rfind("--", 0) == 0) {
            throw UsageError("unknown option " + word);
        } else {
            named.push_back(Utf8ToCp1251(word));
        }
    }
    // Named devices are probed as named, built-in ports included.
    const std::vector<std::string> devices = named.empty() ? CandidatePorts(all) : named;
    if (devices.empty()) {
        std::cerr << "No serial devices found"
                  << (all ? "" : " (built-in ports /dev/ttyS* are probed with --all)") << "\n";
        return 1;
    }
    ProbeOptions options;
    options.timeoutMs = invocation.timeoutGiven ? invocation.settings.PortTimeOut : kProbeTimeOutMs;
    if (invocation.settings.PortBaudRate > 0) options.baudRate = invocation.settings.PortBaudRate;

    size_t width = 0;
    for (const std::string& device : devices) width = std::max(width, device.size());
    bool found = false;
    for (const std::string& device : devices) {
        const ProbeResult result = ProbePort(device, options);
        found = found || result.outcome == ProbeOutcome::Phone;
        std::cout << Cp1251ToUtf8(device) << std::string(width - device.size() + 2, ' ')
                  << Cp1251ToUtf8(result.text) << std::endl;
    }
    return found ? 0 : 1;
}

const VerbRegistration registration({
    "ports",
    "ports [DEVICE...] [--all]",
    "Lists the serial devices of this machine (/dev/serial/by-id/*, /dev/ttyUSB*, /dev/ttyACM*;\n"
    "on Windows the COM ports the system lists) and asks each, briefly (500 ms unless\n"
    "--timeout is given), AT, AT+CGMI and AT+CGMM: one line per device with what answered\n"
    "(\"Motorola C350\") or why not (\"нет ответа\", \"занят\", \"нет доступа\"). No setting of\n"
    "the phone changes; each port is released at once. Built-in ports (/dev/ttyS*, often\n"
    "consoles) are probed only when named or with --all. Needs no portcfg.ini; exit status 1\n"
    "when no phone answered.",
    RunPorts,
    true,
});

}  // namespace

}  // namespace orlin::cli
