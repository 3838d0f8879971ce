// The phonebook's answer lines: one +MPBR entry line read with every layout, the range answer
// of AT+MPBR=?, and the write commands built from what was read.
// A malformed line is a conversion error, nothing worse; what a layout reads builds its write
// commands, or is refused as a field no command line may hold; a command built never holds a
// control character.

#include <cstdlib>
#include <string>

#include "link/command_fields.h"
#include "link/errors.h"
#include "phonebook/entry_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string line(reinterpret_cast<const char*>(data), size);
    for (ModelFamily family :
         {ModelFamily::None, ModelFamily::Fields9, ModelFamily::Fields13, ModelFamily::Fields16}) {
        try {
            const TAbonentInfo record = ParseMpbrLine(line, family);
            BuildEmptySlotCommand(record.Index);
            for (const std::string& command :
                 {BuildShortMpbwCommand(record), BuildMpbwCommand(family, record)})
                for (char c : command)
                    if (static_cast<unsigned char>(c) < 32 || c == 127) std::abort();
        } catch (const EConvertError&) {
        } catch (const EUnsafeField&) {
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
