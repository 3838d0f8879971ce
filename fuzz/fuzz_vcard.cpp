// The vCard reader and the import's mapping onto a phone of a family the input's last byte
// chooses (8 phone slots, 2 SIM slots, three categories), its national numbers dialled in a
// region the input chooses too.
//   Every planned record takes its own free slot and a name the phone can hold; the cards
//   written from the planned records read back as the same records; a number once normalised
//   stays as it is when normalised again.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>

#include "link/phone_text.h"
#include "phonebook/phone_number.h"
#include "phonebook/vcard.h"
#include "phonebook/vcard_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    FuzzedDataProvider input(data, size);
    PhonebookState state;
    state.family = static_cast<ModelFamily>(input.ConsumeIntegralInRange(0, 3));
    state.ranges = {1, 8, 9, 10};
    state.groupNames = {"General", "Семья", ""};
    for (int32_t i = 1; i <= 10; ++i) state.abonents.push_back(FreeSlot(i));
    const char* const regions[] = {"", "DE", "RU", "US", "GB"};
    const std::string region = regions[input.ConsumeIntegralInRange(0, 4)];
    const std::string file = input.ConsumeRemainingBytesAsString();

    const std::optional<std::string> once = NormalisedNumber(file.substr(0, 40), region);
    if (once && NormalisedNumber(*once, region) != once) std::abort();

    const VCardImport plan = PlanVCardImport(ParseVCards(file), state, region);
    std::set<int32_t> slots;
    for (const TAbonentInfo& r : plan.records) {
        if (r.Index < 1 || r.Index > 10 || !slots.insert(r.Index).second) std::abort();
        if (Ucs2Length(r.Name) > kPhoneNameLimit || r.Storage != state.StorageOfSlot(r.Index))
            std::abort();
    }

    PhonebookState written = state;
    for (const TAbonentInfo& r : plan.records) written.abonents[r.Index - 1] = r;
    std::vector<TAbonentInfo> back =
        PlanVCardImport(ParseVCards(VCardText(written)), state, region).records;
    std::vector<TAbonentInfo> planned = plan.records;
    const auto bySlot = [](const TAbonentInfo& a, const TAbonentInfo& b) {
        return a.Index < b.Index;
    };
    std::sort(back.begin(), back.end(), bySlot);
    std::sort(planned.begin(), planned.end(), bySlot);
    if (back != planned) std::abort();
    return 0;
}
