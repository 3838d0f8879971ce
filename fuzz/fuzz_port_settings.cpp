// portcfg.ini as the program reads it: four lines by character position, from a file.
//   A file that reads never gives a time-out of 0 or less, nor a port name with a line break.

#include <cstdlib>
#include <string>

#include "fuzz/fuzz_support.h"
#include "link/errors.h"
#include "link/port_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    PortSettings settings;
    try {
        LoadPortSettings(settings, fuzz::InputFile(data, size));
    } catch (const OrlinError&) {
        return 0;
    }
    if (settings.PortTimeOut <= 0) std::abort();
    if (settings.PortName.find_first_of("\r\n;") != std::string::npos) std::abort();
    return 0;
}
