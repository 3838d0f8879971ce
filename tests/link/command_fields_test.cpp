// What may go into an AT command line from data.

#include "link/command_fields.h"

#include <gtest/gtest.h>

#include "tests/support/text.h"

namespace orlin::test {
namespace {

TEST(CommandFields, ControlCharactersQuotesAndSemicolonsAreRefusedWithTheFieldNamed) {
    const struct {
        std::string value;
        std::string reason;  // empty: allowed
    } cases[] = {
        {"+79111234567", ""},
        {"*100#", ""},
        {"+7 (911) 123-45", ""},
        {"123\rAT+CMGD=1\rAT", "недопустимый знак CR (13)"},
        {"1\n2", "недопустимый знак LF (10)"},
        {"1\x1a", "недопустимый знак Ctrl-Z (26)"},
        {"1\x1b[2J", "недопустимый знак ESC (27)"},
        {"1\x7f", "недопустимый знак 127"},
        {"1\";+CMGD=1;\"", "недопустимый знак \""},
        {"12;+CMGD=1", "недопустимый знак ;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnsafeFieldReason(c.value), c.reason) << c.value;
        if (c.reason.empty()) {
            EXPECT_NO_THROW(CheckCommandField(c.value, "x"));
            continue;
        }
        try {
            CheckCommandField(c.value, "номер");
            ADD_FAILURE() << c.value;
        } catch (const EUnsafeField& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind("номер: " + c.reason, 0), 0u) << what;
            EXPECT_EQ(what.find('\r'), std::string::npos) << "the message shows codes";
        }
    }
    EXPECT_NO_THROW(CheckBareField("12", "x"));
    EXPECT_THROW(CheckBareField("12,0,1", "x"), EUnsafeField);
}

}  // namespace
}  // namespace orlin::test
