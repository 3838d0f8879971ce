// The phonebook file on its own: the lines written, the lines read back, real files.

#include "phonebook/phonebook_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "link/errors.h"
#include "link/whole_file.h"
#include "phonebook/entry_codec.h"
#include "tests/support/recording_interaction.h"
#include "tests/support/text.h"

namespace orlin {
namespace {

using test::W;

IndexRanges Ranges(int phoneFirst, int phoneLast, int simFirst, int simLast) {
    IndexRanges r;
    r.PhoneFirstIndex = phoneFirst;
    r.PhoneLastIndex = phoneLast;
    r.SimFirstIndex = simFirst;
    r.SimLastIndex = simLast;
    return r;
}

TAbonentInfo Ivan() {
    TAbonentInfo r;
    r.Index = 3;
    r.Name = "Ivan";
    r.Number = "+123";
    r.NumberFormat = 145;
    r.NumberType = 3;
    r.Ids = 255;
    r.Aux9 = 1;
    r.Aux12 = 255;
    return r;
}

TEST(PhonebookFileText, PhoneLineAsFilesHoldIt) {
    Abonents table = {FreeSlot(1), FreeSlot(2), Ivan()};
    const FileText text = PhonebookFileText(table, Ranges(1, 1000, 1001, 1250));
    EXPECT_EQ(text.bytes, "PHONE;3;Ivan;+123;3;0;255;0;1;0;0;255;0\r\n");
    EXPECT_EQ(text.lines, 1);
    EXPECT_EQ(text.changedEntries, 0);
}

TEST(PhonebookFileText, IconOfTheRecordIsKept) {
    TAbonentInfo r = Ivan();
    r.Category = 2;
    r.Icon = 4;
    EXPECT_EQ(PhonebookFileText({r}, Ranges(1, 1000, 1001, 1250)).bytes,
              "PHONE;3;Ivan;+123;3;0;255;0;1;2;4;255;0\r\n");
    const FileEntries back = ParsePhonebookFile("PHONE;3;Ivan;+123;3;0;255;0;1;2;4;255;0\r\n",
                                                ModelFamily::Fields13, Ranges(1, 1000, 1001, 1250));
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0].Icon, 4);
    EXPECT_EQ(back.records[0].Category, 2);
}

TEST(PhonebookFileText, SimLineNumbersFromTheSimsFirstSlot) {
    TAbonentInfo sim;
    sim.Storage = 1;
    sim.Index = 1001;
    sim.Name = "Олена";
    sim.Number = "0501234567";
    const IndexRanges ranges = Ranges(1, 1000, 1001, 1250);
    const FileText text = PhonebookFileText({sim}, ranges);
    EXPECT_EQ(text.bytes, "SIM;1;" + W("Олена") + ";0501234567\r\n");

    const FileEntries back =
        ParsePhonebookFile(Cp1251ToUtf8(text.bytes), ModelFamily::Fields13, ranges);
    ASSERT_EQ(back.records.size(), 1u);
    const TAbonentInfo& r = back.records[0];
    EXPECT_EQ(r.Index, 1001);
    EXPECT_EQ(r.Storage, 1);
    EXPECT_EQ(r.Name, "Олена");
    EXPECT_EQ(r.Number, "0501234567");
    EXPECT_EQ(r.NumberType, 8);
    EXPECT_EQ(r.NumberFormat, 129);
    EXPECT_EQ(r.Ids, 255);
    EXPECT_EQ(r.Aux12, 255);
    EXPECT_EQ(back.simLines, 1);
    EXPECT_EQ(ParsePhonebookFile(text.bytes, ModelFamily::Fields9, ranges).records[0].NumberType,
              7);
}

TEST(PhonebookFileText, SlotsSurviveWhenTheStoragesDoNotStartAtOne) {
    // Phone memory 2-500, SIM 601-700: a gap and an offset, and still the same slots back.
    const IndexRanges ranges = Ranges(2, 500, 601, 700);
    TAbonentInfo phone = Ivan();
    phone.Index = 40;
    TAbonentInfo sim;
    sim.Storage = 1;
    sim.Index = 650;
    sim.Name = "S";
    sim.Number = "+5";
    const FileText text = PhonebookFileText({phone, sim}, ranges);
    EXPECT_EQ(text.bytes.substr(0, 9), "PHONE;41;");  // the writer numbers as files always have
    const FileEntries back = ParsePhonebookFile(text.bytes, ModelFamily::Fields9, ranges);
    ASSERT_EQ(back.records.size(), 2u);
    EXPECT_EQ(back.records[0].Index, 40);
    EXPECT_EQ(back.records[1].Index, 650);
    EXPECT_EQ(back.records[1].NumberFormat, 145);
}

TEST(PhonebookFileText, SemicolonsCannotShiftTheFields) {
    TAbonentInfo r = Ivan();
    r.Name = "Smith; John";
    r.Number = "123;4";
    TAbonentInfo plain = Ivan();
    plain.Index = 4;
    const FileText text = PhonebookFileText({r, plain}, Ranges(1, 1000, 1001, 1250));
    EXPECT_EQ(text.changedEntries, 1);
    EXPECT_NE(SaveChangeNote(text).find("1"), std::string::npos);
    const FileEntries back =
        ParsePhonebookFile(text.bytes, ModelFamily::Fields9, Ranges(1, 1000, 1001, 1250));
    ASSERT_EQ(back.records.size(), 2u);
    EXPECT_EQ(back.records[0].Name, "Smith, John");
    EXPECT_EQ(back.records[0].Number, "123,4");
    EXPECT_EQ(back.records[0].Ids, 255);
    EXPECT_TRUE(SaveChangeNote(PhonebookFileText({plain}, Ranges(1, 1000, 1001, 1250))).empty());

    // A line break or another control character would split the line or reach the command
    // line on loading: a blank stands in, and the note names the slots.
    TAbonentInfo broken = Ivan();
    broken.Index = 7;
    broken.Name = "Ann\nAT+CMGD=1";
    broken.Number = "12\r3\x1a";
    const FileText withBreaks = PhonebookFileText({r, broken}, Ranges(1, 1000, 1001, 1250));
    EXPECT_EQ(withBreaks.changedSlots, (std::vector<int32_t>{3, 7}));
    EXPECT_NE(withBreaks.bytes.find("PHONE;7;Ann AT+CMGD=1;12 3 ;"), std::string::npos);
    EXPECT_NE(SaveChangeNote(withBreaks).find("Изменено записей: 2 (ячейки 3, 7)."),
              std::string::npos);
    EXPECT_EQ(
        ParsePhonebookFile(withBreaks.bytes, ModelFamily::Fields9, Ranges(1, 1000, 1001, 1250))
            .records.size(),
        2u);
}

TEST(PhonebookFileRead, OtherLinesAreSkipped) {
    const std::string bytes =
        "CATEGORY;1;Family\r\n"
        "\r\n"
        "PHONE;3;Ivan;+123;3;0;255;0;1;0;0;255;0  \r\n"
        "PHONE;4;Anna;anna@x.org;6;0;0;0;1;1;255;255;0\n"
        "SIM;2;Olga;+7 916";  // no line end, and the number is the rest of the line
    const FileEntries e =
        ParsePhonebookFile(bytes, ModelFamily::Fields9, Ranges(1, 1000, 1001, 1250));
    ASSERT_EQ(e.records.size(), 3u);
    EXPECT_EQ(e.phoneLines, 2);
    EXPECT_EQ(e.simLines, 1);
    EXPECT_EQ(e.records[0].Aux13, 0);
    EXPECT_EQ(e.records[1].NumberFormat, 128);
    EXPECT_EQ(e.records[1].Ids, 0);
    EXPECT_EQ(e.records[2].Index, 1002);
    EXPECT_EQ(e.records[2].Number, "+7 916");
}

TEST(PhonebookFileRead, BadNumbersRaise) {
    const IndexRanges ranges = Ranges(1, 1000, 1001, 1250);
    EXPECT_THROW(ParsePhonebookFile("PHONE;x;Ivan;+1;3;0;255;0;1;0;0;255;0\r\n",
                                    ModelFamily::Fields9, ranges),
                 EConvertError);
    EXPECT_THROW(ParsePhonebookFile("PHONE;3;Ivan;+1;3;0;255\r\n", ModelFamily::Fields9, ranges),
                 EConvertError);
    EXPECT_THROW(ParsePhonebookFile("SIM;;Ivan;+1\r\n", ModelFamily::Fields9, ranges),
                 EConvertError);
    // Slot numbers no phone could hold are malformed, not arithmetic at the limits of an int.
    for (const char* line : {"PHONE;-2147483648;Ivan;+1;3;0;255;0;1;0;0;255;0\r\n",
                             "PHONE;65536;Ivan;+1;3;0;255;0;1;0;0;255;0\r\n",
                             "SIM;2147483647;Ivan;+1\r\n", "SIM;-65536;Ivan;+1\r\n"}) {
        try {
            ParsePhonebookFile(line, ModelFamily::Fields13, ranges);
            ADD_FAILURE() << "took " << line;
        } catch (const EConvertError& error) {
            EXPECT_NE(std::string(error.what()).find("is not a valid slot number"),
                      std::string::npos);
        }
    }
}

// Each failure names the file and the line; a number that would end or split the command
// line is refused there, so that nothing of the file is sent.
TEST(PhonebookFileRead, TheLineAndTheReasonAreNamed) {
    const IndexRanges ranges = Ranges(1, 1000, 1001, 1250);
    const std::string good = "PHONE;3;Ivan;+1;3;0;255;0;1;0;0;255;0\r\n";
    const struct {
        std::string line;
        std::string message;
    } cases[] = {
        {"PHONE;99;Bad;+123;3;0;255;0;1;x;255;255;0", "'x' is not a valid integer value"},
        {"PHONE;4;Bad;123\rAT+CMGD=1\rAT;3;0;255;0;1;1;255;255;0",
         "номер: недопустимый знак CR (13)"},
        {"SIM;2;Bad;+1\"", "номер: недопустимый знак \""},
        {"SIM;2;Bad;+1;AT", "номер: недопустимый знак ;"},
        {"SIM;2;Bad;\x1b[2J", "номер: недопустимый знак ESC (27)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            ParsePhonebookFile("\r\n" + good + c.line + "\r\n" + good, ModelFamily::Fields13,
                               ranges, "book.csv");
            ADD_FAILURE() << "read";
        } catch (const EConvertError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("book.csv, строка 3: " + c.message, 0), 0u)
                << error.what();
        }
    }
    const FileEntries other =
        ParsePhonebookFile("Hello\r\n\r\nCATEGORY;1\r\n" + good, ModelFamily::Fields13, ranges);
    EXPECT_EQ(other.otherLines, 2);
    EXPECT_EQ(other.lineOf, std::vector<int>{4});
}

TEST(PhonebookFileDisk, BytesGoThroughUnchanged) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("orlin_pb_file_" + std::to_string(::getpid()) + ".csv");
    TAbonentInfo r = Ivan();
    r.Name = "Їжак Ґудзь Євген";
    const FileText text = PhonebookFileText({r}, Ranges(1, 1000, 1001, 1250));
    WriteWholeFile(path.string(), text.bytes);
    EXPECT_EQ(ReadWholeFile(path.string()), text.bytes);
    const FileEntries back = ParsePhonebookFile(Cp1251ToUtf8(ReadWholeFile(path.string())),
                                                ModelFamily::Fields13, Ranges(1, 1000, 1001, 1250));
    EXPECT_EQ(back.records.at(0).Name, "Їжак Ґудзь Євген");
    std::filesystem::remove(path);
    EXPECT_THROW(ReadWholeFile(path.string()), EInOutError);
    EXPECT_THROW(WriteWholeFile("/nonexistent-dir/x.csv", "x"), EInOutError);
}

TEST(PhonebookFile, AFileInUtf8IsReadAsUtf8) {
    const std::string note = "Файл прочитан как UTF-8.";
    const struct {
        std::string file, read;
        std::vector<std::string> notes;
    } cases[] = {
        {"SIM;1;Юрій Тест;+380", "SIM;1;Юрій Тест;+380", {note}},
        {"\xEF\xBB\xBFSIM;1;Ivan;+1", "SIM;1;Ivan;+1", {note}},  // byte-order mark
        {W("SIM;1;Юрій Тест;+380"), "SIM;1;Юрій Тест;+380", {}},
        {"SIM;1;Ivan;+1", "SIM;1;Ivan;+1", {}},
        // Every character is kept now; a byte that starts no character is a '?'.
        {"SIM;1;Zoë 李?;+1", "SIM;1;Zoë 李?;+1", {note}},
        {"\xEF\xBB\xBFSIM;1;A\xFF;+1", "SIM;1;A?;+1", {note}},
    };
    for (const auto& c : cases) {
        test::RecordingInteraction interaction;
        EXPECT_EQ(PhonebookFileBytes(c.file, interaction), c.read) << c.read;
        EXPECT_EQ(interaction.notes, c.notes) << c.read;
    }
}

}  // namespace
}  // namespace orlin
