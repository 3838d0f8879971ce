// The phonebook file reader: the UTF-8 detection and conversion, then the lines, for a family
// and index ranges the input's last bytes choose (ranges as a phone may announce them).
//   The file written from what was read reads back the same entries (free-slot names are not
//   written, and a control character in a name comes back as a blank; a number holding one,
//   or a quote or ";", is refused when the file is read).

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "link/answers.h"
#include "link/command_fields.h"
#include "link/errors.h"
#include "link/interaction.h"
#include "link/utf8.h"
#include "phonebook/phonebook_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    FuzzedDataProvider input(data, size);
    const auto family = static_cast<ModelFamily>(input.ConsumeIntegralInRange(0, 3));
    IndexRanges ranges;
    ranges.PhoneFirstIndex = input.ConsumeIntegralInRange<int32_t>(0, kMostPhonebookSlots);
    ranges.PhoneLastIndex = input.ConsumeIntegralInRange<int32_t>(0, kMostPhonebookSlots);
    ranges.SimFirstIndex = input.ConsumeIntegralInRange<int32_t>(0, kMostPhonebookSlots + 1);
    ranges.SimLastIndex = input.ConsumeIntegralInRange<int32_t>(0, kMostPhonebookSlots);
    const std::string file = input.ConsumeRemainingBytesAsString();

    Interaction quiet;
    const std::string bytes = PhonebookFileBytes(file, quiet);
    FileEntries entries;
    try {
        entries = ParsePhonebookFile(bytes, family, ranges);
    } catch (const EConvertError&) {
        return 0;
    }
    for (const TAbonentInfo& record : entries.records)
        if (!UnsafeFieldReason(record.Number).empty()) std::abort();
    if (entries.phoneLines + entries.simLines != static_cast<int>(entries.records.size()))
        std::abort();

    std::vector<TAbonentInfo> kept;
    Abonents table;
    for (TAbonentInfo record : entries.records) {
        if (record.IsFree()) continue;
        for (char& c : record.Name)
            if (static_cast<unsigned char>(c) < 32 || c == 127) c = ' ';
        kept.push_back(record);
        table.push_back(record);
    }
    // The backup's form keeps every character: Windows-1251, or UTF-8 behind its mark.
    const FileText text = PhonebookFileText(table, ranges, FileEncoding::Cp1251OrUtf8);
    // Windows-1251 bytes that happen to be well-formed UTF-8 are read as UTF-8, as an
    // editor's file would be: no round trip to hold there.
    const bool marked = text.bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const bool ambiguous = !marked && IsWellFormedUtf8(text.bytes) &&
                           std::any_of(text.bytes.begin(), text.bytes.end(), [](char c) {
                               return static_cast<unsigned char>(c) >= 0x80;
                           });
    if (!ambiguous &&
        ParsePhonebookFile(PhonebookFileBytes(text.bytes, quiet), family, ranges).records != kept)
        std::abort();
    // The user's Windows-1251 file counts each entry it could not hold.
    if ((PhonebookFileText(table, ranges).unencodableEntries > 0) != marked) std::abort();
    return 0;
}
