// The whole phonebook read over a phone played from the input (one answer per command,
// separated by the byte 0x1E): the model, the index ranges, the slot count, the category
// count and names, the entry chunks. What a phone announces beyond any real model must stop
// the read with an error, never size a table or drive commands.
//   A read that ends has a slot table of the slot count it announced, within the limit, and
//   every read order entry names a slot of it.

#include <cstdlib>
#include <string>

#include "fuzz/fuzz_support.h"
#include "link/answers.h"
#include "link/errors.h"
#include "link/interaction.h"
#include "phonebook/phonebook_read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    PhoneSession session =
        fuzz::MemorySession(std::string(reinterpret_cast<const char*>(data), size));
    PhonebookState state;
    Interaction quiet;
    try {
        const PhonebookReport report = ReadPhonebook(session, state, quiet);
        report.RaiseFailure();
        if (report.status != PhonebookReadStatus::Done) return 0;
        if (report.slotCount < 0 || report.slotCount > kMostPhonebookSlots ||
            state.abonents.size() != static_cast<size_t>(report.slotCount) ||
            state.groupNames.size() > static_cast<size_t>(kMostCategories))
            std::abort();
        for (int32_t slot : state.readOrder)
            if (slot < 1 || slot > report.slotCount) std::abort();
    } catch (const OrlinError&) {
    }
    return 0;
}
