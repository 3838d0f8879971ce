#pragma once
// The two collections of the sync: the phonebook as vCards (one card per name, as the export
// makes them) and the datebook as iCalendar events, each over one session with the phone.

#include <map>
#include <memory>
#include <string>

#include "datebook/datebook_read.h"
#include "link/interaction.h"
#include "link/phone_session.h"
#include "link/stable_id.h"
#include "phonebook/phonebook_state.h"
#include "phonebook/vcard.h"
#include "phonebook/vcard_import.h"
#include "sync/sync_run.h"

namespace orlin::sync {

// The number as the sync compares it: the phone's cleaned form of a number, the text itself
// for anything else (an address). The one place where numbers are made comparable.
std::string ComparableNumber(const Utf8Text& number);

class ContactsCollection : public Collection {
public:
    ContactsCollection(PhoneSession& session, Interaction& interaction, ItemIdentity identity)
        : session_(session), interaction_(interaction), identity_(std::move(identity)) {}
    const char* what() const override { return "contacts"; }
    const char* extension() const override { return ".vcf"; }
    bool readPhone(std::vector<PhoneItem>& items, bool& complete, std::ostream& out) override;
    DirItem readFile(const std::string& bytes) override;
    std::string fileText(const PhoneItem& item, const std::string& old) override;
    std::optional<PhoneItem> toPhone(const std::string& bytes, const PhoneItem* old,
                                     std::vector<std::string>& notes) override;
    bool deleteOnPhone(const PhoneItem& item, std::string& why) override;

private:
    PhoneItem ItemOf(const VCardItem& card) const;
    PhoneSession& session_;
    Interaction& interaction_;
    ItemIdentity identity_;
    PhonebookState state_;
    std::map<std::string, VCardItem> cards_;  // by UID
};

class EventsCollection : public Collection {
public:
    EventsCollection(PhoneSession& session, Interaction& interaction, ItemIdentity identity)
        : session_(session), interaction_(interaction), identity_(std::move(identity)) {}
    const char* what() const override { return "calendar"; }
    const char* extension() const override { return ".ics"; }
    bool readPhone(std::vector<PhoneItem>& items, bool& complete, std::ostream& out) override;
    DirItem readFile(const std::string& bytes) override;
    std::string fileText(const PhoneItem& item, const std::string& old) override;
    std::optional<PhoneItem> toPhone(const std::string& bytes, const PhoneItem* old,
                                     std::vector<std::string>& notes) override;
    bool deleteOnPhone(const PhoneItem& item, std::string& why) override;

private:
    PhoneItem ItemOf(const DatebookEvent& event);
    PhoneSession& session_;
    Interaction& interaction_;
    ItemIdentity identity_;
    DatebookReport read_;
    std::map<std::string, std::pair<DatebookEvent, std::string>> events_;  // UID -> event, text
};

}  // namespace orlin::sync
