// Response field helpers, integer conversion and the portcfg.ini file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/errors.h"
#include "link/plural.h"
#include "link/port_settings.h"
#include "link/response_fields.h"
#include "link/system_errors.h"
#include "link/text_utils.h"
#include "tests/support/fault_runs.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

// "1 запись", "2 записи", "5 записей": 11 to 14 like 5 whatever the last digit, 21 like 1.
TEST(RussianPlural, TheFormFollowsTheLastTwoDigits) {
    const struct {
        long long count;
        const char* text;
    } cases[] = {{0, "0 записей"},    {1, "1 запись"},        {2, "2 записи"},
                 {4, "4 записи"},     {5, "5 записей"},       {11, "11 записей"},
                 {12, "12 записей"},  {14, "14 записей"},     {21, "21 запись"},
                 {22, "22 записи"},   {42, "42 записи"},      {111, "111 записей"},
                 {101, "101 запись"}, {1000, "1000 записей"}, {-1, "-1 запись"}};
    for (const auto& c : cases)
        EXPECT_EQ(RussianCount(c.count, "запись", "записи", "записей"), c.text) << c.count;
}

TEST(StrToInt, AcceptsWhatTheRuntimeAccepts) {
    EXPECT_EQ(StrToInt("19200"), 19200);
    EXPECT_EQ(StrToInt("-5"), -5);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToInt, RejectsEverythingElseNamingTheText) {
    for (const char* text : {"", " 5", "5 ", "12a", "-", "$", "2147483648", "1,5", "500)"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& error) {
            EXPECT_EQ(std::string(error.what()),
                      std::string("'") + text + "' is not a valid integer value");
        }
    }
}

TEST(StrToInt, TheNamedTextStaysOnOneLine) {
    // Texts cut from an answer carry its line ends; the message must not break inside quotes.
    const std::pair<const char*, const char*> cases[] = {
        {"ERROR\r\n", "'ERROR'"},
        {"\r\n+CME ERROR: 10\r\n", "'+CME ERROR: 10'"},
        {"1000\r\n\r\nOK", "'1000 OK'"},
        {"\n", "''"}};
    for (const auto& [text, named] : cases) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted " << named;
        } catch (const EConvertError& error) {
            EXPECT_EQ(std::string(error.what()),
                      std::string(named) + " is not a valid integer value");
        }
    }
}

TEST(Trim, RemovesBlanksAndControlCharactersOnly) {
    EXPECT_EQ(Trim(" \t\r\nCOM4 \r\n"), "COM4");
    EXPECT_EQ(Trim(W(" Порт ")), W("Порт"));  // bytes above 127 are letters, not blanks
    EXPECT_EQ(Trim(""), "");
}

TEST(ValueAfterEquals, ModelBetweenEqualsAndQuote) {
    EXPECT_EQ(ValueAfterEquals("\r\n+CGMM: \"GSM900\",\"MODEL=V600\"\r\n\r\nOK\r\n"), "V600");
    EXPECT_EQ(ValueAfterEquals("MODEL=V600 and no quote"), "");
    EXPECT_EQ(ValueAfterEquals("MODEL=\"V600"), "");
    EXPECT_EQ(ValueAfterEquals("no equals\"x"), "no equals");
    EXPECT_EQ(ValueAfterEquals(""), "");
}

TEST(ValueAfterEquals, FieldsBeyondCharacter255StayWhole) {
    const std::string bands(300, 'B');
    EXPECT_EQ(ValueAfterEquals(bands + "MODEL=C650\"\r\nOK"), "C650");
}

TEST(DashTriple, RangeAndSizes) {
    const IntTriple got = ParseDashTriple("\r\n+MPBR: 1-500,32,24,0\r\nOK");
    EXPECT_EQ(got.first, 500);
    EXPECT_EQ(got.second, 32);
    EXPECT_EQ(got.third, 24);
    EXPECT_THROW(ParseDashTriple("\r\n+MPBR: (1-500),32,24,0\r\n"), EConvertError);
    try {
        ParseDashTriple("1-500,32,24");  // the third number has no comma after it
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
}

TEST(DashTriple, SeparatorsBeyondCharacter255) {
    const std::string longAnswer = "+MPBR: " + std::string(260, ' ') + "1-1000,32,24,";
    const IntTriple got = ParseDashTriple(std::string(280, 'x') + "-1000,32,24,");
    EXPECT_EQ(got.first, 1000);
    EXPECT_EQ(got.third, 24);
    EXPECT_EQ(ParseDashTriple(longAnswer).second, 32);
}

TEST(PrefixTriple, SevenCharactersThenThreeNumbers) {
    const IntTriple got = ParsePrefixTriple("+MDBR: 500,50,1,");
    EXPECT_EQ(got.first, 500);
    EXPECT_EQ(got.second, 50);
    EXPECT_EQ(got.third, 1);
    EXPECT_THROW(ParsePrefixTriple("+MDBR: 500,50,1"), EConvertError);
    EXPECT_THROW(ParsePrefixTriple("+MDBR"), EConvertError);
}

TEST(EventLine, TheNineFieldsOfAnEvent) {
    const EventLineFields got = ParseEventLine(
        "+MDBR: 5,0412044104420440043504470430,1,1,\"09:30\",\"01-24-2004\",60,\"09:15\","
        "\"01-24-2004\",2");
    EXPECT_EQ(got.title, "Встреча");
    EXPECT_EQ(got.firstFlag, "1");
    EXPECT_EQ(got.alarmFlag, "1");
    EXPECT_EQ(got.startTime, "09:30");
    EXPECT_EQ(got.startDate, "01-24-2004");
    EXPECT_EQ(got.duration, "60");
    EXPECT_EQ(got.alarmTime, "09:15");
    EXPECT_EQ(got.alarmDate, "01-24-2004");
    EXPECT_EQ(got.repeatCode, "2");
}

TEST(EventLine, OutputSixKeepsItsQuotesAndMissingCommasLeaveFieldsEmpty) {
    const EventLineFields quoted =
        ParseEventLine("5,0041,0,1,\"10:00\",\"02-01-2005\",\"60\",\"\",\"\",0");
    EXPECT_EQ(quoted.duration, "\"60\"");
    EXPECT_EQ(quoted.alarmTime, "");
    EXPECT_EQ(quoted.repeatCode, "0");

    const EventLineFields cut = ParseEventLine("5,0041,0,1,\"10:00\"");
    EXPECT_EQ(cut.title, "A");
    EXPECT_EQ(cut.startTime, "");  // no comma after it: empty, nothing deleted
    EXPECT_EQ(cut.repeatCode, "\"");
}

TEST(EventLine, LongTitlesAreCutWhereTheyEnd) {
    std::string hexTitle;
    for (int i = 0; i < 100; ++i) hexTitle += "0410";
    const EventLineFields got =
        ParseEventLine("7," + hexTitle + ",1,0,\"09:30\",\"01-24-2004\",60,,,3");
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += "А";
    EXPECT_EQ(got.title, hundred);
    EXPECT_EQ(got.startDate, "01-24-2004");
    EXPECT_EQ(got.repeatCode, "3");
}

// Each test works in a folder of its own.
class PortSettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orlin-portcfg-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        path_ = dir_ + "/portcfg.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string Read() {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string dir_, path_;
};

TEST_F(PortSettingsFile, WritesFourLinesWithWindows1251Comments) {
    SavePortSettings({"COM3", 19200, 3000}, path_);
    EXPECT_EQ(Read(), "[PORT CONFIG]\r\nPort=COM3" + W("; - имя порта") + "\r\nBaudRate=19200" +
                          W("; - скорость порта") + "\r\nTimeOut=3000" + W("; - задержка") +
                          "\r\n");
    PortSettings back;
    LoadPortSettings(back, path_);
    EXPECT_EQ(back.PortName, "COM3");
    EXPECT_EQ(back.PortBaudRate, 19200);
    EXPECT_EQ(back.PortTimeOut, 3000);
}

TEST_F(PortSettingsFile, ReadsByPositionNotByKey) {
    Write("[X]\nPort=COM4\nBaudXxxx=9600\nTimeOut=50");
    PortSettings got;
    LoadPortSettings(got, path_);
    EXPECT_EQ(got.PortName, "COM4");
    EXPECT_EQ(got.PortBaudRate, 9600);
    EXPECT_EQ(got.PortTimeOut, 50);

    Write("[PORT CONFIG]\r\nPort= COM4 ; anything\r\nBaudRate= 115200 ;\r\nTimeOut=$64\r\n");
    LoadPortSettings(got, path_);
    EXPECT_EQ(got.PortName, "COM4");
    EXPECT_EQ(got.PortBaudRate, 115200);
    EXPECT_EQ(got.PortTimeOut, 100);

    // A time-out of 0 or less would end every exchange at once: it reads as 100 ms.
    for (const char* stored : {"0", "-5", "-2147483648"}) {
        Write(std::string("[PORT CONFIG]\r\nPort=COM4\r\nBaudRate=9600\r\nTimeOut=") + stored);
        LoadPortSettings(got, path_);
        EXPECT_EQ(got.PortTimeOut, 100) << stored;
    }
}

TEST_F(PortSettingsFile, ABadNumberKeepsWhatWasReadBeforeIt) {
    Write("[PORT CONFIG]\r\nPort=/dev/ttyUSB0\r\nBaudRate=fast\r\nTimeOut=3000\r\n");
    PortSettings got{"old", 1, 2};
    try {
        LoadPortSettings(got, path_);
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'fast' is not a valid integer value");
    }
    EXPECT_EQ(got.PortName, "/dev/ttyUSB0");
    EXPECT_EQ(got.PortBaudRate, 1);
    EXPECT_EQ(got.PortTimeOut, 2);

    Write("[PORT CONFIG]\r\nPort=COM1\r\nBaudRate=9600\r\n");  // no fourth line
    EXPECT_THROW(LoadPortSettings(got, path_), EConvertError);
    EXPECT_EQ(got.PortBaudRate, 9600);
}

TEST_F(PortSettingsFile, AMissingFileIsNotFound) {
    PortSettings got{"COM7", 9600, 1000};
    try {
        LoadPortSettings(got, path_);
        FAIL();
    } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_EQ(got.PortName, "COM7");
}

TEST_F(PortSettingsFile, AFileThatCannotBeReadIsAnInputOutputError) {
    // A folder of that name opens but cannot be read: not a text whose number is empty.
    ASSERT_EQ(::mkdir(path_.c_str(), 0755), 0);
    PortSettings got{"COM7", 9600, 1000};
    try {
        LoadPortSettings(got, path_);
        FAIL() << "read a folder as the settings file";
    } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "На месте файла находится папка");
    } catch (const std::exception& error) {
        ADD_FAILURE() << "wrong failure: " << error.what();
    }
    EXPECT_EQ(got.PortName, "COM7");
    EXPECT_EQ(got.PortBaudRate, 9600);
}

// The window runs in the user's locale. Under a Russian UTF-8 one the C library answers in
// UTF-8, which the program would show as Windows-1251 garbage: the texts must be our own.
TEST_F(PortSettingsFile, ErrorsReadRightUnderARussianUtf8Locale) {
    const std::string locales = dir_ + "/locales";
    std::filesystem::create_directories(locales);
    if (std::system(("localedef -i ru_RU -f UTF-8 '" + locales + "/ru_RU.UTF-8' >/dev/null 2>&1")
                        .c_str()) != 0)
        GTEST_SKIP() << "localedef cannot build ru_RU.UTF-8 here";
    ::setenv("LOCPATH", locales.c_str(), 1);
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr);
    const bool translated = std::string(std::strerror(EISDIR)) != "Is a directory";

    const std::string folder = dir_ + "/folder.ini";
    std::filesystem::create_directories(folder);
    const std::pair<std::string, const char*> cases[] = {
        {folder, "На месте файла находится папка"},
        {dir_ + "/missing/portcfg.ini", "Нет такого файла или устройства"}};
    for (const auto& [path, text] : cases) {
        try {
            SavePortSettings({"COM3", 19200, 3000}, path);
            ADD_FAILURE() << "wrote " << path;
        } catch (const EInOutError& error) {
            EXPECT_STREQ(error.what(), text) << path;
        }
    }
    // Errors without a text of our own keep the C library's English, never the locale's.
    EXPECT_EQ(ErrnoText(EMFILE), "Too many open files");
    std::setlocale(LC_ALL, previous.c_str());
    ::unsetenv("LOCPATH");
    EXPECT_TRUE(translated) << "the Russian locale was not in force";
}

TEST_F(PortSettingsFile, ASaveThatFailsHalfWayLeavesTheOldFile) {
    SavePortSettings({"COM3", 19200, 3000}, path_);
    const std::string old = Read();
    try {
        FileSizeLimit diskFullAt(40);
        SavePortSettings({"/dev/ttyUSB0", 115200, 5000}, path_);
        ADD_FAILURE() << "a write past the limit reported success";
    } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "Файл слишком велик");
    }
    EXPECT_EQ(Read(), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(PortSettingsFile, WritingIntoAMissingFolderFails) {
    EXPECT_THROW(SavePortSettings({"COM3", 19200, 3000}, dir_ + "/missing/portcfg.ini"),
                 EInOutError);
}

}  // namespace
}  // namespace orlin::test
