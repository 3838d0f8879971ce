#pragma once
// Finding the phone: the serial devices this machine has, and what answers on each of them.
// A probe opens the device through the same open-and-lock path as every operation, asks AT,
// AT+CGMI and AT+CGMM with a short time-out and closes it at once. It sends nothing that
// changes a setting of the phone (no ATE, no character set). Texts are UTF-8.

#include <string>
#include <vector>

namespace orlin {

// Names the device patterns to list instead of this machine's serial devices, separated by
// ':' (';' on Windows): a test lists its simulated phones with it.
inline constexpr const char* kPortPatternsVariable = "ORLIN_PORT_PATTERNS";

// The patterns listed by default: /dev/serial/by-id/*, /dev/ttyUSB*, /dev/ttyACM*, the
// Bluetooth serial ports /dev/rfcomm*, and the built-in ports /dev/ttyS* only with `all` (on many
// machines they are consoles).
std::vector<std::string> DefaultPortPatterns(bool all);

// The devices that the patterns name, in the patterns' order and by number within one
// pattern (ttyUSB2 before ttyUSB10). A device named twice (a by-id link and the device it
// points to) is listed once, under the first name. Nothing is opened.
std::vector<std::string> ListPorts(const std::vector<std::string>& patterns);

// The devices to probe: those the variable names when it is set; else on Windows the COM
// ports the registry lists, elsewhere ListPorts(DefaultPortPatterns(all)).
std::vector<std::string> CandidatePorts(bool all);

enum class ProbeOutcome {
    Phone,     // it answered AT: `text` says what it is
    NoAnswer,  // "нет ответа"
    Busy,      // "занят": another program holds it
    NoAccess,  // "нет доступа" (with the fix on Linux)
    Failed,    // any other failure: `text` is its reason
};

struct ProbeResult {
    std::string device;
    ProbeOutcome outcome = ProbeOutcome::Failed;
    std::string text;  // "Motorola C350", or why not
};

struct ProbeOptions {
    int baudRate = 19200;
    int timeoutMs = 500;  // per answer
};

// Probes one device; never raises. What answered is named from AT+CGMI (its first word, the
// maker) and AT+CGMM (the model after MODEL=, else the whole answer).
ProbeResult ProbePort(const std::string& device, const ProbeOptions& options = {});

// The name of what answered, from the two answers (either may be a refusal or empty).
std::string ProbedName(const std::string& makerAnswer, const std::string& modelAnswer);

}  // namespace orlin
