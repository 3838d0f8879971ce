// orlin-cli phonebook: list the phone's entries, save them to a phonebook file, or load
// such a file into the phone.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>

#include "cli/json_output.h"
#include "cli/list_output.h"
#include "cli/phone_identity.h"
#include "cli/progress.h"
#include "cli/verb.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/phone_session.h"
#include "link/slot_list.h"
#include "link/whole_file.h"
#include "phonebook/entry_codec.h"
#include "phonebook/phone_number.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "phonebook/phonebook_rows.h"
#include "phonebook/phonebook_write.h"
#include "phonebook/vcard.h"
#include "phonebook/vcard_import.h"

namespace orlin::cli {

namespace {

// The read of the phonebook list; false (after a message) when the phone refused it.
// `complete` (when given) turns false when some entries could not be read.
bool ReadAll(PhoneSession& session, PhonebookState& state, CliInteraction& interaction,
             bool* complete = nullptr) {
    const PhonebookReport report = ReadPhonebook(session, state, interaction);
    report.RaiseFailure();
    if (report.status == PhonebookReadStatus::CharsetRefused) {
        std::cerr << "The phone refused the UCS2 character set: nothing was read." << std::endl;
        return false;
    }
    if (report.status != PhonebookReadStatus::Done) {
        std::cerr << StatusText(report) << std::endl;
        return false;
    }
    if (!report.unreadable.empty())
        std::cerr << "Could not read the entries of slots " << SpanList(report.unreadable) << "."
                  << std::endl;
    if (complete) *complete = report.unreadable.empty();
    return true;
}

// The same over a session of its own.
bool ReadAll(const Invocation& invocation, PhonebookState& state, CliInteraction& interaction,
             bool* complete = nullptr) {
    PhoneSession session(invocation.settings, SessionOptions(invocation));
    return ReadAll(session, state, interaction, complete);
}

// The English word of a number type, by the list's kind of number (which tells the mailing
// list of the category models from the SIM type of the T720); null for a code the model lacks.
Json TypeWord(const TypeText& type) {
    static const char* const words[] = {"work",  "home",  "main",         "mobile", "fax",
                                        "pager", "email", "mailing-list", "sim"};
    if (!type.kind) return nullptr;
    return words[static_cast<int>(*type.kind)];
}

Json JsonEntry(const TAbonentInfo& record, const PhonebookState& state) {
    Json item;
    item["slot"] = record.Index;
    item["storage"] = record.Storage == 1 ? "sim" : "phone";
    item["name"] = record.Name;
    item["number"] = record.Number;
    item["type"] = TypeWord(NumberTypeText(record.NumberType, state.family, state.model));
    item["ids"] = record.Ids == kIdsSilent    ? "silent"
                  : record.Ids == kIdsDefault ? "default"
                                              : "custom";
    Json raw;
    raw["storage"] = record.Storage == 1 ? "SM" : "ME";
    raw["numberFormat"] = record.NumberFormat;
    raw["numberType"] = record.NumberType;
    raw["ids"] = record.Ids;
    if (HasCategories(state.family)) {
        if (state.family == ModelFamily::Fields16)
            item["picture"] = record.Picture;
        else
            item["icon"] =
                record.Icon >= 0 && record.Icon <= 14 ? Json(record.Icon) : Json(nullptr);
        const std::string category = CategoryName(record.Category, state.groupNames);
        item["category"] = category.empty() ? Json(nullptr) : Json(category);
        raw["icon"] = record.Icon;
        raw["category"] = record.Category;
    }
    item["raw"] = raw;
    return item;
}

int List(const Invocation& invocation, ListFormat format) {
    PhonebookState state;
    CliInteraction interaction("reading", invocation.yes);
    bool complete = true;
    if (!ReadAll(invocation, state, interaction, &complete)) return 1;
    if (format == ListFormat::Json) {
        std::vector<Json> items;
        for (const TAbonentInfo& record : state.abonents)
            if (!record.IsFree()) items.push_back(JsonEntry(record, state));
        PrintJsonList(std::cout, items);
        return std::cout && complete ? 0 : 1;
    }
    std::cout << "slot\tstorage\tname\tnumber\ttype\tIDs\ticon\tcategory\n";
    for (const TAbonentInfo& record : state.abonents) {
        if (record.IsFree()) continue;
        const PhonebookRow row = MakeRow(record, state.family, state.model, state.groupNames);
        // Phone data as fields of one line, no escape sequence reaching the terminal.
        std::cout << row.caption << '\t' << (record.Storage == 1 ? "SM" : "ME") << '\t'
                  << ListFieldUtf8(row.name) << '\t' << ListFieldUtf8(row.number) << '\t'
                  << ListFieldUtf8(row.typeText) << '\t' << ListFieldUtf8(row.idsText) << '\t'
                  << ListFieldUtf8(row.iconText) << '\t' << ListFieldUtf8(row.groupText) << '\n';
    }
    // Slots that could not be read are no empty slots: the list is not the whole phonebook.
    return std::cout && complete ? 0 : 1;
}

// The phonebook read for saving to a file; false (after a message) when it could not be read
// or holds nothing to save.
bool ReadForSaving(PhoneSession& session, const Invocation& invocation, PhonebookState& state,
                   bool* complete = nullptr) {
    CliInteraction interaction("reading", invocation.yes);
    if (!ReadAll(session, state, interaction, complete)) return false;
    if (state.OccupiedCount() > 0) return true;
    std::cerr << Tr("PhonebookVerb", "Список пуст, сохранять нечего !") << std::endl;
    return false;
}

int Save(const Invocation& invocation, const std::string& path) {
    PhonebookState state;
    bool complete = true;
    {
        // One session for the read and what the file needs after it: no other program can
        // take the port in between.
        PhoneSession session(invocation.settings, SessionOptions(invocation));
        if (!ReadForSaving(session, invocation, state, &complete)) return 1;
        PrepareSave(session, state);
    }
    const FileText text = PhonebookFileText(state.abonents, state.ranges);
    WriteWholeFile(path, text.bytes);
    std::cout << text.lines << " entries saved to " << path << "\n";
    const Utf8Text note = SaveChangeNote(text);
    if (!note.empty()) std::cerr << note << std::endl;
    // The file lacks the entries that could not be read (named above), as a backup would.
    return complete ? 0 : 1;
}

int Load(const Invocation& invocation, const std::string& path) {
    CliInteraction interaction("writing", invocation.yes);
    const LoadTarget target =
        PrepareLoad(invocation.settings, interaction, invocation.timeoutGiven);
    if (!target.connected) return 1;
    // A file saved as UTF-8 by a text editor is converted; the note says so once.
    const FileEntries entries = ParsePhonebookFile(ReadPhonebookFile(path, interaction),
                                                   target.family, target.ranges, path);
    if (target.family == ModelFamily::None)
        std::cerr << "The model " << target.model << " is not supported: nothing was written."
                  << std::endl;
    const LoadReport report =
        WriteFileEntries(invocation.settings, entries.records, target.family, interaction);
    if (const Utf8Text beyond = EntriesBeyondUcs2Text(entries.records); !beyond.empty())
        std::cerr << beyond << std::endl;

    int status = 0;
    // Taken, refused and never sent are told apart: a stop after 3 of 42 entries is not
    // "1 of 3 not taken".
    const int notSent = report.total - report.sent;
    if (!report.refused.empty() || notSent > 0 || report.unanswered) {
        const int refused = static_cast<int>(report.refused.size());
        std::cerr << "Of " << report.total << " entries in the file the phone took "
                  << report.done.size() << ", did not take " << refused;
        if (refused > 0) std::cerr << " (slots " << SlotList(report.refused) << ")";
        if (report.unanswered) std::cerr << ", did not answer for slot " << *report.unanswered;
        std::cerr << ", and " << notSent << " were never sent." << std::endl;
        status = 1;
    }
    if (report.Failed()) {
        std::cerr << FailureMessage(report) << std::endl;
        status = 1;
    }
    if (interaction.declined() || target.family == ModelFamily::None) status = 1;

    // As the window does: the phonebook is read again, whatever the writing did.
    PhonebookState state;
    interaction.restart("reading");
    if (!ReadAll(invocation, state, interaction)) return 1;
    std::cout << state.OccupiedCount() << " entries in the phonebook\n";
    return status;
}

int Export(const Invocation& invocation, const std::string& path, bool vdir) {
    PhonebookState state;
    std::string key;
    {
        PhoneSession session(invocation.settings, SessionOptions(invocation));
        if (!ReadForSaving(session, invocation, state)) return 1;
        key = AskPhoneKey(session);
    }
    const std::unique_ptr<StampBook> stamps = OpenStamps(key);
    const ItemIdentity identity = stamps->identity(key, Now());
    size_t cards = 0;
    int removed = 0;
    if (vdir) {
        // One card per file, named by its UID: the layout the vdir programs read.
        std::filesystem::create_directories(PathFromUtf8(path));
        std::set<std::string> written;
        for (const VCardItem& item : VCardItems(state, identity)) {
            WriteWholeFile(Utf8FromPath(PathFromUtf8(path) / PathFromUtf8(item.uid + ".vcf")),
                           item.text);
            written.insert(item.uid);
            ++cards;
        }
        // The cards of this phone that are gone from it since the last export.
        removed = RemoveGoneItemFiles(path, ".vcf", written, [&](const std::string& uid) {
            const std::optional<OwnUid> own = ParseOwnCardUid(uid);
            return own && own->phoneKey == key;
        });
    } else {
        const std::string text = VCardText(state, &identity);
        WriteWholeFile(path, text);
        for (size_t at = text.find("BEGIN:VCARD"); at != std::string::npos;
             at = text.find("BEGIN:VCARD", at + 1))
            ++cards;
    }
    stamps->save();
    std::cout << state.OccupiedCount() << " entries exported as " << cards << " cards to " << path
              << "\n";
    if (vdir) std::cout << "Removed " << removed << " files of cards no longer on the phone\n";
    return 0;
}

// The cards of a file, or of every .vcf file of a vdir (in name order; a file without a card
// is named on standard error).
std::vector<VCard> CardsToImport(const std::string& path, bool vdir) {
    if (!vdir) return ParseVCards(ReadWholeFile(path, kMostVCardBytes));
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(path)))
        if (entry.path().extension() == ".vcf") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<VCard> cards;
    for (const auto& file : files) {
        std::vector<VCard> some = ParseVCards(ReadWholeFile(Utf8FromPath(file), kMostVCardBytes));
        if (some.empty()) std::cerr << "No vCard in " << Utf8FromPath(file) << "." << std::endl;
        cards.insert(cards.end(), some.begin(), some.end());
    }
    return cards;
}

int Import(const Invocation& invocation, const std::string& path, const std::string& region,
           bool vdir) {
    const std::vector<VCard> cards = CardsToImport(path, vdir);
    if (cards.empty()) {
        std::cerr << "No vCard in " << path << ": nothing was written." << std::endl;
        return 1;
    }
    PhonebookState state;
    CliInteraction interaction("reading", invocation.yes);
    // One session for the read, the phone's key and the writing: no other program can take
    // the port in between.
    PhoneSession session(invocation.settings, SessionOptions(invocation));
    if (!ReadAll(session, state, interaction)) return 1;
    if (state.family == ModelFamily::None) {
        std::cerr << "The model " << state.model << " is not supported: nothing was written."
                  << std::endl;
        return 1;
    }
    // Our own cards of this phone go back in place (their UIDs carry the phone's key).
    const bool own = std::any_of(cards.begin(), cards.end(),
                                 [](const VCard& c) { return ParseOwnCardUid(c.uid).has_value(); });
    const std::string key = own ? AskPhoneKey(session) : std::string();
    const VCardImport plan = PlanVCardImport(cards, state, region, key);
    if (plan.missingSlots > 0 && !invocation.yes) {
        std::cerr << "The file holds " << plan.records.size() + plan.missingSlots
                  << " numbers, the phone has " << plan.records.size()
                  << " free slots: " << plan.missingSlots
                  << " are missing. Nothing was written (give --yes to write what fits)."
                  << std::endl;
        return 1;
    }
    interaction.restart("writing");
    // Until the write begins every planned entry is unsent.
    SlotChange report;
    for (const TAbonentInfo& record : plan.records) report.unsent.push_back(record.Index);
    std::string failure;
    bool notEmptied = false;
    try {
        report = WriteVCardImport(session, state, plan.records, interaction);
        report.RaiseFailure();
        // The entries an edited card of our own no longer has, once the rest went in.
        if (!plan.toEmpty.empty() && report.unsent.empty() && !report.unanswered) {
            const SlotChange deleted = DeletePhonebookEntries(session, state, plan.toEmpty);
            deleted.RaiseFailure();
            if (!deleted.refused.empty()) {
                std::cerr << "The phone did not empty slots " << SlotList(deleted.refused) << "."
                          << std::endl;
                notEmptied = true;
            }
        }
    } catch (const OrlinError& e) {
        // What went in before the failure is told all the same: run again, the import adds
        // only what is missing.
        failure = e.what();
    }
    int status = failure.empty() && !notEmptied ? 0 : 1;
    if (!report.done.empty() || !report.unsent.empty() || report.unanswered) {
        std::cerr << "Of " << plan.records.size() << " entries to write " << report.done.size()
                  << " went in";
        if (!report.done.empty()) std::cerr << " (slots " << SlotList(report.done) << ")";
        if (report.unanswered)
            std::cerr << ", the phone did not answer for slot " << *report.unanswered
                      << " (it may hold the entry)";
        if (!report.unsent.empty())
            std::cerr << ", " << report.unsent.size() << " were never sent (slots "
                      << SlotList(report.unsent) << ")";
        std::cerr << "." << std::endl;
        if (!report.unsent.empty() || report.unanswered) status = 1;
    }
    if (!failure.empty()) std::cerr << failure << std::endl;
    // Only a phone that answered can have refused: a lost line is the failure printed above.
    if (report.refusedAccess && failure.empty()) {
        std::cerr << "The phone refused access to its phonebook: nothing was written." << std::endl;
        status = 1;
    }
    if (!report.refused.empty()) {
        std::cerr << "The phone did not take the entries of slots " << SlotList(report.refused)
                  << "." << std::endl;
        status = 1;
    }
    const Utf8Text warning = ImportWarningText(plan.warnings);
    if (!warning.empty()) std::cerr << warning << std::endl;
    std::cout << report.done.size() << " entries imported from " << cards.size() << " cards";
    if (plan.updatedInPlace > 0) std::cout << ", " << plan.updatedInPlace << " cards in place";
    if (plan.alreadyThere > 0) std::cout << ", " << plan.alreadyThere << " already in the phone";
    std::cout << "\n";
    return plan.missingSlots > 0 ? 1 : status;
}

int RunPhonebook(const Invocation& invocation) {
    const auto& args = invocation.args;
    if (args.empty())
        throw UsageError("phonebook needs list, save FILE, load FILE, export FILE or import FILE");
    const std::string& what = args[0];
    if (what == "list") {
        std::vector<std::string> words = args;
        const ListFormat format = TakeListFormat(words);
        if (words.size() != 1) throw UsageError("phonebook list takes no more words");
        return List(invocation, format);
    }
    if (what == "import") {
        // --region CC: where the file's national numbers are dialled (else the locale's).
        std::vector<std::string> words;
        std::optional<std::string> given;
        for (size_t i = 1; i < args.size(); ++i) {
            std::string word = args[i];
            if (word == "--region" || word.rfind("--region=", 0) == 0) {
                if (given) throw UsageError("--region is given twice");
                if (word == "--region" && i + 1 >= args.size())
                    throw UsageError("--region needs a region such as DE");
                given = word == "--region" ? args[++i] : word.substr(9);
                if (!RegionCode(*given))
                    throw UsageError("--region needs a region such as DE, not '" + *given + "'");
                continue;
            }
            words.push_back(word);
        }
        const bool vdir = words.size() == 2 && words[0] == "--vdir";
        if (!vdir && (words.size() != 1 || words[0] == "--vdir"))
            throw UsageError("phonebook import needs one FILE or --vdir DIR");
        return Import(invocation, words[vdir ? 1 : 0], given ? *RegionCode(*given) : LocaleRegion(),
                      vdir);
    }
    if (what == "export" && args.size() == 3 && args[1] == "--vdir")
        return Export(invocation, args[2], true);
    if (what == "save" || what == "load" || what == "export") {
        if (args.size() != 2 || args[1] == "--vdir")
            throw UsageError("phonebook " + what + " needs one FILE" +
                             (what == "export" ? " or --vdir DIR" : ""));
        if (what == "export") return Export(invocation, args[1], false);
        return what == "save" ? Save(invocation, args[1]) : Load(invocation, args[1]);
    }
    throw UsageError("unknown phonebook command '" + what + "'");
}

const VerbRegistration registration({
    "phonebook",
    "phonebook list [--format json] | save FILE | load FILE [--yes] | export FILE.vcf|--vdir\n"
    "      DIR | import FILE.vcf|--vdir DIR [--region CC] [--yes]",
    "list: reads every entry of the phone memory and the SIM and prints one line each, tab-\n"
    "  separated: slot, storage (ME or SM), name, number, type, IDs, icon or picture, category.\n"
    "  Slots the phone would not read out are named on standard error (exit status 1).\n"
    "  --format json: one JSON object per entry (see JSON output below).\n"
    "save FILE: reads the phonebook and writes it to FILE in the phonebook file format.\n"
    "load FILE: writes the entries of FILE into the phone, then reads the phonebook again and\n"
    "  prints the number of entries. After a time-out it stops (exit status 1) unless --yes.\n"
    "  Entries the phone refuses are named on standard error (exit status 1).\n"
    "export FILE.vcf: reads the phonebook and writes it as vCard 3.0, one card per name. Each\n"
    "  card has a UID made of a hash of the phone's serial number and the slot of its first\n"
    "  entry, and a REV that stays while the card does (kept in orlin-stamps-*.txt in the\n"
    "  work folder): two exports of an unchanged phone are the same bytes.\n"
    "export --vdir DIR: the same, one UID.vcf file per card in DIR (made when missing).\n"
    "  The files of this phone's cards that are gone from it are removed (only files named\n"
    "  by one of its UIDs that say that UID), and their number is printed.\n"
    "import FILE.vcf: writes every number of every card into a free slot of the phone. When\n"
    "  the file holds more numbers than the phone has free slots, nothing is written unless\n"
    "  --yes (then what fits). What could not be held as it was is listed on standard error.\n"
    "  Telephone numbers are written in international form (+4930123456) where they can be\n"
    "  read so: national ones as dialled in --region CC (two letters, DE), by default the\n"
    "  region of the locale (LC_ALL, LC_TELEPHONE, LANG); others as written, with only +,\n"
    "  digits, *, #, p and w (so all of them in the Windows build). E-mail addresses are\n"
    "  written as they are.\n"
    "  A card this phone exported goes back into its own slots when they still hold what was\n"
    "  exported (entries the card no longer has are emptied); else into free slots, and\n"
    "  standard error says so.\n"
    "import --vdir DIR: the same with every .vcf file of DIR.",
    RunPhonebook,
});

}  // namespace

}  // namespace orlin::cli
