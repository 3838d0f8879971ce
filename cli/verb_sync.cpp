// orlin-cli sync: the phone's contacts and calendar kept in step with vdir folders (one file
// per item), the folders that vdirsyncer, khard and khal use.

#include <iostream>
#include <string>

#include "cli/phone_identity.h"
#include "cli/progress.h"
#include "cli/verb.h"
#include "link/errors.h"
#ifndef ORLIN_WITHOUT_SYNC
#include "sync/phone_books.h"
#endif
#ifndef _WIN32
#include <unistd.h>
#endif

namespace orlin::cli {

namespace {

#ifdef ORLIN_WITHOUT_SYNC
int RunSyncVerb(const Invocation&) {
    throw OrlinError("sync needs libical, which this build of orlin-cli lacks");
}
#else
// Many deletions: asked on a terminal, refused elsewhere.
bool AskOnTerminal(const std::string& question) {
#ifdef _WIN32
    (void)question;
    return false;
#else
    if (!isatty(fileno(stdin))) return false;
    std::cerr << question << " [y/N] " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    return answer == "y" || answer == "Y" || answer == "yes";
#endif
}

int RunSyncVerb(const Invocation& invocation) {
    std::string contacts, calendar;
    sync::SyncOptions options;
    const auto& args = invocation.args;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw UsageError(word + " needs a value");
            return args[++i];
        };
        if (word == "--contacts")
            contacts = value();
        else if (word == "--calendar")
            calendar = value();
        else if (word == "--prefer") {
            const std::string side = value();
            if (side != "phone" && side != "dir")
                throw UsageError("--prefer takes phone or dir, not '" + side + "'");
            options.prefer = side == "phone" ? sync::Prefer::Phone : sync::Prefer::Dir;
        } else if (word == "--dry-run")
            options.dryRun = true;
        else if (word == "--allow-deletes")
            options.allowDeletes = true;
        else
            throw UsageError("unknown sync word '" + word + "'");
    }
    if (contacts.empty() && calendar.empty())
        throw UsageError("sync needs --contacts DIR, --calendar DIR or both");
    options.allowDeletes = options.allowDeletes || invocation.yes;
    options.ask = AskOnTerminal;

    std::string key;
    {
        PhoneSession session(invocation.settings, SessionOptions(invocation));
        key = AskPhoneKey(session);
    }
    const std::unique_ptr<StampBook> stamps = OpenStamps(key);
    const ItemIdentity identity = stamps->identity(key, Now());
    int status = 0;
    const auto run = [&](sync::Collection& collection, const std::string& dir) {
        options.dir = dir;
        const sync::SyncReport report = sync::RunSync(collection, key, options, std::cout);
        std::cout << collection.what() << ": " << report.toPhone << " to the phone, "
                  << report.toDir << " to the folder, " << report.deletedOnPhone
                  << " deleted on the phone, " << report.deletedFiles << " files deleted, "
                  << report.conflicts << " conflicts" << (options.dryRun ? " (dry run)" : "")
                  << "\n";
        if (report.failed || report.declined || report.problems > 0 || report.conflicts > 0)
            status = 1;
    };
    if (!contacts.empty()) {
        CliProgress interaction("contacts");
        PhoneSession session(invocation.settings, SessionOptions(invocation));
        sync::ContactsCollection collection(session, interaction, identity);
        run(collection, contacts);
    }
    if (!calendar.empty()) {
        CliProgress interaction("calendar");
        PhoneSession session(invocation.settings, SessionOptions(invocation, true));
        sync::EventsCollection collection(session, interaction, identity);
        run(collection, calendar);
    }
    if (!options.dryRun) stamps->save();
    return status;
}
#endif

const VerbRegistration registration({
    "sync",
    "sync [--contacts DIR] [--calendar DIR] [--prefer phone|dir] [--dry-run] [--allow-deletes]",
    "Keeps the phonebook and the datebook in step with vdir folders (one .vcf or .ics file\n"
    "  per item, as vdirsyncer, khard and khal keep them). An item changed or added on one side\n"
    "  is carried to the other, one deleted on one side is deleted on the other. The state of\n"
    "  the last sync is kept beside each folder (.DIR.<phone>.orlin-sync in its parent) and\n"
    "  saved after every step: a run stopped anywhere is finished by the next one.\n"
    "  An item changed on both sides is a conflict: named and left alone on both, unless\n"
    "  --prefer phone|dir. Deletions happen only after every slot and every file was read, and\n"
    "  a run that would delete more than a fifth of a side asks first on a terminal and\n"
    "  otherwise does nothing without --allow-deletes (or --yes). What the phone cannot hold\n"
    "  of an item is named per item; the file keeps its full form. --dry-run prints the plan.\n"
    "  Exit status 1 when there was a conflict or an item could not be carried over.",
    RunSyncVerb,
});

}  // namespace

}  // namespace orlin::cli
