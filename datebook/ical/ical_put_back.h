#pragma once
// An import of our own export puts each edited event back into the slot it came from, so that
// the datebook keeps one copy of it: the window and orlin-cli import the same way.

#include <string>
#include <vector>

#include "datebook/datebook_event.h"
#include "datebook/ical/datebook_ical.h"
#include "link/interaction.h"
#include "link/list_change.h"
#include "link/phone_session.h"

namespace orlin {

// Whether the file holds an event exported with an identity (a UID "orlin-..." and its
// X-ORLIN-HASH): only then is the phone's key worth asking.
bool HasOwnEvents(const std::vector<ImportedEvent>& events);

// Our own events of the phone `phoneKey` whose slot still holds what was exported (the hash
// of `held`'s event in that slot, with its skipped occurrences read again, equals
// X-ORLIN-HASH) go back in place: each is marked alreadyThere, and those the file changed are
// written into their slot (WriteEvent) and listed in `done`, or in `refused` with the phone's
// answer line. An event whose slot holds another event now gets a note and stays for a free
// slot; one whose slot is empty stays for the free slots too. A port failure ends it with
// change.failure: the events after it are left as they are.
SlotChange PutBackInPlace(PhoneSession& session, std::vector<ImportedEvent>& events,
                          const std::vector<DatebookEvent>& held, const std::string& phoneKey,
                          Interaction& interaction);

}  // namespace orlin
