// The whole datebook read over a phone played from the input (one answer per command,
// separated by the byte 0x1E): the character set, the lock, the range answer, one event
// answer per slot. A range beyond any real model stops the read with an error.
//   A read that ends has one flag per slot of the range it announced, within the limit, and
//   its events ascend by slot inside it.

#include <cstdlib>
#include <string>

#include "datebook/datebook_read.h"
#include "fuzz/fuzz_support.h"
#include "link/answers.h"
#include "link/errors.h"
#include "link/interaction.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    PhoneSession session =
        fuzz::MemorySession(std::string(reinterpret_cast<const char*>(data), size));
    Interaction quiet;
    const DatebookReport read = ReadDatebook(session, quiet);
    if (read.Failed()) return 0;
    if (read.status != DatebookReadStatus::Done) return 0;
    if (read.lastSlot < 0 || read.lastSlot >= kMostDatebookSlots ||
        read.slotUsed.size() != static_cast<size_t>(read.lastSlot) + 1)
        std::abort();
    int previous = -1;
    for (const DatebookEvent& event : read.events) {
        if (event.slot <= previous || event.slot > read.lastSlot) std::abort();
        previous = event.slot;
    }
    FreeShareText(read);
    FirstFreeSlot(read.slotUsed);
    return 0;
}
