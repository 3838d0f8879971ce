#include "datebook/datebook_read.h"

#include <cstdio>

#include "datebook/datebook_write.h"
#include "link/answers.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/remembered_options.h"
#include "link/response_fields.h"
#include "link/slot_list.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

void ReadSteps(PhoneSession& session, Interaction& interaction, DatebookReport& read,
               const DatebookReadOptions& options, const DatebookWatch& watch) {
    if (!EndsInOk(session.AtCommand("AT+CSCS=UCS2"))) {
        read.status = DatebookReadStatus::CharsetRefused;
        return;
    }
    const std::string lock = session.AtCommand("AT+MDBL=1");
    if (!EndsInOk(lock)) {
        // A plain ERROR: the phone has no lock (some later models); a reasoned refusal
        // (+CME ERROR: n) is a lock held elsewhere.
        if (!IsPlainError(lock)) {
            read.status = DatebookReadStatus::NoAccess;
            return;
        }
        read.withoutLock = true;
        if (FirstTimeInRun("datebook lock " + session.port().DevicePath))
            interaction.inform(LockMissingText());
    }
    const std::string answer = session.AtCommand("AT+MDBR=?");
    if (!EndsInOk(answer)) {
        read.status = DatebookReadStatus::RangeRefused;
        return;
    }
    // The range line wherever it stands; without one the conversion of "" fails.
    const std::string range = AnswerLine(answer, "+MDBR:");
    const IntTriple numbers = ParsePrefixTriple(range);
    CheckAnnounced(numbers.first, kMostDatebookSlots - 1, range);
    read.rangeRead = true;
    read.lastSlot = numbers.first;
    read.stored = numbers.second;
    read.titleLength = numbers.third;
    const int slots = read.lastSlot + 1;
    read.slotUsed.assign(static_cast<size_t>(slots), 1);

    if (watch) watch(read);
    interaction.progress(0, slots);
    for (int slot = 0; slot < slots; ++slot) {
        if (options.quick && slot < read.lastSlot &&
            static_cast<int>(read.events.size()) >= read.stored) {
            // Every event the phone stores is found: the slots up to N are free.
            for (int free = slot; free < read.lastSlot; ++free)
                read.slotUsed[static_cast<size_t>(free)] = 0;
            slot = read.lastSlot;
            interaction.progress(slot, slots);
        }
        const std::string reply = session.AtCommand("AT+MDBR=" + std::to_string(slot));
        if (auto event = EventFromAnswer(slot, reply)) {
            read.events.push_back(std::move(*event));
        } else if (Trim(reply) == "OK") {
            read.slotUsed[static_cast<size_t>(slot)] = 0;
        } else if (slot == read.lastSlot && slot > 0 && IsRefusal(reply)) {
            // The range answer gave the number of slots: this one does not exist.
            read.lastSlotRefused = true;
        } else {
            read.unreadSlots.push_back(slot);
        }
        read.slotsDone = slot + 1;
        if (watch) watch(read);
        interaction.processEvents();
        interaction.progress(slot + 1, slots);
    }
    if (read.lastSlotRefused) {
        read.lastSlot -= 1;
        read.slotUsed.pop_back();
        interaction.progress(slots - 1, slots - 1);  // the phone's own count
    }
    if (!read.withoutLock) session.AtCommand("AT+MDBL=0");
}

}  // namespace

DatebookReport ReadDatebook(PhoneSession& session, Interaction& interaction,
                            const DatebookReadOptions& options, const DatebookWatch& watch) {
    DatebookReport read;
    try {
        KeepFailure(read, [&] { ReadSteps(session, interaction, read, options, watch); });
    } catch (...) {
        // Not a failure of the phone (the watch or the interaction raised): it passes, after
        // the unlock.
        if (!read.withoutLock) session.AtCommand("AT+MDBL=0");
        throw;
    }
    // The unlock on every path; when it fails too, its failure replaces the first.
    if (!read.withoutLock) KeepFailure(read, [&] { session.AtCommand("AT+MDBL=0"); });
    return read;
}

DatebookReport ReadWholeDatebook(PhoneSession& session, Interaction& interaction,
                                 const DatebookReadOptions& options) {
    DatebookReport read = ReadDatebook(session, interaction, options);
    read.RaiseFailure();
    if (read.status == DatebookReadStatus::CharsetRefused)
        throw OrlinError(Tr("DatebookRead", "Телефон отказал в кодировке UCS2."));
    if (read.status != DatebookReadStatus::Done) throw OrlinError(StatusText(read));
    if (!read.unreadSlots.empty()) throw OrlinError(UnreadSlotsText(read));
    return read;
}

std::string StatusText(const DatebookReport& report) {
    switch (report.status) {
        case DatebookReadStatus::NoAccess:
            return Tr("DatebookRead", "Нет доступа у ежедневнику.");
        case DatebookReadStatus::RangeRefused:
            return Tr("DatebookRead", "Невозможно прочитать содержимое ежедневника.");
        default:
            return std::string();
    }
}

std::string UnreadSlotsText(const DatebookReport& read) {
    if (read.unreadSlots.empty()) return std::string();
    return Tr("DatebookRead", "Не удалось прочитать ячейки ежедневника: ") +
           SlotList(read.unreadSlots) + ". " +
           Tr("DatebookRead", "В них могут быть события, которых нет в списке.");
}

std::string FreeShareText(const DatebookReport& read) {
    const double slots = read.rangeRead ? read.lastSlot + 1.0 : 1.0;
    const double stored = read.rangeRead ? read.stored : 0.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", (slots - stored) / slots * 100.0);
    return text;
}

int FirstFreeSlot(const std::vector<uint8_t>& slotUsed) {
    for (size_t i = 0; i < slotUsed.size(); ++i)
        if (slotUsed[i] == 0) return static_cast<int>(i);
    return -1;
}

}  // namespace orlin
