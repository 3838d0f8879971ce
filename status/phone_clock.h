#pragma once
// The phone's clock: reading it, showing it beside the computer's clock, setting it.

#include <memory>
#include <string>

#include "link/block_serial.h"
#include "link/language.h"
#include "link/phone_session.h"
#include "link/port_settings.h"

namespace orlin {

// A local date and time of the computer (or of the phone), month and day from 1.
struct LocalDateTime {
    int year = 0;  // full year, 2026
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
LocalDateTime CurrentLocalTime();

// The display form of both clocks: "06-12-26,   23:58:36" (day-month-year, a comma and
// three blanks, hh:mm:ss, every part two digits).
std::string FormatClockDisplay(const LocalDateTime& time);

// The fields of a +CCLK answer as the phone wrote them (two digits each after padding).
struct PhoneClockFields {
    std::string year, month, day, hours, minutes, seconds;
};
// Cuts the quoted yy/MM/dd,hh:mm:ss[zone] of the +CCLK: line by its separators; the
// three-character zone (+00, -08) may be there or not. False when the response holds no
// complete +CCLK: line (no answer, an answer cut short) or ends in a refusal (ERROR,
// +CME ERROR: n): the fields are then empty, never fragments of a time.
bool ParsePhoneClock(const std::string& response, PhoneClockFields& fields);
// The display form of the answer of "AT+CCLK?", or empty when it holds no clock.
std::string PhoneClockDisplay(const std::string& response);

// AT+CCLK="26/12/06,09:05:07": the command that sets the phone to `time` (no zone).
std::string ClockSetCommand(const LocalDateTime& time);

// The port object the running clock display holds open between ticks. Nothing raises:
// when the port cannot be opened, or the phone stays silent, a tick shows an empty field.
class ClockSession {
public:
    explicit ClockSession(const PortSettings& settings);
    ~ClockSession();  // closes the port
    ClockSession(const ClockSession&) = delete;
    ClockSession& operator=(const ClockSession&) = delete;

    bool IsOpen() const;
    // One tick: "AT+CCLK?" and the phone's time in the display form ("" when none came).
    std::string Tick();
    // Any command over the held port; the response as AtCommand gives it.
    std::string AtCommand(const std::string& command);
    TBlockSerial& port() { return *port_; }

private:
    std::unique_ptr<TBlockSerial> port_;
};

// UI texts of the synchronisation (UTF-8); shown through Tr("PhoneClock", ...).
inline constexpr const char* kClockSyncDoneText =
    ORLIN_TRANSLATE_NOOP("PhoneClock", "Дата и время синхронизированы!!!");
inline constexpr const char* kClockSyncFailedText =
    ORLIN_TRANSLATE_NOOP("PhoneClock", "Не удалось синхронизировать.");
inline constexpr const char* kClockSyncFailedDetail =
    ORLIN_TRANSLATE_NOOP("PhoneClock", "Были ошибки.");

enum class ClockSyncOutcome {
    SentOverDisplay,  // the display runs: sent over its port, the answer not examined
    Synchronised,     // own session, the phone answered exactly CR LF "OK" CR LF
    Failed,           // own session, any other answer
};
// Sets the phone's clock to `now`. With a running display (`display` not null) the command
// goes over its port; otherwise over a PhoneSession of its own (raising on, 1000 ms unless
// `options` say otherwise), whose port failures raise ESynaSerError.
ClockSyncOutcome SynchronisePhoneClock(const PortSettings& settings, ClockSession* display,
                                       const LocalDateTime& now,
                                       PhoneSession::Options options = {});

}  // namespace orlin
