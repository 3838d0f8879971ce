// orlin-cli info: what the phone says about itself, one "Name: value" line each.

#include <iostream>
#include <optional>
#include <string>

#include "cli/verb.h"
#include "link/answers.h"
#include "link/cp1251.h"
#include "status/phone_info.h"

namespace orlin::cli {

namespace {

// Each value is printed as soon as its query returns, so a failure part-way still shows
// what was read before it.
void PrintLine(const char* name, const std::string& cp1251Value) {
    std::cout << name << ": " << Cp1251ToUtf8(cp1251Value) << std::endl;
}

// Asks the phone one query. A refusal (ERROR, +CME ERROR: n) is named on standard error with
// the phone's error line and gives no answer: its value is printed empty.
class Queries {
public:
    explicit Queries(const Invocation& invocation) : invocation_(invocation) {}

    std::optional<std::string> ask(const char* name, const char* command) {
        std::string answer = AskInfo(invocation_.settings, command, SessionOptions(invocation_));
        if (!IsRefusal(answer)) return answer;
        std::cout.flush();
        std::cerr << "The phone refused " << command << " (" << name
                  << "): " << FinalResultLine(answer) << std::endl;
        refused_ = true;
        return std::nullopt;
    }
    bool refused() const { return refused_; }

private:
    const Invocation& invocation_;
    bool refused_ = false;
};

int RunInfo(const Invocation& invocation) {
    if (!invocation.args.empty()) throw UsageError("info takes no arguments");
    Queries queries(invocation);

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
    "info",
    "Prints the phone's IMEI, IMSI, maker, model, bands, firmware, battery charge (0-100)\n"
    "and signal level (dBm, or \"unknown\" when the phone cannot measure it). A query the\n"
    "phone refuses leaves its value empty and is named on standard error (exit status 1).",
    RunInfo,
});

}  // namespace

}  // namespace orlin::cli
