// The restore: check the backup whole, read the phone, ask, save the phone, then write slot by
// slot and remove last, all over one session, with a report of every slot.

#include <algorithm>
#include <map>
#include <set>
#include <system_error>

#include "backup/backup_files.h"
#include "backup/whole_phone.h"
#include "datebook/datebook_read.h"
#include "datebook/datebook_skipped.h"
#include "datebook/datebook_write.h"
#include "datebook/ical/datebook_ical.h"
#include "link/answers.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/phone_session.h"
#include "link/whole_file.h"
#include "phonebook/entry_codec.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"

namespace orlin {

namespace {

namespace fs = std::filesystem;
using backup::StopWithin;

// One session for the whole restore waits the configured time-out: the datebook's lock and
// slots are slow on a real phone.
constexpr PhoneSession::Options kRestoreSession{true, true};

void BeginOrRaise(CopyInteraction& interaction, CopyStage stage) {
    interaction.stage(stage);
    interaction.processEvents();
    if (!interaction.keepRunning()) throw OrlinError(StoppedText());
}

// One command of the writing part, in the order sent.
struct Step {
    enum class Kind {
        Setup,   // a command that must be taken for the rest to mean what it says
        Lock,    // the datebook's lock: some phones work without it
        Write,   // an entry or an event into its slot
        Skip,    // a skipped occurrence of the event written just before
        Remove,  // an entry or an event the backup does not hold
    };
    Kind kind = Kind::Setup;
    RestorePart* part = nullptr;
    int slot = 0;        // the slot the command changes
    int backupSlot = 0;  // Write: the slot in the backup
    std::string command;
    bool datebook = false;  // judged by the datebook's rule (the final line is OK)
};

bool Taken(const Step& step, const std::string& answer) {
    return step.datebook ? EndsInOk(answer) : AnswerHasOk(answer);
}

// The file line of a record in slot `slot`: what the phonebook file keeps of it, and so what a
// restore can give back.
std::string FileLine(TAbonentInfo record, int slot, const IndexRanges& ranges) {
    record.Index = slot;
    return PhonebookFileText({record}, ranges, FileEncoding::Cp1251OrUtf8).bytes;
}

// The write command of an event, or empty when its fields would not make one.
std::string EventCommand(const DatebookEvent& event) {
    try {
        return WriteCommand(event);
    } catch (const OrlinError&) {
        return {};
    }
}

class Planner {
public:
    Planner(RestoreReport& report, std::vector<Step>& steps) : report_(report), steps_(steps) {}

    void phonebook(const PhonebookState& state, const std::vector<TAbonentInfo>& records) {
        RestorePart& part = report_.phonebook;
        part.inBackup = static_cast<int>(records.size());
        part.inPhone = state.OccupiedCount();
        const int slots = static_cast<int>(state.abonents.size());
        std::set<int> targeted;
        const auto fits = [&](const TAbonentInfo& r, int slot) {
            return slot >= 1 && slot <= slots && state.StorageOfSlot(slot) == r.Storage;
        };
        for (const TAbonentInfo& r : records)
            if (fits(r, r.Index)) targeted.insert(r.Index);

        std::vector<std::pair<int, const TAbonentInfo*>> writes;
        for (const TAbonentInfo& r : records) {
            int slot = r.Index;
            if (!fits(r, slot)) {
                // A slot this phone lacks (another model, a smaller SIM): a free one of the
                // same storage.
                slot = 0;
                for (int s = 1; s <= slots && slot == 0; ++s)
                    if (fits(r, s) && state.abonents[static_cast<size_t>(s - 1)].IsFree() &&
                        !targeted.count(s))
                        slot = s;
                if (slot == 0) {
                    part.noRoom.push_back(r.Index);
                    part.notWritten.push_back(r.Index);
                    continue;
                }
                targeted.insert(slot);
                part.moved.emplace_back(r.Index, slot);
            }
            const TAbonentInfo& held = state.abonents[static_cast<size_t>(slot - 1)];
            if (!held.IsFree() &&
                FileLine(held, slot, state.ranges) == FileLine(r, slot, state.ranges)) {
                ++part.same;
                continue;
            }
            writes.emplace_back(slot, &r);
        }
        std::sort(writes.begin(), writes.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        if (!writes.empty()) {
            setup("AT+CPBS=MT");
            setup("AT+CSCS=UCS2");
        }
        for (const auto& [slot, record] : writes) {
            TAbonentInfo r = *record;
            const int backupSlot = r.Index;
            r.Index = slot;
            add({Step::Kind::Write, &part, slot, backupSlot,
                 r.Storage == 1 ? BuildShortMpbwCommand(r) : BuildMpbwCommand(state.family, r)});
        }
        std::vector<int> removals;
        for (const TAbonentInfo& held : state.abonents)
            if (!held.IsFree() && !targeted.count(held.Index)) removals.push_back(held.Index);
        if (!removals.empty()) setup("AT+CPBS=AD", true);
        for (int slot : removals)
            add({Step::Kind::Remove, &part, slot, slot, BuildEmptySlotCommand(slot)});
    }

    void datebook(const DatebookReport& read, const std::vector<ImportedEvent>& events) {
        RestorePart& part = report_.datebook;
        part.inBackup = static_cast<int>(events.size());
        part.inPhone = static_cast<int>(read.events.size());
        std::map<int, const DatebookEvent*> held;
        for (const DatebookEvent& event : read.events) held[event.slot] = &event;
        const auto exists = [&](int slot) { return slot >= 0 && slot <= read.lastSlot; };
        std::set<int> targeted;
        for (const ImportedEvent& event : events)
            if (exists(event.slot)) targeted.insert(event.slot);

        std::vector<std::pair<int, DatebookEvent>> writes;
        for (const ImportedEvent& imported : events) {
            if (!imported.notes.empty()) {
                std::string text;
                for (const std::string& note : imported.notes)
                    text += (text.empty() ? "" : "; ") + note;
                part.notes.push_back(imported.label + ": " + text);
            }
            int slot = imported.slot;
            if (!exists(slot)) {
                slot = -1;
                for (int s = 0; s <= read.lastSlot && slot < 0; ++s)
                    if (read.slotUsed[static_cast<size_t>(s)] == 0 && !targeted.count(s)) slot = s;
                if (slot < 0) {
                    part.noRoom.push_back(imported.slot);
                    part.notWritten.push_back(imported.slot);
                    continue;
                }
                targeted.insert(slot);
                part.moved.emplace_back(imported.slot, slot);
            }
            const DatebookEvent event = EventOfImported(imported, slot);
            const auto it = held.find(slot);
            if (it != held.end() && it->second->skipped == event.skipped &&
                EventCommand(*it->second) == WriteCommand(event)) {
                ++part.same;
                continue;
            }
            writes.emplace_back(imported.slot, event);
        }
        std::sort(writes.begin(), writes.end(),
                  [](const auto& a, const auto& b) { return a.second.slot < b.second.slot; });
        std::vector<int> removals;
        for (const DatebookEvent& event : read.events)
            if (!targeted.count(event.slot)) removals.push_back(event.slot);
        if (writes.empty() && removals.empty()) return;
        setup("AT+CSCS=UCS2", false, true);
        add({Step::Kind::Lock, &part, 0, 0, "AT+MDBL=1", true});
        for (const auto& [backupSlot, event] : writes) {
            add({Step::Kind::Write, &part, event.slot, backupSlot, WriteCommand(event), true});
            // Right after the event: an interruption between the two is named.
            for (int n : event.skipped)
                add({Step::Kind::Skip, &part, event.slot, backupSlot,
                     SkipOccurrenceCommand(event.slot, n), true});
        }
        for (int slot : removals)
            add({Step::Kind::Remove, &part, slot, slot, "AT+MDBWE=" + std::to_string(slot) + ",0,0",
                 true});
        add({Step::Kind::Lock, &part, 0, 0, "AT+MDBL=0", true});
    }

private:
    void setup(const std::string& command, bool bareOk = false, bool datebook = false) {
        Step step{Step::Kind::Setup, nullptr, 0, 0, command, datebook};
        step.backupSlot = bareOk ? 1 : 0;
        add(step);
    }
    void add(Step step) { steps_.push_back(std::move(step)); }

    RestoreReport& report_;
    std::vector<Step>& steps_;
};

// Sends the steps in order and records each slot's fate; a failure or a stop ends it and the
// rest are recorded as not sent. Never raises an OrlinError.
void Run(PhoneSession& session, std::vector<Step>& steps, CopyInteraction& interaction,
         RestoreReport& report) {
    bool datebookBegun = false;
    std::set<int> writeRefused;  // datebook slots whose event was refused: no skips follow
    size_t i = 0;
    bool lockedDatebook = false;
    const int total = static_cast<int>(steps.size());
    interaction.progress(0, total);
    try {
        for (; i < steps.size(); ++i) {
            Step& step = steps[i];
            if (step.kind == Step::Kind::Skip && writeRefused.count(step.slot)) continue;
            if (step.datebook && !datebookBegun) {
                datebookBegun = true;
                interaction.stage(CopyStage::WriteDatebook);
            }
            const std::string answer = session.AtCommand(step.command);
            const bool taken = Taken(step, answer);
            RestorePart* part = step.part;
            switch (step.kind) {
                case Step::Kind::Setup:
                    if (!(step.backupSlot ? AnswerIsBareOk(answer) : taken))
                        throw OrlinError(Tr("Restore", "Телефон не принял команду ") +
                                         step.command);
                    break;
                case Step::Kind::Lock:
                    lockedDatebook = step.command == "AT+MDBL=1";
                    break;
                case Step::Kind::Write:
                    if (taken) {
                        part->written.push_back(step.slot);
                    } else {
                        part->refused.push_back(step.backupSlot);
                        writeRefused.insert(step.slot);
                    }
                    break;
                case Step::Kind::Skip:
                    if (!taken && std::find(part->skipsMissing.begin(), part->skipsMissing.end(),
                                            step.slot) == part->skipsMissing.end())
                        part->skipsMissing.push_back(step.slot);
                    break;
                case Step::Kind::Remove:
                    (taken ? part->removed : part->notRemoved).push_back(step.slot);
                    break;
            }
            interaction.progress(static_cast<int>(i) + 1, total);
            interaction.processEvents();
            if (!interaction.keepRunning() && i + 1 < steps.size()) {
                report.failure = StoppedText();
                ++i;
                break;
            }
        }
    } catch (const OrlinError& e) {
        report.failure = e.what();
        // The command in flight: its answer never came, so its slot holds either content.
        const Step& step = steps[i];
        if (step.kind == Step::Kind::Write || step.kind == Step::Kind::Remove)
            step.part->unanswered = step.slot;
        if (step.kind == Step::Kind::Skip) step.part->skipsMissing.push_back(step.slot);
        ++i;
    }
    for (; i < steps.size(); ++i) {
        const Step& step = steps[i];
        RestorePart* part = step.part;
        switch (step.kind) {
            case Step::Kind::Write:
                part->notWritten.push_back(step.backupSlot);
                writeRefused.insert(step.slot);
                break;
            case Step::Kind::Skip:
                // The event went in without all of its skipped occurrences.
                if (!writeRefused.count(step.slot) &&
                    std::find(part->skipsMissing.begin(), part->skipsMissing.end(), step.slot) ==
                        part->skipsMissing.end())
                    part->skipsMissing.push_back(step.slot);
                break;
            case Step::Kind::Remove:
                part->notRemoved.push_back(step.slot);
                break;
            default:
                break;
        }
    }
    // A stop inside the datebook's part still unlocks it; after a failure of the line this
    // fails too, and that is no news.
    if (lockedDatebook && !report.failure.empty()) {
        try {
            session.AtCommand("AT+MDBL=0");
        } catch (const OrlinError&) {
        }
    }
}

}  // namespace

RestoreReport RestoreWholePhone(const CopyPhone& phone, const fs::path& folder,
                                CopyInteraction& interaction) {
    RestoreReport report;
    std::error_code error;
    if (fs::exists(folder / kMissingFile, error)) {
        const std::string missing = ReadWholeFile(Utf8FromPath(folder / kMissingFile), 1 << 16);
        if (!interaction.confirmPartial(missing)) {
            report.outcome = RestoreOutcome::PartialRefused;
            return report;
        }
    }
    // Every file whole and checked before the phone is asked anything.
    const BackupContents contents = ReadBackupFolder(folder, interaction);

    StopWithin stoppable(interaction);
    PhoneSession session(phone.settings, kRestoreSession);
    BeginOrRaise(interaction, CopyStage::ReadPhonebook);
    PhonebookState state = ReadWholePhonebook(session, stoppable);
    if (state.family == ModelFamily::None)
        throw OrlinError(Tr("Restore", "Модель телефона не поддерживается: ") + state.model);
    BeginOrRaise(interaction, CopyStage::ReadDatebook);
    DatebookReport read = ReadWholeDatebook(session, stoppable);
    // Unknown skipped occurrences: the copy of the phone lacks them, and the report says so.
    const std::string unread =
        UnreadSkippedText(ReadSkippedOccurrences(session, read.events, stoppable));

    // The backup on this phone: its slots numbered by this phone's ranges, its titles cut to
    // this phone's length.
    const FileEntries entries =
        ParsePhonebookFile(contents.phonebookBytes, state.family, state.ranges, kPhonebookFile);
    const std::vector<ImportedEvent> events = ParseICalendar(contents.calendar, read.titleLength);
    std::vector<Step> steps;
    Planner planner(report, steps);
    planner.phonebook(state, entries.records);
    planner.datebook(read, events);
    if (!unread.empty()) report.datebook.notes.push_back(unread);

    const RestoreCounts counts{state.OccupiedCount(), static_cast<int>(read.events.size()),
                               contents.entries, contents.events};
    const bool holdsAnything = counts.phoneEntries > 0 || counts.phoneEvents > 0;
    if (holdsAnything && !interaction.confirmReplace(counts)) {
        RestoreReport declined;
        declined.outcome = RestoreOutcome::Declined;
        return declined;
    }
    if (holdsAnything) {
        BeginOrRaise(interaction, CopyStage::SavePhone);
        report.savedFolder = backup::SavePhoneBeforeRestore(folder, state, read.events);
    }

    // From here on the phone changes: nothing raises, the report says what happened.
    interaction.stage(CopyStage::WritePhonebook);
    Run(session, steps, interaction, report);
    const bool whole =
        report.failure.empty() && report.phonebook.Whole() && report.datebook.Whole();
    report.outcome = whole ? RestoreOutcome::Done : RestoreOutcome::Incomplete;
    return report;
}

}  // namespace orlin
