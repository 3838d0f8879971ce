#pragma once
// What the phone says about itself: identity, model and bands, firmware, battery, signal.
// The caller opens the session (the window's: raising on, AtTimeout 1000 ms, the default
// options). Texts are Windows-1251 byte strings.

#include <array>
#include <optional>
#include <string>

#include "link/list_change.h"
#include "link/phone_session.h"
#include "link/port_settings.h"

namespace orlin {

// The gauges of the information page and the range they clamp into.
inline constexpr int kChargeGaugeMin = 0;
inline constexpr int kChargeGaugeMax = 100;
inline constexpr int kSignalGaugeMin = -114;
inline constexpr int kSignalGaugeMax = -50;

// --- parsing one answer (the whole response of AtCommand) ---
// An answer ending in +CME ERROR: n or +CMS ERROR: n is cut exactly as the answer ERROR is.

// "\r\n+CGSN: IMEI351234567890123\r\n\r\nOK\r\n" -> "351234567890123". An answer
// without the framing (ERROR) comes back as it stands.
std::string ParseImei(const std::string& response);
std::string ParseImsi(const std::string& response);
// The maker and the firmware lose their enclosing quotes.
std::string ParseManufacturer(const std::string& response);
std::string ParseFirmware(const std::string& response);

struct ModelInfo {
    std::string model;  // "C350", as the phone writes it after MODEL=
    std::string bands;  // "GSM900, GSM1800, GSM1900"
    std::string DisplayName() const { return "Motorola " + model; }
};
// "\r\n+CGMM: \"GSM900\",\"GSM1800\",\"MODEL=C350\"\r\n\r\nOK\r\n" -> C350 and
// "GSM900, GSM1800".
ModelInfo ParseModel(const std::string& response);

// The charge level after "status," (EConvertError when it is not an integer).
int ParseBattery(const std::string& response);

struct SignalReading {
    int rssi = 0;            // the first number of +CSQ (0..31, 99 = not detectable)
    std::optional<int> dBm;  // 2 * rssi - 113 for 0..98; none for 99 or out of range
    // The value for the signal gauge: dBm clamped into the gauge's range; the gauge's
    // minimum when the phone cannot detect the signal (99); none leaves the gauge as it was
    // (an rssi outside 0..99).
    std::optional<int> gaugeValue;
};
// EConvertError when the text before the first comma is not an integer.
SignalReading ParseSignal(const std::string& response);
// The rule alone: rssi -> reading.
SignalReading SignalFromRssi(int rssi);

// --- the queries (ESynaSerError on port failures and time-outs) ---

inline constexpr const char* kImeiCommand = "AT+CGSN";
inline constexpr const char* kImsiCommand = "AT+CIMI";
inline constexpr const char* kManufacturerCommand = "AT+CGMI";
inline constexpr const char* kModelCommand = "AT+CGMM";
inline constexpr const char* kFirmwareCommand = "AT+CGMR";
inline constexpr const char* kBatteryCommand = "AT+CBC";
inline constexpr const char* kSignalCommand = "AT+CSQ";

// One command over the caller's session: the whole answer, for a caller that tells a refusal
// (IsRefusal) from a value before cutting it.
std::string AskInfo(PhoneSession& session, const std::string& command);

// Which values a read asks for: all seven, or the battery and the signal alone (the refresh).
enum class InfoParts { All, Gauges };

// What a read found, in the order it asks: a value is there once its answer came. A text value
// of a refused command is the answer as it stands; a number that does not convert, a port
// failure or a time-out ends the read with `failure`, and the values after it stay unread.
struct InfoReport : OperationReport {
    std::optional<std::string> imei;          // AT+CGSN
    std::optional<std::string> imsi;          // AT+CIMI
    std::optional<std::string> manufacturer;  // AT+CGMI
    std::optional<ModelInfo> model;           // AT+CGMM
    std::optional<std::string> firmware;      // AT+CGMR
    std::optional<int> battery;               // AT+CBC
    std::optional<SignalReading> signal;      // AT+CSQ
};

InfoReport ReadPhoneInfo(PhoneSession& session, InfoParts parts = InfoParts::All);

// --- model pictures ---

struct ModelPicture {
    const char* model;  // compared whole and case-sensitively with ModelInfo::model
    const char* file;   // bare file name, looked up in the current directory
};
extern const std::array<ModelPicture, 10> kModelPictures;

// The picture file of the model when the table has a row for it and the file exists in
// `folder` (empty = the current directory, then an installed program's data folder, as
// FindDataFile looks): the path to load, else empty (the picture
// box then keeps what it showed).
std::string FindModelPicture(const std::string& model, const std::string& folder = "");

}  // namespace orlin
