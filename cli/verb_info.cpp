// orlin-cli info: what the phone says about itself, one "Name: value" line each.

#include <iostream>
#include <optional>
#include <string>

#include "cli/json_output.h"
#include "cli/verb.h"
#include "link/answers.h"
#include "link/phone_session.h"
#include "status/phone_info.h"

namespace orlin::cli {

namespace {

// Each value is printed as soon as its query returns, so a failure part-way still shows
// what was read before it.
void PrintLine(const char* name, const std::string& answerValue) {
    std::cout << name << ": " << AnswerText(answerValue) << std::endl;
}

// Asks the phone one query, every query over one session. A refusal (ERROR, +CME ERROR: n) is named
// on standard error with the phone's error line and gives no answer: its value is printed empty.
class Queries {
public:
    explicit Queries(const Invocation& invocation)
        : session_(invocation.settings, SessionOptions(invocation)) {}

    std::optional<std::string> ask(const char* name, const char* command) {
        std::string answer = AskInfo(session_, command);
        if (!IsRefusal(answer)) return answer;
        std::cout.flush();
        std::cerr << "The phone refused " << command << " (" << name
                  << "): " << FinalResultLine(answer) << std::endl;
        refused_ = true;
        return std::nullopt;
    }
    bool refused() const { return refused_; }

private:
    PhoneSession session_;
    bool refused_ = false;
};

// The bands "GSM900, GSM1800" as a list.
Json BandList(const std::string& bands) {
    Json list = Json::array();
    size_t start = 0;
    while (start < bands.size()) {
        size_t end = bands.find(", ", start);
        if (end == std::string::npos) end = bands.size();
        if (end > start) list.push_back(JsonText(bands.substr(start, end - start)));
        start = end + 2;
    }
    return list;
}

// The same queries, printed as one object once all are asked (a refused one is null).
int InfoJson(Queries& queries) {
    Json info;
    const auto text = [](const std::optional<std::string>& answer, auto parse) {
        return answer ? JsonText(parse(*answer)) : Json(nullptr);
    };
    info["imei"] = text(queries.ask("IMEI", kImeiCommand), ParseImei);
    info["imsi"] = text(queries.ask("IMSI", kImsiCommand), ParseImsi);
    info["manufacturer"] =
        text(queries.ask("Manufacturer", kManufacturerCommand), ParseManufacturer);
    const auto modelAnswer = queries.ask("Model", kModelCommand);
    const ModelInfo model = modelAnswer ? ParseModel(*modelAnswer) : ModelInfo{};
    info["model"] = modelAnswer ? JsonText(model.DisplayName()) : Json(nullptr);
    info["bands"] = modelAnswer ? BandList(model.bands) : Json(nullptr);
    info["firmware"] = text(queries.ask("Firmware", kFirmwareCommand), ParseFirmware);
    const auto battery = queries.ask("Battery", kBatteryCommand);
    info["battery"] = battery ? Json(ParseBattery(*battery)) : Json(nullptr);
    const auto signalAnswer = queries.ask("Signal", kSignalCommand);
    std::optional<SignalReading> reading;
    if (signalAnswer) reading = ParseSignal(*signalAnswer);
    info["signal"] = reading ? JsonOrNull(reading->dBm) : Json(nullptr);
    info["raw"] = {{"rssi", reading ? Json(reading->rssi) : Json(nullptr)}};
    PrintJsonObject(std::cout, info);
    return queries.refused() || !std::cout ? 1 : 0;
}

int RunInfo(const Invocation& invocation) {
    std::vector<std::string> words = invocation.args;
    const ListFormat format = TakeListFormat(words, 0);
    if (!words.empty()) throw UsageError("info takes no arguments (but --format)");
    Queries queries(invocation);
    if (format == ListFormat::Json) return InfoJson(queries);

    const auto imei = queries.ask("IMEI", kImeiCommand);
    PrintLine("IMEI", imei ? ParseImei(*imei) : "");
    const auto imsi = queries.ask("IMSI", kImsiCommand);
    PrintLine("IMSI", imsi ? ParseImsi(*imsi) : "");
    const auto maker = queries.ask("Manufacturer", kManufacturerCommand);
    PrintLine("Manufacturer", maker ? ParseManufacturer(*maker) : "");
    const auto modelAnswer = queries.ask("Model", kModelCommand);
    const ModelInfo model = modelAnswer ? ParseModel(*modelAnswer) : ModelInfo{};
    PrintLine("Model", modelAnswer ? model.DisplayName() : "");
    PrintLine("Bands", model.bands);
    const auto firmware = queries.ask("Firmware", kFirmwareCommand);
    PrintLine("Firmware", firmware ? ParseFirmware(*firmware) : "");
    const auto battery = queries.ask("Battery", kBatteryCommand);
    PrintLine("Battery", battery ? std::to_string(ParseBattery(*battery)) : "");
    // The level the signal gauge shows, in dBm; a level the phone cannot measure is unknown.
    const auto signalAnswer = queries.ask("Signal", kSignalCommand);
    std::string signal;
    if (signalAnswer) {
        const SignalReading reading = ParseSignal(*signalAnswer);
        signal = reading.dBm ? std::to_string(*reading.gaugeValue) : "unknown";
    }
    PrintLine("Signal", signal);
    return queries.refused() ? 1 : 0;
}

const VerbRegistration registration({
    "info",
    "info [--format json]",
    "Prints the phone's IMEI, IMSI, maker, model, bands, firmware, battery charge (0-100)\n"
    "and signal level (dBm, or \"unknown\" when the phone cannot measure it). A query the\n"
    "phone refuses leaves its value empty and is named on standard error (exit status 1).\n"
    "--format json: one JSON object, printed once every query is done (see JSON output).",
    RunInfo,
});

}  // namespace

}  // namespace orlin::cli
