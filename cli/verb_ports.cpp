// orlin-cli ports: the serial devices of this machine and what answers on each of them.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/json_output.h"
#include "cli/verb.h"
#include "link/data_folder.h"
#include "link/errors.h"
#include "link/port_probe.h"
#include "link/port_settings.h"
#include "link/usb_adapters.h"
#include "link/whole_file.h"

namespace orlin::cli {

namespace {

constexpr int kProbeTimeOutMs = 500;

// Writes the port into the portcfg.ini the window starts with: the one here when there is one,
// else the one in the window's data folder (made when missing). Its other settings stay.
// (On Windows, with no such folder, the file here.)
void SavePort(const std::string& device, const Invocation& invocation) {
    std::error_code error;
    std::string file = kPortSettingsFile;
    const std::string folder = UserDataFolder();  // none on Windows: the file goes here
    if (!std::filesystem::exists(file, error) && !folder.empty()) {
        std::filesystem::create_directories(PathFromUtf8(folder), error);
        file = Utf8FromPath(PathFromUtf8(folder) / kPortSettingsFile);
    }
    PortSettings settings;
    settings.PortBaudRate = 19200;
    settings.PortTimeOut = 3000;
    if (std::filesystem::exists(PathFromUtf8(file), error)) {
        try {
            LoadPortSettings(settings, file);
        } catch (const OrlinError&) {
            // A file that does not read whole is written anew, with what it did give.
        }
    }
    settings.PortName = device;
    if (invocation.settings.PortBaudRate > 0)
        settings.PortBaudRate = invocation.settings.PortBaudRate;
    SavePortSettings(settings, file);
    std::cerr << "Saved " << device << " as the port in " << file << "\n";
}

const char* OutcomeWord(ProbeOutcome outcome) {
    switch (outcome) {
        case ProbeOutcome::Phone:
            return "phone";
        case ProbeOutcome::NoAnswer:
            return "no-answer";
        case ProbeOutcome::Busy:
            return "busy";
        case ProbeOutcome::NoAccess:
            return "no-access";
        case ProbeOutcome::Failed:
            break;
    }
    return "failed";
}

int RunPorts(const Invocation& invocation) {
    bool all = false;
    bool save = false;
    std::vector<std::string> named;
    std::vector<std::string> words = invocation.args;
    const ListFormat format = TakeListFormat(words, 0);
    for (const std::string& word : words) {
        if (word == "--all") {
            all = true;
        } else if (word == "--save") {
            save = true;
        } else if (word.rfind("--", 0) == 0) {
            throw UsageError("unknown option " + word);
        } else {
            named.push_back(word);
        }
    }
    // Named devices are probed as named, built-in ports included.
    const std::vector<std::string> devices = named.empty() ? CandidatePorts(all) : named;
    // Adapters that are plugged in but got no port (brltty took them, no driver).
    const std::vector<AdapterNotice> notices =
        named.empty() ? CurrentAdapterNotices() : std::vector<AdapterNotice>();
    if (devices.empty()) {
        if (format == ListFormat::Json) PrintJsonList(std::cout, {});
        std::cerr << "No serial devices found"
                  << (all ? "" : " (built-in ports /dev/ttyS* are probed with --all)") << "\n";
        for (const AdapterNotice& notice : notices)
            std::cerr << notice.adapter << "  " << notice.text << "\n";
        return 1;
    }
    ProbeOptions options;
    options.timeoutMs = invocation.timeoutGiven ? invocation.settings.PortTimeOut : kProbeTimeOutMs;
    if (invocation.settings.PortBaudRate > 0) options.baudRate = invocation.settings.PortBaudRate;

    size_t width = 0;
    for (const std::string& device : devices) width = std::max(width, device.size());
    std::string found;  // the first device a phone answered on
    std::vector<Json> items;
    for (const std::string& device : devices) {
        const ProbeResult result = ProbePort(device, options);
        if (found.empty() && result.outcome == ProbeOutcome::Phone) found = device;
        if (format == ListFormat::Json) {
            items.push_back({{"device", JsonText(device)},
                             {"outcome", OutcomeWord(result.outcome)},
                             {"text", JsonText(result.text)}});
            continue;
        }
        std::cout << device << std::string(width - device.size() + 2, ' ') << result.text
                  << std::endl;
    }
    // The adapters without a port are no devices of the list: with JSON they stay notes on
    // standard error.
    if (format == ListFormat::Json) PrintJsonList(std::cout, items);
    for (const AdapterNotice& notice : notices)
        (format == ListFormat::Json ? std::cerr : std::cout)
            << notice.adapter << "  " << notice.text << std::endl;
    if (save && found.empty()) std::cerr << "No phone answered: nothing saved\n";
    if (save && !found.empty()) SavePort(found, invocation);
    return found.empty() ? 1 : 0;
}

const VerbRegistration registration({
    "ports",
    "ports [DEVICE...] [--all] [--save] [--format json]",
    "Lists the serial devices of this machine (/dev/serial/by-id/*, /dev/ttyUSB*, /dev/ttyACM*,\n"
    "Bluetooth's /dev/rfcomm*; on Windows the COM ports the system lists) and asks each,\n"
    "briefly (500 ms unless --timeout is given), AT, AT+CGMI and AT+CGMM: one line per device\n"
    "with what answered (\"Motorola C350\") or why not (no answer, in use, held by\n"
    "ModemManager, or no access, with the group to join). USB serial adapters that got no\n"
    "port (brltty took them, or no driver did) follow, with what to do. No setting of\n"
    "the phone changes; each port is released at once. Built-in ports (/dev/ttyS*, often\n"
    "consoles) are probed only when named or with --all. --save writes the first device a\n"
    "phone answered on into portcfg.ini (the one here, else the window's in\n"
    "~/.local/share/orlin), so that the window and orlin-cli start with it. Needs no\n"
    "portcfg.ini; exit status 1 when no phone answered. --format json: one JSON object per\n"
    "device (see JSON output below); the adapters without a port go to standard error.",
    RunPorts,
    true,
});

}  // namespace

}  // namespace orlin::cli
