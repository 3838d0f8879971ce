// The sync's readers of what lies on the disk: the state file, our own card UIDs, and the
// old file of an item that a rewrite keeps in full.
//   A state that reads writes back as the same text; a kept file is still the fresh card
//   with one UID; an own UID names a slot from 1.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "phonebook/vcard.h"
#include "sync/sync_plan.h"
#include "sync/sync_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (const auto state = sync::ParseStateText(text)) {
        const std::string again = sync::StateText(*state);
        if (sync::ParseStateText(again) != state) std::abort();
    }
    if (const auto own = ParseOwnCardUid(text))
        if (own->slot < 1 || own->phoneKey.size() != 16) std::abort();

    const std::string fresh =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:orlin-0123456789abcdef-ME1@phonebook\r\nFN:Ann\r\n"
        "TEL;X-ORLIN-SLOT=1:+15550100100\r\nEND:VCARD\r\n";
    const std::string kept = sync::KeepFullForm(fresh, text, "VCARD", {"FN", "TEL"}, {"TEL"});
    if (kept.rfind("BEGIN:VCARD\r\nVERSION:3.0\r\n", 0) != 0) std::abort();
    if (ParseVCards(kept).size() != 1) std::abort();
    return 0;
}
