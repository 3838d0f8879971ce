// Judging whole answers: ERROR, +CME ERROR: n and +CMS ERROR: n are the same refusal.

#include "link/answers.h"

#include <gtest/gtest.h>

#include "link/errors.h"
#include "tests/support/text.h"

namespace orlin::test {
namespace {

TEST(Answers, FinalLineAndRefusal) {
    struct Case {
        std::string response;
        std::string finalLine;
        bool refused;
        std::string plain;  // WithPlainError
    };
    const Case cases[] = {
        {"\r\n+CBC: 0,80\r\n\r\nOK\r\n", "OK", false, "\r\n+CBC: 0,80\r\n\r\nOK\r\n"},
        {"\r\nERROR\r\n", "ERROR", true, "\r\nERROR\r\n"},
        {"\r\n+CME ERROR: 10\r\n", "+CME ERROR: 10", true, "\r\nERROR\r\n"},
        {"\r\n+MDBR: 1\r\n\r\n+CMS ERROR: 500\r\n", "+CMS ERROR: 500", true,
         "\r\n+MDBR: 1\r\n\r\nERROR\r\n"},
        {"+CME ERROR: 3\r\n", "+CME ERROR: 3", true, "ERROR\r\n"},
        // Cut short by a time-out: no final line, neither OK nor a refusal.
        {"\r\n+MPBR: 1,\"+7\"", "", false, "\r\n+MPBR: 1,\"+7\""},
        {"\r\n+CME ERROR: 10\r\n\r\n+MPBR: 2\r\n", "", false,
         "\r\n+CME ERROR: 10\r\n\r\n+MPBR: 2\r\n"},
        {"", "", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.response);
        EXPECT_EQ(FinalResultLine(c.response), c.finalLine);
        EXPECT_EQ(IsRefusal(c.response), c.refused);
        EXPECT_EQ(EndsInOk(c.response), c.finalLine == "OK");
        EXPECT_EQ(WithPlainError(c.response), c.plain);
    }
}

TEST(Answers, TheLineOfAPrefixWhereverItStands) {
    const std::string response =
        "AT+CPMS=\"IM\"\r\r\n+CMTI: \"IM\",5\r\n\r\n+CPMS: 3,50\r\n\r\nOK\r\n";
    EXPECT_EQ(AnswerLine(response, "+CPMS: "), "+CPMS: 3,50");
    EXPECT_EQ(AnswerLine(response, "+CGSN: "), "");
    EXPECT_EQ(AnswerLine("+CPMS: 1,2", "+CPMS: "), "+CPMS: 1,2");
}

TEST(Answers, AnnouncedCountsAreBounded) {
    EXPECT_NO_THROW(CheckAnnounced(0, kMostDatebookSlots, ""));
    EXPECT_NO_THROW(CheckAnnounced(kMostDatebookSlots, kMostDatebookSlots, ""));
    EXPECT_THROW(CheckAnnounced(-1, kMostDatebookSlots, ""), OrlinError);
    try {
        CheckAnnounced(100000000, kMostPhonebookSlots, "\r\n+MPBR: 1-100000000,32,24\r\n");
        FAIL();
    } catch (const OrlinError& error) {
        EXPECT_STREQ(error.what(),
                     "Телефон сообщил недопустимый диапазон: +MPBR: 1-100000000,32,24");
    }
}

}  // namespace
}  // namespace orlin::test
