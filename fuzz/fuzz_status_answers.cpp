// The information and clock answers: identity, maker, firmware, model and bands, battery,
// signal, and the +CCLK: clock line.
//   The signal gauge's value stays in the gauge's range.
//   A clock answer that is not a whole clock line gives no fields and no display; one that
//   is gives two digits in every field.

#include <cstdlib>
#include <string>

#include "link/errors.h"
#include "status/phone_clock.h"
#include "status/phone_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string answer(reinterpret_cast<const char*>(data), size);
    ParseImei(answer);
    ParseImsi(answer);
    ParseManufacturer(answer);
    ParseFirmware(answer);
    ParseModel(answer).DisplayName();
    try {
        ParseBattery(answer);
    } catch (const EConvertError&) {
    }
    try {
        const SignalReading signal = ParseSignal(answer);
        if (signal.gaugeValue &&
            (*signal.gaugeValue < kSignalGaugeMin || *signal.gaugeValue > kSignalGaugeMax))
            std::abort();
    } catch (const EConvertError&) {
    }

    PhoneClockFields fields;
    const bool clock = ParsePhoneClock(answer, fields);
    const std::string display = PhoneClockDisplay(answer);
    for (const std::string* field : {&fields.year, &fields.month, &fields.day, &fields.hours,
                                     &fields.minutes, &fields.seconds}) {
        if (clock ? field->size() != 2 : !field->empty()) std::abort();
    }
    if (clock == display.empty()) std::abort();
    return 0;
}
