// The phonebook's line parser, command builders, dialog values and row texts, on their own.

#include "phonebook/entry_codec.h"

#include <gtest/gtest.h>

#include "link/errors.h"
#include "link/language.h"
#include "link/phone_text.h"
#include "phonebook/code_tables.h"
#include "phonebook/phonebook_rows.h"
#include "phonebook/phonebook_write.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::W;

TEST(ModelFamilies, NamesCompareWholeAndCaseSensitive) {
    EXPECT_EQ(FamilyOfModel("V300"), ModelFamily::Fields16);
    EXPECT_EQ(FamilyOfModel("V3000"), ModelFamily::None);
    EXPECT_EQ(FamilyOfModel("v300"), ModelFamily::None);
    EXPECT_EQ(FamilyOfModel("V30"), ModelFamily::None);
    EXPECT_EQ(FamilyOfModel("C350"), ModelFamily::Fields13);
    EXPECT_EQ(FamilyOfModel("V150"), ModelFamily::Fields13);
    EXPECT_EQ(FamilyOfModel("T720i"), ModelFamily::Fields9);
    EXPECT_EQ(FamilyOfModel("V70"), ModelFamily::Fields9);
    EXPECT_EQ(FamilyOfModel(""), ModelFamily::None);
    EXPECT_FALSE(HasCategories(ModelFamily::Fields9));
    EXPECT_TRUE(HasCategories(ModelFamily::Fields16));
}

TEST(ModelFamilies, ModelCutFromTheAnswerBothWays) {
    const std::string answer =
        "\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"MODEL=C350\"\r\n\r\nOK\r\n";
    EXPECT_EQ(ModelAfterEquals(answer), "C350");
    EXPECT_EQ(CutModelName(answer), "C350");
    // Without MODEL= the cut keeps what is left; the read's rule finds no "=".
    EXPECT_EQ(CutModelName("\r\nERROR\r\n"), "\r\nERROR\r\n");
}

TEST(EntryLine, NineFieldLine) {
    const TAbonentInfo r =
        ParseMpbrLine("+MPBR: 12,\"+7911\",145,004900760061006E,3,0,255,0,1", ModelFamily::Fields9);
    EXPECT_EQ(r.Index, 12);
    EXPECT_EQ(r.Number, "+7911");
    EXPECT_EQ(r.NumberFormat, 145);
    EXPECT_EQ(r.Name, "Ivan");
    EXPECT_EQ(r.NumberType, 3);
    EXPECT_EQ(r.Ids, 255);
    EXPECT_EQ(r.Aux9, 1);
    // The fields a 9-field line lacks.
    EXPECT_EQ(r.Category, 0);
    EXPECT_EQ(r.Icon, 0);
    EXPECT_EQ(r.Aux12, 255);
    EXPECT_EQ(r.Aux13, 0);
    EXPECT_TRUE(r.Picture.empty());
}

TEST(EntryLine, ThirteenFieldLineWithRussianName) {
    const std::string hex = EncodeUcs2("Пётр");
    const TAbonentInfo r = ParseMpbrLine(
        "+MPBR: 7,\"89161234567\",129," + hex + ",1,0,0,0,1,2,4,255,0", ModelFamily::Fields13);
    EXPECT_EQ(r.Name, std::string("Пётр"));
    EXPECT_EQ(r.Ids, 0);
    EXPECT_EQ(r.Category, 2);
    EXPECT_EQ(r.Icon, 4);
    EXPECT_EQ(r.Aux12, 255);
    EXPECT_EQ(r.Aux13, 0);
}

TEST(EntryLine, FieldsAfterTheLayoutAreIgnored) {
    // Real phones send 24 or 25 fields; each layout takes its own and leaves the rest.
    const std::string line =
        "+MPBR: 253,\"069912158732\",129,00410042,3,0,255,0,1,1,255,255,0,,0,0,,,,,,,,\"\",\"\"";
    const TAbonentInfo nine = ParseMpbrLine(line, ModelFamily::Fields9);
    EXPECT_EQ(nine.Index, 253);
    EXPECT_EQ(nine.Aux9, 1);
    const TAbonentInfo thirteen = ParseMpbrLine(line, ModelFamily::Fields13);
    EXPECT_EQ(thirteen.Category, 1);
    EXPECT_EQ(thirteen.Icon, 255);
    const TAbonentInfo sixteen = ParseMpbrLine(line, ModelFamily::Fields16);
    EXPECT_EQ(sixteen.Name, "AB");
    EXPECT_TRUE(sixteen.Picture.empty());
    // A model in no family reads the same line with the 9-field layout.
    EXPECT_EQ(ParseMpbrLine(line, ModelFamily::None), nine);
}

TEST(EntryLine, SixteenFieldPicture) {
    const std::string pic = EncodeUcs2("sun.gif");
    const TAbonentInfo r =
        ParseMpbrLine("+MPBR: 3,\"+1\",145,0041,2,0,255,0,1,3,255,255,0," + pic + ",0,0,,,\"\"",
                      ModelFamily::Fields16);
    EXPECT_EQ(r.Picture, "sun.gif");
    EXPECT_EQ(r.Category, 3);
    EXPECT_EQ(r.Aux15, 0);
    // A line ending right after the picture keeps the picture.
    const TAbonentInfo end = ParseMpbrLine(
        "+MPBR: 3,\"+1\",145,0041,2,0,255,0,1,3,255,255,0," + pic, ModelFamily::Fields16);
    EXPECT_EQ(end.Picture, "sun.gif");
}

TEST(EntryLine, NumberKeepsCommasBetweenItsQuotes) {
    const TAbonentInfo r =
        ParseMpbrLine("+MPBR: 5,\"123,45\",129,0041,2,0,255,0,1", ModelFamily::Fields9);
    EXPECT_EQ(r.Number, "123,45");
    EXPECT_EQ(r.NumberType, 2);
}

TEST(EntryLine, EightBitFieldsKeepTheLowBits) {
    const TAbonentInfo r =
        ParseMpbrLine("+MPBR: 5,\"1\",401,0041,258,0,300,0,1", ModelFamily::Fields9);
    EXPECT_EQ(r.NumberFormat, 145);
    EXPECT_EQ(r.NumberType, 2);
    EXPECT_EQ(r.Ids, 300);  // 32 bits
}

TEST(EntryLine, MalformedLinesRaise) {
    EXPECT_THROW(ParseMpbrLine("+MPBR: 12,\"+7911\",145,0041,3,0,255", ModelFamily::Fields9),
                 EConvertError);
    EXPECT_THROW(ParseMpbrLine("+MPBR: x,\"1\",129,0041,3,0,255,0,1", ModelFamily::Fields9),
                 EConvertError);
    EXPECT_THROW(ParseMpbrLine("+MPBR: 1,\"1\"2\",129,0041,3,0,255,0,1", ModelFamily::Fields9),
                 EConvertError);
    EXPECT_THROW(ParseMpbrLine("+MPBR: 1,\"12", ModelFamily::Fields9), EConvertError);
    EXPECT_THROW(ParseMpbrLine("+CMTI: \"IM\",5", ModelFamily::Fields9), EConvertError);
    EXPECT_THROW(ParseMpbrLine("+MPBR: 1,\"1\",129,0041,3,0,255,0,1", ModelFamily::Fields13),
                 EConvertError);
    EXPECT_THROW(ParseMpbrLine("+MPBR: 1,\"1\",129,00ZZ,3,0,255,0,1", ModelFamily::Fields9),
                 EConvertError);
}

TEST(IndexRanges, RangeAnswers) {
    const IndexRange r =
        ParseIndexRange("\r\n+MPBR: 1-1000,32,24,10,0-21,48,(0-255),(0),(0-1),0\r\n\r\nOK\r\n");
    EXPECT_EQ(r.first, 1);
    EXPECT_EQ(r.last, 1000);
    const IndexRange sim = ParseIndexRange("\r\n+MPBR: 1001-1250,32,24\r\n\r\nOK\r\n");
    EXPECT_EQ(sim.first, 1001);
    EXPECT_EQ(sim.last, 1250);
    EXPECT_THROW(ParseIndexRange("\r\nERROR\r\n"), EConvertError);
}

TEST(WriteCommands, EachFamilysLayout) {
    TAbonentInfo r;
    r.Index = 12;
    r.Number = "+7911";
    r.NumberFormat = 145;
    r.Name = "Ivan";
    r.NumberType = 3;
    r.Ids = 255;
    r.Aux9 = 1;
    r.Category = 2;
    r.Icon = 255;
    r.Aux12 = 255;
    EXPECT_EQ(BuildMpbwCommand(ModelFamily::Fields9, r),
              "AT+MPBW=12,\"+7911\",145,004900760061006E,3,0,255,0,1");
    EXPECT_EQ(BuildMpbwCommand(ModelFamily::Fields13, r),
              "AT+MPBW=12,\"+7911\",145,004900760061006E,3,0,255,0,1,2,255,255,0");
    EXPECT_EQ(BuildMpbwCommand(ModelFamily::Fields16, r),
              "AT+MPBW=12,\"+7911\",145,004900760061006E,3,0,255,0,1,2,255,255,0,,0,0");
    r.Picture = std::string("кот");
    EXPECT_EQ(BuildMpbwCommand(ModelFamily::Fields16, r),
              "AT+MPBW=12,\"+7911\",145,004900760061006E,3,0,255,0,1,2,255,255,0,043A043E0442,0,0");
    EXPECT_EQ(BuildMpbwCommand(ModelFamily::None, r), "");
    EXPECT_EQ(BuildShortMpbwCommand(r), "AT+MPBW=12,\"+7911\",145,004900760061006E");
    EXPECT_EQ(BuildEmptySlotCommand(7), "AT+MPBW=7");
}

TEST(WriteCommands, AnswerChecks) {
    EXPECT_TRUE(AnswerIsBareOk("\r\nOK\r\n"));
    EXPECT_FALSE(AnswerIsBareOk("\r\n+X: 1\r\n\r\nOK\r\n"));
    EXPECT_TRUE(AnswerHasOk("\r\n+X: 1\r\n\r\nOK\r\n"));
    EXPECT_FALSE(AnswerHasOk("\r\nERROR\r\n"));
}

EntryDraft Draft(const std::string& number, int type) {
    EntryDraft d;
    d.slotText = "5";
    d.number = number;
    d.name = std::string("Оксана");
    d.typeItem = type;
    d.idsText = IdsItems()[2];
    d.groupItem = 1;
    d.iconItem = 15;
    d.iconText = NoIconText();
    return d;
}

TEST(EntryDialogValues, NumberFormatRules) {
    EXPECT_EQ(RecordFromDraft(Draft("+7911", 6), ModelFamily::Fields9).NumberFormat, 145);
    EXPECT_EQ(RecordFromDraft(Draft("ivan@mail.ru", 6), ModelFamily::Fields9).NumberFormat, 128);
    EXPECT_EQ(RecordFromDraft(Draft("89161234567", 3), ModelFamily::Fields9).NumberFormat, 129);
}

TEST(EntryDialogValues, C350WithoutIconAndSecondCategory) {
    const TAbonentInfo r = RecordFromDraft(Draft("+7911", 3), ModelFamily::Fields13);
    EXPECT_EQ(r.Icon, 255);
    EXPECT_EQ(r.Category, 2);
    const std::string command = BuildMpbwCommand(ModelFamily::Fields13, r);
    EXPECT_NE(command.find(",3,0,255,0,1,2,255,255,0"), std::string::npos) << command;
    EXPECT_TRUE(command.ends_with(",0,1,2,255,255,0")) << command;
}

TEST(EntryDialogValues, V300PictureNoneIsAnEmptyField) {
    EntryDraft d = Draft("+7911", 2);
    const std::string command =
        BuildMpbwCommand(ModelFamily::Fields16, RecordFromDraft(d, ModelFamily::Fields16));
    EXPECT_TRUE(command.ends_with(",2,0,255,0,1,2,255,255,0,,0,0")) << command;
    d.iconText = "sun.gif";
    const TAbonentInfo withPicture = RecordFromDraft(d, ModelFamily::Fields16);
    EXPECT_EQ(withPicture.Picture, "sun.gif");
    EXPECT_NE(BuildMpbwCommand(ModelFamily::Fields16, withPicture)
                  .find("," + EncodeUcs2("sun.gif") + ",0,0"),
              std::string::npos);
}

TEST(EntryDialogValues, IdsAndSlotTexts) {
    EntryDraft d = Draft("1", 2);
    d.idsText = IdsItems()[0];
    EXPECT_EQ(RecordFromDraft(d, ModelFamily::Fields9).Ids, 0);
    d.idsText = "7";
    EXPECT_EQ(RecordFromDraft(d, ModelFamily::Fields9).Ids, 7);
    d.idsText = IdsItems()[1];  // "(здесь введите номер)" left selected
    EXPECT_THROW(RecordFromDraft(d, ModelFamily::Fields9), EConvertError);
    d.idsText = "7";
    d.slotText = "x5";
    EXPECT_THROW(RecordFromDraft(d, ModelFamily::Fields9), EConvertError);
    d.slotText = "5";
    d.iconItem = -1;  // nothing chosen in the icon box: no icon, never an empty field
    EXPECT_EQ(RecordFromDraft(d, ModelFamily::Fields13).Icon, 255);
}

TEST(RowTexts, IdsTypeIconAndCategoryCells) {
    TAbonentInfo r;
    r.Index = 10;
    r.Name = "A";
    r.Ids = 255;
    EXPECT_EQ(MakeRow(r, ModelFamily::Fields9, "T720", {}).idsText, IdsItems()[2]);
    r.Ids = 0;
    EXPECT_EQ(MakeRow(r, ModelFamily::Fields9, "T720", {}).idsText, IdsItems()[0]);
    r.Ids = 7;
    EXPECT_EQ(MakeRow(r, ModelFamily::Fields9, "T720", {}).idsText, "7");
    r.Ids = 300;
    EXPECT_EQ(MakeRow(r, ModelFamily::Fields9, "T720", {}).idsText, "");

    r.NumberType = 7;
    PhonebookRow t720 = MakeRow(r, ModelFamily::Fields9, "T720", {});
    EXPECT_EQ(t720.typeText, "SIM");
    EXPECT_EQ(t720.typeKind, NumberKind::Sim);
    PhonebookRow c350 = MakeRow(r, ModelFamily::Fields13, "C350", {});
    EXPECT_EQ(c350.typeText, std::string("Лист рассылки"));
    EXPECT_EQ(c350.typeKind, NumberKind::MailingList);
    r.NumberType = 8;
    PhonebookRow v60 = MakeRow(r, ModelFamily::Fields9, "V60", {});
    EXPECT_EQ(v60.typeText, "8");
    EXPECT_EQ(v60.typeKind, std::nullopt);

    const GroupNames groups = {"Family", "", "Work"};
    r.Icon = 3;
    r.Category = 3;
    PhonebookRow withIcon = MakeRow(r, ModelFamily::Fields13, "C350", groups);
    EXPECT_EQ(withIcon.iconText, std::string("робот"));
    EXPECT_EQ(withIcon.icon, 3);
    EXPECT_EQ(withIcon.groupText, "Work");
    r.Icon = 20;  // no icon has that number: an empty cell, the read goes on
    r.Category = 4;
    PhonebookRow odd = MakeRow(r, ModelFamily::Fields13, "C350", groups);
    EXPECT_EQ(odd.iconText, "");
    EXPECT_EQ(odd.icon, std::nullopt);
    EXPECT_EQ(odd.groupText, "");
    r.Icon = 255;
    EXPECT_EQ(MakeRow(r, ModelFamily::Fields13, "C350", groups).iconText, NoIconText());
    EXPECT_EQ(MakeRow(r, ModelFamily::Fields13, "C350", groups).icon, std::nullopt);
    r.Picture = "sun.gif";
    EXPECT_EQ(MakeRow(r, ModelFamily::Fields16, "V300", groups).iconText, "sun.gif");
}

TEST(RowTexts, WritingAllTakesTheRowAndTheRecord) {
    PhonebookState state;
    state.abonents = {FreeSlot(1), FreeSlot(2)};
    TAbonentInfo& known = state.abonents[1];
    known = ParseMpbrLine("+MPBR: 2,\"+1\",145,0041,4,1,9,5,6,3,7,200,9", ModelFamily::Fields13);

    ListRow row{"2", "Bob", "bob@x.org", "E-Mail", IdsItems()[2]};
    TAbonentInfo r = RecordForRow(row, state, ModelFamily::Fields13);
    EXPECT_EQ(r.Name, "Bob");
    EXPECT_EQ(r.NumberType, 6);
    EXPECT_EQ(r.NumberFormat, 128);
    EXPECT_EQ(r.Ids, 255);
    // Fields the row does not show come from the record.
    EXPECT_EQ(r.Aux6, 1);
    EXPECT_EQ(r.Aux8, 5);
    EXPECT_EQ(r.Aux9, 6);
    EXPECT_EQ(r.Category, 3);
    EXPECT_EQ(r.Icon, 7);
    EXPECT_EQ(r.Aux12, 200);
    EXPECT_EQ(r.Aux13, 9);

    // Texts that match no table row keep the record's values.
    row.typeText = "";
    row.idsText = "";
    r = RecordForRow(row, state, ModelFamily::Fields13);
    EXPECT_EQ(r.NumberType, 4);
    EXPECT_EQ(r.Ids, 9);
    row.typeText = "SIM";
    EXPECT_EQ(RecordForRow(row, state, ModelFamily::Fields9).NumberType, 7);
    EXPECT_EQ(RecordForRow(row, state, ModelFamily::Fields13).NumberType, 8);
    row.typeText = std::string("Лист рассылки");
    EXPECT_EQ(RecordForRow(row, state, ModelFamily::Fields9).NumberType, 4);
    EXPECT_EQ(RecordForRow(row, state, ModelFamily::Fields16).NumberType, 7);
}

// Under English the list shows English words, and writing all reads them back to the same codes
// (and still takes a Russian word, as a row written before would hold it).
TEST(RowTexts, EnglishWordsReadBackToTheirCodes) {
    SetCurrentLanguage(Language::English);
    PhonebookState state;
    state.abonents = {FreeSlot(1)};
    struct Case {
        ModelFamily family;
        const char* model;
        int type;
        int32_t ids;
        int32_t icon;
        const char* typeText;
        const char* idsText;
        const char* iconText;
    };
    const Case cases[] = {
        {ModelFamily::Fields13, "C350", 0, 0, 3, "Work", "Silent", "robot"},
        {ModelFamily::Fields13, "C350", 6, 255, 255, "E-Mail", "Default", "none"},
        {ModelFamily::Fields13, "C350", 7, 12, 11, "Mailing list", "12", "UFO"},
        {ModelFamily::Fields13, "C350", 8, 255, 0, "SIM", "Default", "awful"},
        {ModelFamily::Fields9, "T720", 7, 0, 0, "SIM", "Silent", ""},
        {ModelFamily::Fields9, "T720", 3, 255, 0, "Mobile", "Default", ""},
    };
    for (const Case& c : cases) {
        TAbonentInfo r;
        r.Index = 1;
        r.NumberType = static_cast<uint8_t>(c.type);
        r.Ids = c.ids;
        r.Icon = c.icon;
        const PhonebookRow row = MakeRow(r, c.family, c.model, {});
        EXPECT_EQ(row.typeText, c.typeText);
        EXPECT_EQ(row.idsText, c.idsText);
        EXPECT_EQ(row.iconText, c.iconText);
        const TAbonentInfo back =
            RecordForRow({"1", "A", "1", row.typeText, row.idsText}, state, c.family);
        EXPECT_EQ(back.NumberType, c.type) << c.typeText;
        EXPECT_EQ(back.Ids, c.ids) << c.idsText;
        if (c.family == ModelFamily::Fields13) {
            EXPECT_EQ(IconFromName(row.iconText), c.icon);
        }
    }
    EXPECT_EQ(NumberTypeFromText("Мобильный", ModelFamily::Fields9), 3);
    EXPECT_EQ(IdsFromText("Бесшумный"), 0);
    EXPECT_EQ(IconFromName("нло"), 11);
    EXPECT_TRUE(IsNoIconText("нет"));
    EXPECT_EQ(TypeItems()[6], "E-mail");
    EXPECT_EQ(IdsItems()[1], "(type a number here)");
    SetCurrentLanguage(Language::Russian);
}

}  // namespace
}  // namespace orlin
