// orlin-cli info: what the phone says about itself, one "Name: value" line each.

#include <iostream>

#include "cli/verb.h"
#include "link/cp1251.h"
#include "status/phone_info.h"

namespace orlin::cli {

namespace {

// Each value is printed as soon as its query returns, so a failure part-way still shows
// what was read before it.
void PrintLine(const char* name, const std::string& cp1251Value) {
    std::cout << name << ": " << Cp1251ToUtf8(cp1251Value) << std::endl;
}

int RunInfo(const Invocation& invocation) {
    if (!invocation.args.empty()) throw UsageError("info takes no arguments");
    const PortSettings& settings = invocation.settings;

    PrintLine("IMEI", QueryImei(settings));
    PrintLine("IMSI", QueryImsi(settings));
    PrintLine("Manufacturer", QueryManufacturer(settings));
    const ModelInfo model = QueryModel(settings);
    PrintLine("Model", model.DisplayName());
    PrintLine("Bands", model.bands);
    PrintLine("Firmware", QueryFirmware(settings));
    PrintLine("Battery", std::to_string(QueryBattery(settings)));
    // The level the signal gauge shows, in dBm; a level the phone cannot measure is unknown.
    const SignalReading signal = QuerySignal(settings);
    PrintLine("Signal", signal.dBm ? std::to_string(*signal.gaugeValue) : std::string("unknown"));
    return 0;
}

const VerbRegistration registration({
    "info",
    "info",
    "Prints the phone's IMEI, IMSI, maker, model, bands, firmware, battery charge (0-100)\n"
    "and signal level (dBm, or \"unknown\" when the phone cannot measure it).",
    RunInfo,
});

}  // namespace

}  // namespace orlin::cli
