#include "link/port_probe.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <glob.h>
#include <limits.h>
#include <stdlib.h>
#endif

#include "link/answers.h"
#include "link/block_serial.h"
#include "link/cp1251.h"
#include "link/language.h"
#include "link/phone_session.h"
#include "link/port_holder.h"
#include "link/system_errors.h"

namespace orlin {

namespace {

#ifdef _WIN32
constexpr char kPatternSeparator = ';';
#else
constexpr char kPatternSeparator = ':';
#endif

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos) end = text.size();
        if (end > start) parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// ttyUSB2 before ttyUSB10: the text before the trailing digits, then their value.
bool ByNumber(const std::string& a, const std::string& b) {
    auto split = [](const std::string& s) {
        size_t i = s.size();
        while (i > 0 && s[i - 1] >= '0' && s[i - 1] <= '9') --i;
        const std::string digits = s.substr(i);
        // Up to 9 digits compare as numbers; longer runs compare by length, then as text.
        return std::make_tuple(s.substr(0, i), digits.size() > 9 ? digits.size() : 0,
                               digits.size() > 9 ? 0L : std::atol(digits.c_str()), digits);
    };
    return split(a) < split(b);
}

// The device a name stands for, to know a link and its target as one.
std::string Identity(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
#endif
}

std::vector<std::string> Expand(const std::string& pattern) {
    std::vector<std::string> names;
#ifdef _WIN32
    names.push_back(pattern);  // no wildcards: a port name as it stands
#else
    glob_t found{};
    if (::glob(pattern.c_str(), 0, nullptr, &found) == 0) {
        for (size_t i = 0; i < found.gl_pathc; ++i) names.emplace_back(found.gl_pathv[i]);
    }
    ::globfree(&found);
#endif
    std::sort(names.begin(), names.end(), ByNumber);
    return names;
}

#ifdef _WIN32
// The COM ports the system lists under HARDWARE\DEVICEMAP\SERIALCOMM (COM1, COM3, ...).
std::vector<std::string> RegistryPorts() {
    std::vector<std::string> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return ports;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        wchar_t data[256] = {};
        DWORD dataBytes = sizeof(data) - sizeof(wchar_t);  // room for a closing zero
        DWORD type = 0;
        const LONG status = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        const std::u16string value(reinterpret_cast<const char16_t*>(data),
                                   dataBytes / sizeof(wchar_t));
        std::string port = Utf16ToUtf8(value);
        port.erase(std::find(port.begin(), port.end(), '\0'), port.end());
        if (!port.empty()) ports.push_back(port);
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end(), ByNumber);
    return ports;
}
#endif

// The reason a port could not be opened or used, by the code the port object reports.
ProbeResult Failure(const std::string& device, int32_t code, const std::string& description) {
#ifdef _WIN32
    if (code != ErrTimeout && code < ErrAlreadyOwned) {
        const int mapped = Win32PortErrorAsErrno(static_cast<unsigned long>(code));
        if (mapped != 0) code = mapped;
    }
#endif
    if (code == ErrTimeout) return {device, ProbeOutcome::NoAnswer, Tr("PortProbe", "нет ответа")};
    if (code == EBUSY || code == ErrAlreadyOwned) {
#ifndef _WIN32
        // A service that manages the device is named ("занят службой ModemManager").
        if (PortHolderInquiry* inquiry = CurrentPortHolderInquiry()) {
            if (const std::optional<PortHolder> holder = inquiry->Holder(device))
                return {device, ProbeOutcome::Busy,
                        Tr("PortProbe", "занят службой ") + holder->service};
        }
#endif
        return {device, ProbeOutcome::Busy, Tr("PortProbe", "занят")};
    }
    if (code == EACCES || code == EPERM) {
#ifdef _WIN32
        return {device, ProbeOutcome::NoAccess, Tr("PortProbe", "нет доступа")};
#else
        return {device, ProbeOutcome::NoAccess,
                Tr("PortProbe", "нет доступа: ") + PortAccessRemedy(device)};
#endif
    }
    if (code == ENOENT) return {device, ProbeOutcome::Failed, Tr("PortProbe", "нет такого порта")};
    if (code == ENOTTY)
        return {device, ProbeOutcome::Failed, Tr("PortProbe", "не последовательный порт")};
    return {device, ProbeOutcome::Failed, description};
}

// One more question to a device that answered AT: its answer, or "" when it did not come.
std::string Ask(PhoneSession& session, const char* command) {
    try {
        return session.AtCommand(command);
    } catch (const OrlinError&) {
        return std::string();
    }
}

}  // namespace

std::vector<std::string> DefaultPortPatterns(bool all) {
    // Bluetooth serial ports (rfcomm) after the cables.
    std::vector<std::string> patterns = {"/dev/serial/by-id/*", "/dev/ttyUSB*", "/dev/ttyACM*",
                                         "/dev/rfcomm*"};
    if (all) patterns.push_back("/dev/ttyS*");
    return patterns;
}

std::vector<std::string> ListPorts(const std::vector<std::string>& patterns) {
    std::vector<std::string> ports;
    std::vector<std::string> seen;
    for (const std::string& pattern : patterns) {
        for (const std::string& name : Expand(pattern)) {
            const std::string identity = Identity(name);
            if (std::find(seen.begin(), seen.end(), identity) != seen.end()) continue;
            seen.push_back(identity);
            ports.push_back(name);
        }
    }
    return ports;
}

std::vector<std::string> CandidatePorts(bool all) {
    if (const char* patterns = std::getenv(kPortPatternsVariable)) {
        return ListPorts(Split(patterns, kPatternSeparator));
    }
#ifdef _WIN32
    (void)all;  // Windows lists every serial port it knows, the console ports among them
    return RegistryPorts();
#else
    return ListPorts(DefaultPortPatterns(all));
#endif
}

namespace {

// The text of the answer's line that starts with `prefix`, without the prefix.
std::string AnswerValue(const std::string& response, const std::string& prefix) {
    const std::string line = AnswerLine(response, prefix);
    return line.empty() ? line : line.substr(prefix.size());
}

}  // namespace

std::string ProbedName(const std::string& makerAnswer, const std::string& modelAnswer) {
    std::string maker;
    if (EndsInOk(makerAnswer)) {
        maker = AnswerValue(makerAnswer, "+CGMI: ");
        if (!maker.empty() && maker.front() == '"') maker.erase(0, 1);
        // "Motorola CE, Copyright 2000": the maker is the first word.
        maker = maker.substr(0, maker.find_first_of(" ,\""));
    }
    std::string model;
    if (EndsInOk(modelAnswer)) {
        model = AnswerValue(modelAnswer, "+CGMM: ");
        const size_t at = model.find("MODEL=");
        if (at != std::string::npos) {
            model.erase(0, at + 6);
            model = model.substr(0, model.find('"'));
        }
    }
    if (maker.empty() && model.empty()) return Tr("PortProbe", "отвечает на AT");
    if (maker.empty() || model.empty()) return AnswerText(maker + model);
    return AnswerText(maker + " " + model);
}

ProbeResult ProbePort(const std::string& device, const ProbeOptions& options) {
    PortSettings settings;
    settings.PortName = device;
    settings.PortBaudRate = options.baudRate;
    settings.PortTimeOut = options.timeoutMs;
    PhoneSession::Options sessionOptions;
    sessionOptions.raiseErrors = true;
    sessionOptions.useSettingsTimeout = true;
    try {
        // The session closes the port when this scope ends, on every way out.
        PhoneSession session(settings, sessionOptions);
        session.port().AtDeadline = 2 * options.timeoutMs;
        const std::string hello = session.AtCommand("AT");
        if (!EndsInOk(hello)) {
            const std::string last = FinalResultLine(hello);
            return {device, ProbeOutcome::Failed,
                    Tr("PortProbe", "на AT ответил ") + (last.empty() ? "?" : AnswerText(last))};
        }
        const std::string maker = Ask(session, "AT+CGMI");
        const std::string model = Ask(session, "AT+CGMM");
        return {device, ProbeOutcome::Phone, ProbedName(maker, model)};
    } catch (const ESynaSerError& error) {
        return Failure(device, error.ErrorCode, error.ErrorMessage);
    } catch (const OrlinError& error) {
        return {device, ProbeOutcome::Failed, error.what()};
    }
}

}  // namespace orlin
