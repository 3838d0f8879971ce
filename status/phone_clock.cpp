// The phone's clock: the +CCLK answer cut by its separators, the display form of both
// clocks, the set command, the port held by the running display, the synchronisation.

#include "status/phone_clock.h"

#include <cstdio>
#include <ctime>

#include "link/answers.h"
#include "link/errors.h"
#include "link/phone_session.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

// Takes the text before the first `separator` and removes it with the separator. When the
// separator is missing the field is empty and the text stays as it is.
std::string CutField(std::string& text, char separator) {
    const auto pos = text.find(separator);
    if (pos == std::string::npos) return {};
    std::string field = text.substr(0, pos);
    text.erase(0, pos + 1);
    return field;
}

// Two characters per field: "8" -> "08"; a four-digit year keeps its last two digits.
std::string TwoDigits(std::string field) {
    if (field.size() == 1) return "0" + field;
    if (field.size() > 2) return field.substr(field.size() - 2);
    return field;
}

}  // namespace

LocalDateTime CurrentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    LocalDateTime time;
    time.year = local.tm_year + 1900;
    time.month = local.tm_mon + 1;
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec;
    return time;
}

std::string FormatClockDisplay(const LocalDateTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%02d,   %02d:%02d:%02d", time.day % 100,
                  time.month % 100, time.year % 100, time.hour % 100, time.minute % 100,
                  time.second % 100);
    return text;
}

namespace {

bool AllDigits(const std::string& text, std::size_t maxLength) {
    if (text.empty() || text.size() > maxLength) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// One line that begins with +CCLK:, cut into its fields; false unless all six are there.
bool ParseClockLine(std::string value, PhoneClockFields& fields) {
    value = Trim(value.substr(6));  // after "+CCLK:"
    if (!value.empty() && value.front() == '"') value.erase(0, 1);
    const auto closingQuote = value.find('"');
    if (closingQuote != std::string::npos) value.erase(closingQuote);

    // The zone (+00, -08) follows the time; the date part carries no sign. Answers with
    // and without it must give the same fields.
    const auto comma = value.find(',');
    const auto zone = value.find_first_of("+-", comma == std::string::npos ? 0 : comma);
    if (zone != std::string::npos) value.erase(zone);

    PhoneClockFields f;
    f.year = CutField(value, '/');
    f.month = CutField(value, '/');
    f.day = CutField(value, ',');
    f.hours = CutField(value, ':');
    f.minutes = CutField(value, ':');
    f.seconds = Trim(value);
    if (!AllDigits(f.year, 4) || !AllDigits(f.month, 2) || !AllDigits(f.day, 2) ||
        !AllDigits(f.hours, 2) || !AllDigits(f.minutes, 2) || !AllDigits(f.seconds, 2)) {
        return false;
    }
    fields.year = TwoDigits(f.year);
    fields.month = TwoDigits(f.month);
    fields.day = TwoDigits(f.day);
    fields.hours = TwoDigits(f.hours);
    fields.minutes = TwoDigits(f.minutes);
    fields.seconds = TwoDigits(f.seconds);
    return true;
}

}  // namespace

bool ParsePhoneClock(const std::string& response, PhoneClockFields& fields) {
    fields = PhoneClockFields{};
    // A refusal (ERROR, +CME ERROR: n) holds no clock, whatever stands before it.
    if (IsRefusal(response)) return false;
    // The last complete +CCLK: line counts. An earlier one may be the fragment of an
    // answer that was cut off on a previous tick and reached this exchange's first line.
    bool found = false;
    std::size_t lineStart = 0;
    while (lineStart <= response.size()) {
        auto lineEnd = response.find_first_of("\r\n", lineStart);
        if (lineEnd == std::string::npos) lineEnd = response.size();
        const std::string line = Trim(response.substr(lineStart, lineEnd - lineStart));
        PhoneClockFields candidate;
        if (line.rfind("+CCLK:", 0) == 0 && ParseClockLine(line, candidate)) {
            fields = candidate;
            found = true;
        }
        lineStart = lineEnd + 1;
    }
    return found;
}

std::string PhoneClockDisplay(const std::string& response) {
    PhoneClockFields f;
    if (!ParsePhoneClock(response, f)) return {};
    return f.day + "-" + f.month + "-" + f.year + ",   " + f.hours + ":" + f.minutes + ":" +
           f.seconds;
}

std::string ClockSetCommand(const LocalDateTime& time) {
    char text[48];
    std::snprintf(text, sizeof text, "AT+CCLK=\"%02d/%02d/%02d,%02d:%02d:%02d\"", time.year % 100,
                  time.month % 100, time.day % 100, time.hour % 100, time.minute % 100,
                  time.second % 100);
    return text;
}

ClockSession::ClockSession(const PortSettings& settings) : port_(std::make_unique<TBlockSerial>()) {
    port_->RaiseErrors = false;
    port_->AtTimeout = 1000;
    port_->OpenPort(settings.PortName);
    if (port_->IsOpen()) port_->ConfigureLine(settings.PortBaudRate, 8, 'N', 0, false, false);
}

ClockSession::~ClockSession() = default;  // the port object closes its port

bool ClockSession::IsOpen() const {
    return port_->IsOpen();
}

std::string ClockSession::Tick() {
    if (!port_->IsOpen()) return {};
    const std::string response = port_->AtCommand("AT+CCLK?");
    // The display runs for hours: lines the phone sends of its own accord are of no use
    // here and must not pile up in the port object.
    port_->TakeUnsolicitedLines();
    return PhoneClockDisplay(response);
}

std::string ClockSession::AtCommand(const std::string& command) {
    return port_->AtCommand(command);
}

ClockSyncOutcome SynchronisePhoneClock(const PortSettings& settings, ClockSession* display,
                                       const LocalDateTime& now, PhoneSession::Options options) {
    const std::string command = ClockSetCommand(now);
    if (display != nullptr) {
        display->AtCommand(command);
        return ClockSyncOutcome::SentOverDisplay;
    }
    PhoneSession session(settings, options);
    return session.AtCommand(command) == "\r\nOK\r\n" ? ClockSyncOutcome::Synchronised
                                                      : ClockSyncOutcome::Failed;
}

}  // namespace orlin
