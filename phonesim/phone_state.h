#pragma once
// The simulated phone's contents and settings. Texts (names, titles, message texts) are
// UTF-8, any character a phone holding UCS2 can keep; the phone converts them to its
// character set (UCS2 hexadecimal, or plain text) only on the wire.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace orlin::phonesim {

// How many fields an AT+MPBR line has, and how an AT+MPBW command is laid out.
enum class PhonebookFamily { NineField, ThirteenField, SixteenField };

// The family of a model name: T720, T720i, V60, V66, V60i, V66i, V70 have nine fields;
// C350, C330, V150 thirteen; C450, C550, C650, V300, V500, V600 sixteen, and so do the later
// V3, V3i, E398, L7, L6 and K1 (24-field lines). Exact, case-sensitive comparison; any other
// name reads with nine fields.
PhonebookFamily FamilyOfModel(const std::string& model);
bool IsKnownModel(const std::string& model);
std::vector<std::string> KnownModels();

struct PhonebookEntry {
    std::string number;      // the number or, for type 6, an e-mail address
    int numberFormat = 129;  // 145 international, 129 national, 128 e-mail
    std::string name;        // UTF-8
    int type = 2;            // 0..8: work, home, main, mobile, fax, pager, e-mail, list/SIM, SIM
    int aux6 = 0;
    int ids = 255;  // 0 silent, 1..254, 255 default
    int aux8 = 0;
    int aux9 = 1;
    int category = 0;  // 13- and 16-field families
    int icon = 255;    // 0..14 or 255 (13-field family)
    int aux12 = 255;
    int aux13 = 0;
    std::string picture;  // 16-field family, UTF-8
    int aux15 = 0;
    int aux16 = 0;
    bool operator==(const PhonebookEntry&) const = default;
};

struct PhonebookCategory {
    std::string name;  // UTF-8
    int ringtone = 0;
    bool operator==(const PhonebookCategory&) const = default;
};

struct DatebookEvent {
    std::string title;  // UTF-8
    int firstFlag = 1;
    int alarmOn = 0;        // 0 or 1
    std::string startTime;  // "HH:MM"
    std::string startDate;  // "MM-DD-YYYY"
    int duration = 60;      // minutes
    std::string alarmTime = "00:00";
    std::string alarmDate = "00-00-2000";
    int repeat = 0;  // 0 none, 1 daily, 2 weekly, 3 monthly (day), 4 monthly (date), 5 yearly
    std::vector<int> exceptions;  // skipped occurrences of a repeating event, ascending
    // The fields after the end date of the extended event line (later models), as written;
    // empty: the phone's own defaults. Not kept in a state file.
    std::vector<std::string> extendedTail;
    bool operator==(const DatebookEvent&) const = default;
};

enum class MessageStorage { IM, OM, DM };  // inbox, outgoing, drafts
enum class MessageStatus { RecUnread, RecRead, StoUnsent, StoSent };

const char* StorageName(MessageStorage storage);  // "IM", "OM", "DM"
const char* StatusName(MessageStatus status);     // "REC UNREAD", ...

struct Message {
    MessageStorage storage = MessageStorage::IM;
    MessageStatus status = MessageStatus::RecUnread;
    std::string number;    // sender or recipient
    std::string dateTime;  // as the phone shows it, e.g. "2006/12/26,09:05:07"
    std::string text;      // UTF-8
    bool operator==(const Message&) const = default;
};

// What the phone stores; this is what a state file holds.
struct PhoneContents {
    std::map<int, PhonebookEntry> phonebook;      // slot (one numbering across ME and SM) -> entry
    std::map<int, PhonebookCategory> categories;  // 1..categoryCount -> category
    std::map<int, DatebookEvent> events;          // slot 0..datebookLastSlot -> event
    std::map<int, Message> messages;  // index (one numbering across IM, OM, DM) -> message
    int autoDeleteWeeks = 0;          // AT+MDBAD: 0, 1, 2, 4 or 8
    bool operator==(const PhoneContents&) const = default;
};

// Answer forms of real phones other than the ones the program was first written against,
// each off by default.
struct RealForms {
    // AT+MDBR=? gives the number of slots N (slots 0..N-1); slot N is refused.
    bool datebookSlotsCount = false;
    // Text fields (names, titles, categories) in double quotes: quoted hexadecimal in UCS2.
    bool quotedTexts = false;
    // Text fields as quoted 8-bit text whatever the character set, as after a UCS2 switch
    // that did not take.
    bool plainTexts = false;
    // AT+MPBR=a,b refused when the range is longer than this many slots; 0: no limit.
    int maxRange = 0;
    // No datebook lock: AT+MDBL answers ERROR, and writes need no lock.
    bool noDatebookLock = false;
    // AT+MDBR=? gives ten numbers, and an event line has 21 fields: the duration empty, an end
    // time and end date after the repeat code, nine more fields after them.
    bool extendedDatebook = false;
    // Message headers without a blank after the commas.
    bool tightHeaders = false;
    // Message headers with the empty alpha field of the standard text mode before the date.
    bool alphaField = false;
    // A field (the number's type, 145 or 129) after the date of a received message's header.
    bool fieldAfterDate = false;
    // Phonebook, datebook, message and clock commands refused until AT+MODE=<needsMode>.
    int needsMode = 0;
    // AT+CSCS and AT+CPBS refuse an argument without double quotes.
    bool quotedArgs = false;
    // +CGSN: 351234567890123, without the IMEI prefix.
    bool plainSerial = false;
};

// Every form at once, as a later model answers: quoted texts, ranges of at most 15 slots,
// mode 2 needed.
RealForms AllRealForms();

// The whole phone: identity, settings of the current connection and the contents.
struct PhoneState {
    // Identity.
    std::string model = "C350";
    PhonebookFamily family = PhonebookFamily::ThirteenField;
    std::string manufacturer = "Motorola CE, Copyright 2000";
    std::vector<std::string> bands = {"GSM900", "GSM1800", "GSM1900"};
    std::string firmware = "R374_G_0E.41.C3R_A";
    std::string imei = "351234567890123";
    std::string imsi = "250991234567890";
    std::string ownNumber = "+79161234567";

    int batteryStatus = 0;   // AT+CBC: 0 on battery, 1 charging
    int batteryCharge = 80;  // 0..100
    int signalRssi = 15;     // AT+CSQ: 0..31 or 99
    int signalBer = 99;

    // The clock runs: phone time = the computer's local time + clockOffsetSeconds.
    int64_t clockOffsetSeconds = 0;
    std::string clockZone = "+00";

    // Settings of the line (not kept in a state file).
    std::string charset = "IRA";  // "IRA", "GSM" or "UCS2"
    bool echo = true;
    bool verboseErrors = false;           // AT+CMEE=1: "+CME ERROR: n" instead of "ERROR"
    std::string phonebookStorage = "ME";  // ME, SM, MT, AD (and the listed read-only ones)
    MessageStorage messageReadStorage = MessageStorage::IM;   // AT+CPMS first storage
    bool messageReadAll = false;                              // first storage is "MT"
    MessageStorage messageWriteStorage = MessageStorage::OM;  // where AT+CMGW stores
    bool datebookLocked = false;
    bool textModeHeaders = false;  // AT+CSDH=1: +CMGR and +CMGL show every header field
    int messageReference = 0;      // last +CMSS reference
    int mode = 0;                  // AT+MODE
    int callMode = 0;              // AT+CMOD
    std::string bearer = "7,0,1";  // AT+CBST

    // Layout of the storages. The SIM follows the phone memory in one numbering.
    int meFirst = 1;
    int meLast = 1000;
    bool simPresent = true;
    int smFirst = 1001;
    int smLast = 1250;
    int nameLength = 24;  // characters
    int numberLength = 32;
    int categoryCount = 15;
    int datebookLastSlot = 500;  // slots 0..datebookLastSlot
    int datebookTitleLength = 64;
    // Some models send the "+MDBRE:" lines of skipped occurrences after AT+MDBR=i as well.
    bool datebookExceptionsOnSingleReads = false;
    int messageCapacity = 50;  // per storage; indexes 1..3*messageCapacity
    RealForms forms;

    PhoneContents contents;

    // Every command line received, in order, without its CR (tests look at the dialogue).
    std::vector<std::string> commandLog;
    uint64_t commandsReceived = 0;

    int combinedLast() const { return simPresent ? smLast : meLast; }
};

// A demo phone: 40 and more contacts with Russian, Ukrainian and Latin names in phone
// memory and on the SIM, e-mail entries, categories, a dozen events with alarms and
// repeats, and messages in every folder. Slots follow the layout fields of `state`.
void SeedDemoContents(PhoneState& state);

// The category names a phone comes with; an empty phone has them too.
void SeedBuiltInCategories(PhoneState& state);

}  // namespace orlin::phonesim
