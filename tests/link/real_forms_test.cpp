// The link layer's side of real phones: a session that learns the phone's mode and quoting,
// the transcript, quoted text fields, and what is remembered between and within runs.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "link/answers.h"
#include "link/errors.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "link/remembered_options.h"
#include "link/transcript.h"
#include "link/whole_file.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"
#include "tests/support/working_folder.h"

namespace orlin {
namespace {

using test::SimPhone;
using test::W;

// What goes on the wire for the same four commands, by what the phone takes.
TEST(PhoneDialect, ASessionLearnsTheModeAndTheQuotingOnceAndOnlyWhenRefused) {
    const std::vector<std::string> sent = {"AT+CSCS=UCS2", "AT+MDBR=?", "AT +CPBS=ME",
                                           "AT+CSCS=UCS2"};
    struct Case {
        const char* name;
        int needsMode;
        bool quotedArgs;
        std::vector<std::string> wire;
    };
    const Case cases[] = {
        {"as the program was written for", 0, false, sent},
        {"mode 2 needed",
         2,
         false,
         {"AT+CSCS=UCS2", "AT+MDBR=?", "AT+MODE=2", "AT+MDBR=?", "AT +CPBS=ME", "AT+CSCS=UCS2"}},
        {"quoted arguments",
         0,
         true,
         {"AT+CSCS=UCS2", "AT+MODE=2", "AT+CSCS=UCS2", "AT+CSCS=\"UCS2\"", "AT+MDBR=?",
          "AT +CPBS=\"ME\"", "AT+CSCS=\"UCS2\""}},
        {"both",
         2,
         true,
         {"AT+CSCS=UCS2", "AT+MODE=2", "AT+CSCS=UCS2", "AT+CSCS=\"UCS2\"", "AT+MDBR=?",
          "AT +CPBS=\"ME\"", "AT+CSCS=\"UCS2\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        phonesim::PhoneSimOptions options = test::PhoneOptions("C350");
        options.forms.needsMode = c.needsMode;
        options.forms.quotedArgs = c.quotedArgs;
        SimPhone phone(options);
        phone.mark();
        PhoneSession session(phone.settings);
        for (const std::string& command : sent) EXPECT_TRUE(EndsInOk(session.AtCommand(command)));
        EXPECT_EQ(phone.since(), c.wire);
        EXPECT_EQ(session.dialect().modeSent, c.needsMode != 0 || c.quotedArgs);
        EXPECT_EQ(session.dialect().quotedArguments, c.quotedArgs);
    }
}

// A refusal that is the command's own is passed on as it is: after another Motorola command
// was taken, with a reason (+CME ERROR), or over the port object itself (the terminal).
TEST(PhoneDialect, RefusalsOfTheCommandItselfAreLeftAlone) {
    SimPhone phone("C350");
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBR=3";
    phone->setFaults(faults);
    phone.mark();
    {
        PhoneSession session(phone.settings);
        EXPECT_TRUE(EndsInOk(session.AtCommand("AT+MDBR=?")));
        EXPECT_TRUE(IsPlainError(session.AtCommand("AT+MDBR=3")));
        EXPECT_TRUE(IsPlainError(session.port().AtCommand("AT+CSCS=XYZ")));
    }
    EXPECT_EQ(phone.since(), (std::vector<std::string>{"AT+MDBR=?", "AT+MDBR=3", "AT+CSCS=XYZ"}));
    faults.errorOn = "AT+MPBR";
    faults.errorLine = "+CME ERROR: 21";
    phone->setFaults(faults);
    phone.mark();
    {
        PhoneSession session(phone.settings);
        EXPECT_TRUE(IsRefusal(session.AtCommand("AT+MPBR=?")));
    }
    EXPECT_EQ(phone.since(), std::vector<std::string>{"AT+MPBR=?"});
}

TEST(PhoneDialect, TheArgumentIsQuotedOnlyWhereThePhoneMayWantIt) {
    EXPECT_EQ(QuotedArgumentForm("AT+CSCS=UCS2"), "AT+CSCS=\"UCS2\"");
    EXPECT_EQ(QuotedArgumentForm("AT +CPBS=ME"), "AT +CPBS=\"ME\"");
    EXPECT_EQ(QuotedArgumentForm("AT+CPBS=\"ME\""), "");
    EXPECT_EQ(QuotedArgumentForm("AT+CPBS=?"), "");
    EXPECT_EQ(QuotedArgumentForm("AT+MPBR=1,30"), "");
    EXPECT_TRUE(IsMotorolaCommand("AT +MPGR=1"));
    EXPECT_FALSE(IsMotorolaCommand("AT+MODE=2"));
    EXPECT_TRUE(MayNeedMode("AT+CCLK?"));
    EXPECT_FALSE(MayNeedMode("AT+CGMM"));
}

TEST(Transcript, LinesHaveTheFormOfThePhonesOwnLog) {
    const auto when = std::chrono::system_clock::now();
    const std::string line = TranscriptLine(when, '>', "A\r\n\\\x1A\x7F\xC0");
    ASSERT_EQ(line.size(), 23u + 19u);
    EXPECT_EQ(line[4], '-');
    EXPECT_EQ(line[19], '.');
    EXPECT_EQ(line.substr(23), " > A\\r\\n\\\\\\x1A\\x7F\xC0");

    transcript::Start("orlin-cli 9.9");
    transcript::Sent("AT+CGMM\r");
    transcript::Received("AT+CGMM\r\r\n+CGMM: \"GSM900\",");
    transcript::Received("\"MODEL=V3\"\r\n\r\nOK\r\n");
    transcript::Note("a note");
    transcript::Sent("AT\r");
    const std::string text = transcript::Text();
    transcript::Stop();
    transcript::Sent("AT+CGSN\r");  // nothing is recorded after Stop
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start + 23, end - start - 23));
        start = end + 1;
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         " ! orlin-cli 9.9, model V3", " < AT+CGMM\\r",
                         " > AT+CGMM\\r\\r\\n+CGMM: \"GSM900\",\"MODEL=V3\"\\r\\n\\r\\nOK\\r\\n",
                         " ! a note", " < AT\\r"}));
    EXPECT_EQ(transcript::Text().find("AT+CGSN"), std::string::npos);
}

TEST(TextFields, QuotedFieldsAreHexWhenTheyCanBeAndTextOtherwise) {
    const struct {
        const char* field;
        const char* text;
    } cases[] = {
        {"0041043F", "Aп"},
        {"\"0041043F\"", "Aп"},
        {"\"Contact Name\"", "Contact Name"},
        {"\"CAFE\"", "CAFE"},
        {"\"004\"", "004"},
        {"\"\"", ""},
        {"\"0001\"", "0001"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeUcs2Field(c.field), c.text) << c.field;
    EXPECT_EQ(DecodeUcs2Field("0041004"), "A\x04");  // bare, it is phone text as ever
}

TEST(Remembered, OptionsSurviveTheRunAndKeepTheFilesOtherLines) {
    test::WorkingFolder folder("orlin_remember_");
    EXPECT_EQ(RememberedOption("DatebookQuickRead", "0"), "0");
    WriteWholeFile(kRememberedOptionsFile, "# mine\r\nOther=x\r\n");
    RememberOption("DatebookQuickRead", "1");
    RememberOption("DatebookQuickRead", "0");
    RememberOption("DatebookQuickRead", "1");
    EXPECT_EQ(RememberedOption("DatebookQuickRead", "0"), "1");
    EXPECT_EQ(RememberedOption("Other", ""), "x");
    EXPECT_EQ(ReadWholeFile(kRememberedOptionsFile),
              "# mine\r\nOther=x\r\nDatebookQuickRead=1\r\n");
    EXPECT_EQ(RememberedOption("DatebookQuick", "-"), "-");

    EXPECT_TRUE(FirstTimeInRun("a note"));
    EXPECT_FALSE(FirstTimeInRun("a note"));
    EXPECT_TRUE(FirstTimeInRun("another note"));
}

}  // namespace
}  // namespace orlin
