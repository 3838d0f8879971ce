// The phonebook file reader: the UTF-8 detection and conversion, then the lines, for a family
// and index ranges the input's last bytes choose (ranges as a phone may announce them).
//   The file written from what was read reads back the same entries (free-slot names are not
//   written, and a control character in a name comes back as a blank; a number holding one,
//   or a quote or ";", is refused when the file is read).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "link/answers.h"
#include "link/command_fields.h"
#include "link/errors.h"
#include "link/interaction.h"
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
    const FileText text = PhonebookFileText(table, ranges);
    if (ParsePhonebookFile(text.bytes, family, ranges).records != kept) std::abort();
    return 0;
}
