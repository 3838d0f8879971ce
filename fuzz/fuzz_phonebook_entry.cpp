// The phonebook's answer lines: one +MPBR entry line read with every layout, the range answer
// of AT+MPBR=?, and the write commands built from what was read.
// A malformed line is a conversion error, nothing worse; what a layout reads builds its write
// commands.

#include <cstdlib>
#include <string>

#include "link/errors.h"
#include "phonebook/entry_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string line(reinterpret_cast<const char*>(data), size);
    for (ModelFamily family :
         {ModelFamily::None, ModelFamily::Fields9, ModelFamily::Fields13, ModelFamily::Fields16}) {
        try {
            const TAbonentInfo record = ParseMpbrLine(line, family);
            BuildShortMpbwCommand(record);
            BuildEmptySlotCommand(record.Index);
            BuildMpbwCommand(family, record);
        } catch (const EConvertError&) {
        }
    }
    try {
        ParseIndexRange(line);
    } catch (const EConvertError&) {
    }
    AnswerHasOk(line);
    AnswerIsBareOk(line);
    return 0;
}
