// The information queries: one command each, answers cut by their fixed framing.

#include "status/phone_info.h"

#include <algorithm>
#include <filesystem>

#include "link/answers.h"
#include "link/data_folder.h"
#include "link/errors.h"
#include "link/phone_session.h"
#include "link/text_utils.h"
#include "link/whole_file.h"

namespace orlin {

namespace {

// The tail every framed one-line answer ends with.
constexpr const char* kOkTail = "\r\n\r\nOK\r\n";

void DeleteFirst(std::string& text, const std::string& what) {
    const auto pos = text.find(what);
    if (pos != std::string::npos) text.erase(pos, what.size());
}

// Removes the query's prefix and the OK tail, each at its first occurrence; a text that
// does not occur (an ERROR answer) deletes nothing. A refusal with a number (+CME ERROR: 10)
// is cut as the answer ERROR is.
std::string StripFraming(const std::string& response, const std::string& prefix) {
    std::string r = WithPlainError(response);
    DeleteFirst(r, prefix);
    DeleteFirst(r, kOkTail);
    return r;
}

std::string WithoutEnclosingQuotes(std::string text) {
    if (!text.empty()) text.erase(0, 1);
    if (!text.empty()) text.pop_back();
    return text;
}

// "\"GSM900\",\"GSM1800\"" less its first character, then every quote removed and a
// blank put after each comma that followed a quote: "GSM900, GSM1800".
std::string TidyBands(std::string bands) {
    if (!bands.empty()) bands.erase(0, 1);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (bands[i] != '"') continue;
        bands.erase(i, 1);
        if (i < bands.size() && bands[i] == ',') bands.insert(i + 1, 1, ' ');
    }
    return bands;
}

}  // namespace

std::string AskInfo(PhoneSession& session, const std::string& command) {
    return session.AtCommand(command);
}

std::string ParseImei(const std::string& response) {
    // The standard form has no "IMEI" before the digits ("+CGSN: 351234567890123").
    if (response.find("\r\n+CGSN: IMEI") == std::string::npos &&
        response.find("\r\n+CGSN: ") != std::string::npos)
        return StripFraming(response, "\r\n+CGSN: ");
    return StripFraming(response, "\r\n+CGSN: IMEI");
}

std::string ParseImsi(const std::string& response) {
    return StripFraming(response, "\r\n+CIMI: ");
}

std::string ParseManufacturer(const std::string& response) {
    return WithoutEnclosingQuotes(StripFraming(response, "\r\n+CGMI: "));
}

std::string ParseFirmware(const std::string& response) {
    return WithoutEnclosingQuotes(StripFraming(response, "\r\n+CGMR: "));
}

ModelInfo ParseModel(const std::string& response) {
    std::string r = StripFraming(response, "\r\n+CGMM: ");
    ModelInfo info;
    // The bands are everything before the comma and quote that precede MODEL.
    const auto modelPos = r.find("MODEL");
    if (modelPos != std::string::npos) {
        if (modelPos >= 2) info.bands = r.substr(0, modelPos - 2);
        r.erase(0, modelPos);
    }
    DeleteFirst(r, "\"");                            // the closing quote after the model
    r.erase(0, std::min<std::size_t>(6, r.size()));  // "MODEL="
    info.model = r;
    info.bands = TidyBands(info.bands);
    return info;
}

int ParseBattery(const std::string& response) {
    const std::string r = StripFraming(response, "\r\n+CBC: ");
    // "0,80": the connection status and its comma come first.
    return StrToInt(r.size() > 2 ? r.substr(2) : std::string());
}

SignalReading SignalFromRssi(int rssi) {
    SignalReading reading;
    reading.rssi = rssi;
    if (rssi >= 0 && rssi <= 98) {
        reading.dBm = 2 * rssi - 113;
        reading.gaugeValue = std::clamp(*reading.dBm, kSignalGaugeMin, kSignalGaugeMax);
    } else if (rssi == 99) {
        // 99: the phone cannot measure the signal. An empty gauge says so; a full one
        // would claim the best reception there is.
        reading.gaugeValue = kSignalGaugeMin;
    }
    return reading;
}

SignalReading ParseSignal(const std::string& response) {
    const std::string r = StripFraming(response, "\r\n+CSQ: ");
    const auto comma = r.find(',');
    return SignalFromRssi(
        StrToInt(comma == std::string::npos ? std::string() : r.substr(0, comma)));
}

InfoReport ReadPhoneInfo(PhoneSession& session, InfoParts parts) {
    InfoReport report;
    KeepFailure(report, [&] {
        if (parts == InfoParts::All) {
            report.imei = ParseImei(session.AtCommand(kImeiCommand));
            report.imsi = ParseImsi(session.AtCommand(kImsiCommand));
            report.manufacturer = ParseManufacturer(session.AtCommand(kManufacturerCommand));
            report.model = ParseModel(session.AtCommand(kModelCommand));
            report.firmware = ParseFirmware(session.AtCommand(kFirmwareCommand));
        }
        report.battery = ParseBattery(session.AtCommand(kBatteryCommand));
        report.signal = ParseSignal(session.AtCommand(kSignalCommand));
    });
    return report;
}

const std::array<ModelPicture, 10> kModelPictures = {{
    {"T720i", "t722i.jpg"},
    {"C350", "c350.jpg"},
    {"C450", "c450.jpg"},
    {"C550", "c550.jpg"},
    {"C330", "c33x.jpg"},
    {"V60", "v60.jpg"},
    {"V60i", "v60i.jpg"},
    {"V70", "v70.jpg"},
    {"V66i", "v66i.jpg"},
    {"V150", "v150.jpg"},
}};

std::string FindModelPicture(const std::string& model, const std::string& folder) {
    for (const ModelPicture& row : kModelPictures) {
        if (model != row.model) continue;
        // Without a folder: the current directory, then the installed program's data folder.
        const std::filesystem::path path =
            folder.empty() ? PathFromUtf8(FindDataFile(row.file)) : PathFromUtf8(folder) / row.file;
        std::error_code ignored;
        if (std::filesystem::is_regular_file(path, ignored)) return Utf8FromPath(path);
    }
    return {};
}

}  // namespace orlin
