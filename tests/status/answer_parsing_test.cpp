// The answers of the information and clock commands cut into values, the gauge rule,
// the display form, the set command, the model pictures and the terminal's tables.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/errors.h"
#include "status/phone_clock.h"
#include "status/phone_info.h"
#include "status/terminal_commands.h"

namespace orlin {
namespace {

std::string Framed(const std::string& line) {
    return "\r\n" + line + "\r\n\r\nOK\r\n";
}
const std::string kError = "\r\nERROR\r\n";

TEST(IdentityAnswers, TextValuesLoseTheirFraming) {
    EXPECT_EQ(ParseImei(Framed("+CGSN: IMEI351234567890123")), "351234567890123");
    EXPECT_EQ(ParseImsi(Framed("+CIMI: 250991234567890")), "250991234567890");
    EXPECT_EQ(ParseManufacturer(Framed("+CGMI: \"Motorola CE, Copyright 2000\"")),
              "Motorola CE, Copyright 2000");
    EXPECT_EQ(ParseFirmware(Framed("+CGMR: \"R374_G_0E.41.C3R_A\"")), "R374_G_0E.41.C3R_A");
}

TEST(IdentityAnswers, ErrorAnswerShowsAsItComes) {
    // Nothing to strip: the raw answer, and for the quoted values less the first and last
    // character. Short or empty answers must not break the cutting.
    EXPECT_EQ(ParseImei(kError), kError);
    EXPECT_EQ(ParseManufacturer(kError), "\nERROR\r");
    EXPECT_EQ(ParseFirmware(""), "");
    EXPECT_EQ(ParseFirmware("x"), "");
}

TEST(ModelAnswer, ModelAndBandsAreSeparated) {
    const ModelInfo c350 =
        ParseModel(Framed("+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"MODEL=C350\""));
    EXPECT_EQ(c350.model, "C350");
    EXPECT_EQ(c350.bands, "GSM900, GSM1800, GSM1900");
    EXPECT_EQ(c350.DisplayName(), "Motorola C350");

    const ModelInfo v300 = ParseModel(Framed("+CGMM: \"GSM900\",\"MODEL=V300\""));
    EXPECT_EQ(v300.model, "V300");
    EXPECT_EQ(v300.bands, "GSM900");  // one band, no quotes left
}

TEST(ModelAnswer, AnswersWithoutAModelDoNotBreakTheCutting) {
    const ModelInfo none = ParseModel(kError);
    EXPECT_TRUE(none.bands.empty());
    EXPECT_EQ(ParseModel("").model, "");
    EXPECT_EQ(ParseModel("MODEL").model, "");
    EXPECT_EQ(ParseModel(Framed("+CGMM: \"MODEL=V3\"")).model, "V3");
}

TEST(BatteryAnswer, ChargeFollowsTheStatus) {
    EXPECT_EQ(ParseBattery(Framed("+CBC: 0,80")), 80);
    EXPECT_EQ(ParseBattery(Framed("+CBC: 1,100")), 100);
    try {
        ParseBattery(kError);
        FAIL() << "an ERROR answer must not give a charge";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'ERROR' is not a valid integer value");  // on one line
    }
}

TEST(SignalAnswer, GaugeRule) {
    const SignalReading fifteen = ParseSignal(Framed("+CSQ: 15,99"));
    EXPECT_EQ(fifteen.rssi, 15);
    EXPECT_EQ(fifteen.dBm, -83);
    EXPECT_EQ(fifteen.gaugeValue, -83);

    EXPECT_EQ(SignalFromRssi(0).gaugeValue, -113);
    EXPECT_EQ(SignalFromRssi(31).gaugeValue, -51);
    // Reserved values above 31 still follow the rule, clamped by the gauge.
    EXPECT_EQ(SignalFromRssi(40).dBm, -33);
    EXPECT_EQ(SignalFromRssi(40).gaugeValue, kSignalGaugeMax);
}

TEST(SignalAnswer, NotDetectableShowsAnEmptyGaugeAndNoLevel) {
    const SignalReading unknown = ParseSignal(Framed("+CSQ: 99,99"));
    EXPECT_FALSE(unknown.dBm.has_value());
    EXPECT_EQ(unknown.gaugeValue, kSignalGaugeMin);
}

TEST(SignalAnswer, ValuesOutsideTheRangeLeaveTheGaugeAlone) {
    EXPECT_FALSE(SignalFromRssi(100).gaugeValue.has_value());
    EXPECT_FALSE(SignalFromRssi(-1).gaugeValue.has_value());
    EXPECT_FALSE(ParseSignal(Framed("+CSQ: 150,0")).dBm.has_value());
    EXPECT_THROW(ParseSignal(kError), EConvertError);
    EXPECT_THROW(ParseSignal(Framed("+CSQ: 15")), EConvertError);  // no comma, no number
}

TEST(ModelPictures, OnlyAnExistingFileOfAnExactModel) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("orlin-pictures-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "t722i.jpg") << "picture";
    EXPECT_EQ(FindModelPicture("T720i", folder.string()), (folder / "t722i.jpg").string());
    EXPECT_EQ(FindModelPicture("t720i", folder.string()), "");  // case counts
    EXPECT_EQ(FindModelPicture("C350", folder.string()), "");   // row, but no file
    EXPECT_EQ(FindModelPicture("V300", folder.string()), "");   // no row
    std::filesystem::create_directories(folder / "c350.jpg");   // a folder is not a picture
    EXPECT_EQ(FindModelPicture("C350", folder.string()), "");
    std::filesystem::remove_all(folder);
}

TEST(ClockAnswer, WithAndWithoutZoneGiveTheSameTime) {
    const std::string expected = "06-12-26,   09:05:07";
    EXPECT_EQ(PhoneClockDisplay(Framed("+CCLK: \"26/12/06,09:05:07+00\"")), expected);
    EXPECT_EQ(PhoneClockDisplay(Framed("+CCLK: \"26/12/06,09:05:07\"")), expected);
    EXPECT_EQ(PhoneClockDisplay(Framed("+CCLK: \"26/12/06,09:05:07-08\"")), expected);
    EXPECT_EQ(PhoneClockDisplay(Framed("+CCLK: 26/12/06,09:05:07")), expected);  // unquoted
}

TEST(ClockAnswer, ShortFieldsArePaddedAndLongYearsCut) {
    EXPECT_EQ(PhoneClockDisplay(Framed("+CCLK: \"7/1/2,3:4:5+00\"")), "02-01-07,   03:04:05");
    EXPECT_EQ(PhoneClockDisplay(Framed("+CCLK: \"2026/12/06,23:58:36\"")), "06-12-26,   23:58:36");
    PhoneClockFields f;
    ASSERT_TRUE(ParsePhoneClock(Framed("+CCLK: \"26/12/06,09:05:07+00\""), f));
    EXPECT_EQ(f.year, "26");
    EXPECT_EQ(f.seconds, "07");
}

TEST(ClockAnswer, NoClockInTheAnswerShowsNothing) {
    // A silent phone (nothing, or the bare CR LF the port object adds) and an ERROR answer.
    EXPECT_EQ(PhoneClockDisplay(""), "");
    EXPECT_EQ(PhoneClockDisplay("\r\n"), "");
    EXPECT_EQ(PhoneClockDisplay(kError), "");
    // Nor is a clock line before a refusal the phone's time.
    EXPECT_EQ(PhoneClockDisplay("\r\n+CCLK: \"26/12/06,09:05:07\"\r\n\r\n+CME ERROR: 3\r\n"), "");
    PhoneClockFields f;
    f.year = "left over";
    EXPECT_FALSE(ParsePhoneClock(kError, f));
    EXPECT_EQ(f.year, "");
}

TEST(ClockAnswer, IncompleteTimesShowNothingRatherThanFragments) {
    EXPECT_EQ(PhoneClockDisplay("\r\n+CCLK: \"26/12/06,09:05\"\r\n\r\nOK\r\n"), "");
    EXPECT_EQ(PhoneClockDisplay("\r\n+CCLK: \"26/12/06,09:0"), "");
    EXPECT_EQ(PhoneClockDisplay("\r\n+CCLK: \"26/xx/06,09:05:07\"\r\n"), "");
    EXPECT_EQ(PhoneClockDisplay("\r\n+CCLK: \"\"\r\n"), "");
    // The fragment of an answer cut off on the tick before, joined to this tick's echo,
    // comes first; the complete line after it counts.
    EXPECT_EQ(PhoneClockDisplay(
                  "+CCLK: \"26/AT+CCLK?\r\n\r\n+CCLK: \"26/12/06,09:05:07+00\"\r\n\r\nOK\r\n"),
              "06-12-26,   09:05:07");
}

TEST(ClockAnswer, OtherLinesAroundTheClockLineDoNotMatter) {
    EXPECT_EQ(
        PhoneClockDisplay("\r\n+CREG: 1\r\n\r\n+CCLK: \"26/12/06,09:05:07+00\"\r\n\r\nOK\r\n"),
        "06-12-26,   09:05:07");
}

TEST(ClockForms, DisplayAndSetCommand) {
    const LocalDateTime morning{2026, 12, 6, 9, 5, 7};
    EXPECT_EQ(FormatClockDisplay(morning), "06-12-26,   09:05:07");
    EXPECT_EQ(FormatClockDisplay({2026, 12, 6, 23, 58, 36}), "06-12-26,   23:58:36");
    EXPECT_EQ(FormatClockDisplay({2100, 1, 1, 0, 0, 0}), "01-01-00,   00:00:00");
    EXPECT_EQ(ClockSetCommand(morning), "AT+CCLK=\"26/12/06,09:05:07\"");
    // What the set command sends, the phone's answer gives back in the same display form.
    const std::string sent = ClockSetCommand(morning).substr(9);  // the quoted value
    EXPECT_EQ(PhoneClockDisplay(Framed("+CCLK: " + sent)), FormatClockDisplay(morning));
}

TEST(TerminalTables, ParallelAndExact) {
    ASSERT_EQ(TerminalCommands.size(), 40u);
    ASSERT_EQ(CommandDescriptions.size(), 40u);
    EXPECT_STREQ(TerminalCommands[0], "AT");
    EXPECT_STREQ(TerminalCommands[8], "AT+CPBS=\"ME\"");
    EXPECT_STREQ(CommandDescriptions[8], "AT+CPBS=\"ME\"");
    EXPECT_STREQ(TerminalCommands[38], "AT+CBST=x,0,y");
    EXPECT_STREQ(CommandDescriptions[39], "AT+CBST?: Query the bearer service type.");
    // Exactly entries 12, 16, 18, 19 and 20 end with a blank.
    for (int i = 0; i < kTerminalCommandCount; ++i) {
        const std::string description = CommandDescriptions[i];
        const bool trailingBlank = description.back() == ' ';
        const bool expected = i == 12 || i == 16 || i == 18 || i == 19 || i == 20;
        EXPECT_EQ(trailingBlank, expected) << "description " << i;
        // Every description but the long one names its own command first.
        if (i != 38) {
            EXPECT_EQ(description.rfind(TerminalCommands[i], 0), 0u) << i;
        }
        for (unsigned char c : description) EXPECT_LT(c, 128) << "description " << i;
    }
    const std::string longText = CommandDescriptions[38];
    EXPECT_EQ(longText.rfind("AT+CBST=x,0,y : The following commands", 0), 0u);
    EXPECT_NE(longText.find("V.32 65 300 bps V.110."), std::string::npos);
    EXPECT_EQ(longText.substr(longText.size() - 22), "connection (uses RLP).");
    EXPECT_EQ(longText.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace orlin
