// vCard on its own: files as phones and address books write them, the cards we write, and
// how a file's numbers map onto the free slots of a phone.

#include "phonebook/vcard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "link/cp1251.h"
#include "phonebook/code_tables.h"
#include "phonebook/vcard_import.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::W;

// "FN [categories] kind(types)value{X-ORLIN...} ..." in UTF-8: short enough for a table.
std::string Summary(const VCard& card) {
    std::string out = card.DisplayName() + " [";
    for (size_t i = 0; i < card.categories.size(); ++i) out += (i ? "," : "") + card.categories[i];
    out += "]";
    for (const VCardNumber& n : card.numbers) {
        out += n.email ? " email(" : " tel(";
        for (size_t i = 0; i < n.types.size(); ++i) out += (i ? "," : "") + n.types[i];
        out += ")" + n.value;
        for (const auto& [k, v] : n.orlin) out += "{" + k + "=" + v + "}";
    }
    return out;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> cards;
};

TEST(VCardRead, FilesAsPhonesAndAddressBooksWriteThem) {
    const std::string bom = "\xEF\xBB\xBF";
    const ReadCase cases[] = {
        {"old phone: 2.1, Windows-1251 quoted-printable, bare type words, CR LF",
         "BEGIN:VCARD\r\nVERSION:2.1\r\n"
         "N;CHARSET=WINDOWS-1251;ENCODING=QUOTED-PRINTABLE:=CF=E5=F2=F0=EE=E2;=C8=E2=E0=ED;;;\r\n"
         "TEL;CELL:+79110000001\r\nTEL;WORK;VOICE:8123334455\r\nEND:VCARD\r\n",
         {"Иван Петров [] tel(cell)+79110000001 tel(work,voice)8123334455"}},
        {"early smartphone: 2.1, UTF-8 quoted-printable with a soft break, a group, a base64 "
         "photo, a byte-order mark, LF",
         bom + "BEGIN:VCARD\nVERSION:2.1\n"
               "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=90=D0=BD=D0=BD=D0=B0 =D0=A1=D0=B8=\n"
               "=D0=B4=D0=BE=D1=80=D0=BE=D0=B2=D0=B0\n"
               "item1.TEL;HOME:+7 812 555-01-02\n"
               "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD\n"
               " /2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8UHRofHh0a\n\n"
               "item1.X-ABLABEL:dacha\nEMAIL;PREF;INTERNET:anna@example.org\nEND:VCARD\n",
         {"Анна Сидорова [] tel(home)+7 812 555-01-02 email(pref,internet)anna@example.org"}},
        {"3.0 as the RFC writes it: escapes, folding, TYPE lists and repeats, unknown "
         "properties",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jane Q. Public\\, PhD\r\n"
         "N:Public;Jane;Q.;Dr.;PhD\r\nORG:Example\\, Ltd.;Research\r\n"
         "TEL;TYPE=work,voice,pref,msg:+1-213-555-1234\r\ntel;type=HOME;type=FAX:+1 213 55\r\n"
         " 5 0000\r\nEMAIL;TYPE=internet:jane@example.com\r\nCATEGORIES:Work,VIPs\\,Old\r\n"
         "NOTE:Line one\\nline two\r\nEND:VCARD\r\n",
         {"Jane Q. Public, PhD [Work,VIPs,Old] tel(work,voice,pref,msg)+1-213-555-1234 "
          "tel(home,fax)+1 213 555 0000 email(internet)jane@example.com"}},
        {"4.0: quoted TYPE lists, PREF, tel: URIs, a card without numbers named by N, a card "
         "inside a card",
         "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Jo Example\r\n"
         "TEL;VALUE=uri;TYPE=\"voice,home\";PREF=1:tel:+1-555-555-5555;ext=5555\r\n"
         "AGENT:\r\nBEGIN:VCARD\r\nTEL:+000\r\nEND:VCARD\r\n"
         "EMAIL;TYPE=work:jo@example.net\r\nEND:VCARD\r\n"
         "BEGIN:VCARD\r\nVERSION:4.0\r\nN:Nobody;Only;;;\r\nEND:VCARD\r\n",
         {"Jo Example [] tel(voice,home,pref)+1-555-555-5555 email(work)jo@example.net",
          "Only Nobody []"}},
        {"Windows-1251 bytes without a character set, quoted parameters holding : and ;",
         "BEGIN:VCARD\nFN:\xCE\xEB\xFF\nTEL;X-ORLIN-PICTURE=\"a:b;c\";X-ORLIN-SLOT=7:1\n"
         "END:VCARD\n",
         {"Оля [] tel()1{PICTURE=a:b;c}{SLOT=7}"}},
        {"a text number that starts like a URI stays whole without VALUE=uri",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:T\r\nTEL:tel:0\r\nEND:VCARD\r\n",
         {"T [] tel()tel:0"}},
        {"nothing a card could be made of", "garbage\r\n:\r\nEND:VCARD\r\nBEGIN:VCARD", {" []"}},
    };
    for (const ReadCase& c : cases) {
        std::vector<std::string> got;
        for (const VCard& card : ParseVCards(c.bytes)) got.push_back(Summary(card));
        EXPECT_EQ(got, c.cards) << c.what;
    }
}

class VCardPhone : public ::testing::Test {
protected:
    // A 16-field phone of 8 phone-memory slots and 2 SIM slots, all free.
    static PhonebookState EmptyPhone() {
        PhonebookState state;
        state.model = "V300";
        state.family = ModelFamily::Fields16;
        state.ranges = {1, 8, 9, 10};
        for (int32_t i = 1; i <= 10; ++i) {
            state.abonents.push_back(FreeSlot(i));
            state.abonents.back().Storage = state.StorageOfSlot(i);
        }
        state.groupNames = {"General", "Сім'я", "VIPs"};
        return state;
    }
    static TAbonentInfo Entry(int32_t slot, const std::string& name, const std::string& number,
                              int type) {
        TAbonentInfo r;
        r.Index = slot;
        r.Storage = slot >= 9 ? 1 : 0;
        r.Name = name;
        r.Number = number;
        r.NumberType = static_cast<uint8_t>(type);
        r.NumberFormat = NumberFormatFor(number, type);
        r.Ids = 7;
        r.Aux9 = 1;
        r.Aux12 = 255;
        r.Category = 2;
        r.Icon = 255;
        return r;
    }
};

TEST_F(VCardPhone, ExportMergesSameNamesAndImportPutsEveryEntryBack) {
    PhonebookState phone = EmptyPhone();
    const std::string oksana = "Оксана Їжакевич";
    const std::string odd = "Bob; \"Ltd\", A\\B";
    std::vector<TAbonentInfo> entries = {
        Entry(1, oksana, "+380441234567", 3), Entry(2, odd, "8,123", 0),
        Entry(4, oksana, "oksana@example.com", kEmailType),
        Entry(5, "Длинноеимядлинноеимядлин", "5", 2), Entry(9, odd, "+1", 8)};
    entries[0].Picture = "кіт; \"100%\"";
    entries[0].Aux6 = 3;
    entries[0].Aux16 = 9;
    entries[4].Category = 1;
    for (const TAbonentInfo& r : entries) phone.abonents[static_cast<size_t>(r.Index - 1)] = r;

    const std::string text = VCardText(phone);
    EXPECT_EQ(text.substr(0, text.find("END:VCARD") + 11),
              "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Оксана Їжакевич\r\nN:Оксана Їжакевич;;;;\r\n"
              "CATEGORIES:Сім'я\r\n"
              "TEL;TYPE=CELL;X-ORLIN-SLOT=1;X-ORLIN-STORAGE=ME;X-ORLIN-TYPE=3;X-ORLIN-FORM\r\n"
              " AT=145;X-ORLIN-IDS=7;X-ORLIN-CATEGORY=2;X-ORLIN-ICON=255;X-ORLIN-PICTURE=\r\n"
              " кіт%3B %22100%25%22;X-ORLIN-AUX=3-0-1-255-0-0-9:+380441234567\r\n"
              "EMAIL;TYPE=INTERNET;X-ORLIN-SLOT=4;X-ORLIN-STORAGE=ME;X-ORLIN-TYPE=6;X-ORLI\r\n"
              " N-FORMAT=128;X-ORLIN-IDS=7;X-ORLIN-CATEGORY=2;X-ORLIN-ICON=255;X-ORLIN-AUX\r\n"
              " =0-0-1-255-0-0-0:oksana@example.com\r\nEND:VCARD\r\n");
    EXPECT_NE(text.find("FN:Bob\\; \"Ltd\"\\, A\\\\B\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("CATEGORIES:Сім'я,General\r\n"), std::string::npos) << text;
    // Every line at most 75 octets and whole UTF-8.
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        EXPECT_LE(end - start, 75u);
        EXPECT_TRUE(IsWellFormedUtf8(text.substr(start, end - start)));
        start = end + 2;
    }

    const std::vector<VCard> cards = ParseVCards(text);
    ASSERT_EQ(cards.size(), 3u);
    EXPECT_EQ(cards[1].numbers.size(), 2u) << "the SIM entry joins its namesake";
    const VCardImport plan = PlanVCardImport(cards, EmptyPhone());
    EXPECT_TRUE(plan.warnings.empty()) << ImportWarningText(plan.warnings);
    std::vector<TAbonentInfo> sorted = plan.records;
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.Index < b.Index; });
    EXPECT_EQ(sorted, entries);
}

// A folded line whose part ends in "=" is joined as any fold is, unless the line really is
// quoted-printable: the same letters inside another parameter's value do not make it so.
TEST_F(VCardPhone, AFoldAfterAnEqualsSignIsNoSoftBreakInOurOwnCards) {
    std::string equals;
    for (int i = 0; i < 30; ++i) equals += "=D0";
    for (int shift = 0; shift < 3; ++shift) {  // one of them puts a "=" right before a fold
        PhonebookState phone = EmptyPhone();
        TAbonentInfo entry = Entry(1, "Q", std::string(shift, '1') + equals, 0);
        entry.Picture = "a=QUOTED-PRINTABLE";
        phone.abonents[0] = entry;
        const VCardImport plan = PlanVCardImport(ParseVCards(VCardText(phone)), EmptyPhone());
        ASSERT_EQ(plan.records.size(), 1u);
        EXPECT_EQ(plan.records[0], entry) << shift;
    }
}

struct ImportCase {
    const char* what;
    std::string vcf;
    std::vector<int32_t> occupied;  // slots already taken on the phone
    // "slot:name:number:type:category" (UTF-8) of each record.
    std::vector<std::string> records;
    std::vector<std::string> warnings;  // UTF-8
};

TEST_F(VCardPhone, ImportMapsOntoFreeSlotsAndListsWhatItCouldNotHold) {
    const std::string longName = "Александра Константиновна Веселовская";
    const ImportCase cases[] = {
        {"a foreign card: types, category by name, name from N; the file's slot is taken",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John;;;\r\nCATEGORIES:Friends,VIPs\r\n"
         "TEL;TYPE=home:1\r\nTEL;TYPE=pref:2\r\nTEL;TYPE=x-car:3\r\n"
         "TEL;X-ORLIN-SLOT=1;X-ORLIN-STORAGE=ME:+4\r\nEMAIL:j@d.org\r\nEND:VCARD\r\n",
         {1, 3},
         {"2:John Doe:1:1:3", "4:John Doe:2:2:3", "5:John Doe:3:3:3", "6:John Doe:+4:3:3",
          "7:John Doe:j@d.org:6:3"},
         {}},
        {"a SIM slot named by the file is used; a SIM slot of the wrong storage is not",
         "BEGIN:VCARD\nFN:S\nTEL;X-ORLIN-SLOT=10;X-ORLIN-STORAGE=SM:1\n"
         "TEL;X-ORLIN-SLOT=9;X-ORLIN-STORAGE=ME:2\nEND:VCARD\n",
         {},
         {"10:S:1:3:1", "1:S:2:3:1"},
         {}},
        {"what the phone cannot hold",
         "BEGIN:VCARD\nFN:" + longName +
             "\nTEL:1\nEND:VCARD\nBEGIN:VCARD\nFN:Li 李😀\nTEL:2\nEND:VCARD\n"
             "BEGIN:VCARD\nFN:Empty\nEND:VCARD\nBEGIN:VCARD\nFN:Many\nTEL:3\nTEL:4\nTEL:5\n"
             "END:VCARD\n",
         {2, 3, 4, 5, 6},
         {"1:Александра Константиновн:1:3:1", "7:Li 李😀:2:3:1", "8:Many:3:3:1"},
         {longName + ": имя сокращено до 24 знаков",
          // Every character of the Basic Multilingual Plane goes to the phone; an emoji is
          // sent as '?' and said.
          "Li 李😀: знаки вне UCS2 (эмодзи) телефон не хранит, записаны как «?»",
          "Empty: в карточке нет ни номера, ни адреса", "Many, 4: нет свободной ячейки",
          "Many, 5: нет свободной ячейки"}},
        {"a character set the reader does not know: its bytes beyond ASCII are '?'",
         "BEGIN:VCARD\nFN;CHARSET=ISO-8859-2;ENCODING=QUOTED-PRINTABLE:=A3ukasz\nTEL:1\n"
         "END:VCARD\n",
         {},
         {"1:?ukasz:1:3:1"},
         {}},
        {"numbers as address books format them are cleaned; what is no number stays out",
         "BEGIN:VCARD\nFN:F\nTEL:+1 (555) 010-0100\nTEL:12\"3\nTEL:call me\nEMAIL:a\"b@c\n"
         "TEL:+1 (555) 010-0100\nEND:VCARD\n",
         {},
         {"1:F:+15550100100:3:1"},
         {"F, 12\"3: это не номер телефона: не записано",
          "F, call me: это не номер телефона: не записано",
          "F, a\"b@c: недопустимый знак \": не записано",
          "уже есть в телефоне (то же имя и номер), не записано: 1"}},
    };
    for (const ImportCase& c : cases) {
        PhonebookState phone = EmptyPhone();
        for (int32_t slot : c.occupied) phone.abonents[static_cast<size_t>(slot - 1)].Name = "x";
        const VCardImport plan = PlanVCardImport(ParseVCards(c.vcf), phone);
        std::vector<std::string> records, warnings;
        for (const TAbonentInfo& r : plan.records)
            records.push_back(std::to_string(r.Index) + ":" + r.Name + ":" + r.Number + ":" +
                              std::to_string(r.NumberType) + ":" + std::to_string(r.Category));
        warnings = plan.warnings;
        EXPECT_EQ(records, c.records) << c.what;
        EXPECT_EQ(warnings, c.warnings) << c.what;
        EXPECT_EQ(
            plan.missingSlots,
            static_cast<int>(std::count_if(
                c.warnings.begin(), c.warnings.end(),
                [](const std::string& w) { return w.find("свободной") != std::string::npos; })))
            << c.what;
    }
}

TEST(VCardNumber, FormattingGoesAndWhatIsNoNumberIsRefused) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"+1 (555) 010-0100", "+15550100100"},
        {"8.916.123\xC2\xA0"
         "45/67",
         "89161234567"},
        {"*100#", "*100#"},
        {"+7911P123W4", "+7911p123w4"},
        {"12+3", std::nullopt},
        {"+", std::nullopt},
        {"", std::nullopt},
        {"123\r\nAT", std::nullopt},
        {"1\";2", std::nullopt},
    };
    for (const auto& [raw, clean] : cases) EXPECT_EQ(CleanPhoneNumber(raw), clean) << raw;
}

TEST_F(VCardPhone, AnEntryThePhoneHoldsIsNotPlannedAgain) {
    PhonebookState phone = EmptyPhone();
    phone.abonents[0].Name = "Ann";
    phone.abonents[0].Number = "+7911";
    const VCardImport plan = PlanVCardImport(
        ParseVCards("BEGIN:VCARD\nFN:Ann\nTEL:+7 911\nTEL:+7912\nEND:VCARD\n"), phone);
    ASSERT_EQ(plan.records.size(), 1u);
    EXPECT_EQ(plan.records[0].Number, "+7912");
    EXPECT_EQ(plan.alreadyThere, 1);
}

}  // namespace
}  // namespace orlin
