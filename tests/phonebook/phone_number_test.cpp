// Telephone numbers of other programs brought into one form, and the region of the locale
// (the region a user gives is tried through orlin-cli's --region).

#include "phonebook/phone_number.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace orlin {
namespace {

const std::optional<std::string> kNone;

// What every build gives: no number, and the cleaned form where no region or library helps.
TEST(PhoneNumber, WhatIsNoNumberStaysNoneAndTheRestIsAtLeastCleaned) {
    const struct {
        const char* text;
        const char* region;
        std::optional<std::string> withLibrary;
        std::optional<std::string> without;
    } cases[] = {
        // International: one form however it was written.
        {"+49 30 1234567", "", "+49301234567", "+49301234567"},
        {"+1 (555) 010-0100", "DE", "+15550100100", "+15550100100"},
        {"+44 (0)20 7946 0000", "", "+442079460000", "+4402079460000"},
        {"+7\xC2\xA0"
         "911 123-45-67",
         "", "+79111234567", "+79111234567"},
        // National: only with the region it is dialled in.
        {"030 1234567", "DE", "+49301234567", "0301234567"},
        {"030 1234567", "", "0301234567", "0301234567"},
        {"0049 30 1234567", "DE", "+49301234567", "0049301234567"},
        {"8 (911) 123-45-67", "RU", "+79111234567", "89111234567"},
        {"(555) 010-0100", "US", "+15550100100", "5550100100"},
        // Pauses and what follows them stay; a service code stays as it is dialled.
        {"030 1234567 p 12", "DE", "+49301234567p12", "0301234567p12"},
        {"+49301234567W#1", "", "+49301234567w#1", "+49301234567w#1"},
        {"*100#", "RU", "*100#", "*100#"},
        // Short and emergency numbers are dialled as they are.
        {"112", "DE", "112", "112"},
        {"911", "US", "911", "911"},
        {"01", "RU", "01", "01"},
        // A form the library would change again (it drops a 0 after the country code) is
        // no form: cleaned only.
        {"00000000", "DE", "00000000", "00000000"},
        {"+49 0000000000000000", "", "+490000000000000000", "+490000000000000000"},
        // Too long to be a number anywhere: cleaned only.
        {"+49 1234567890123456789", "", "+491234567890123456789", "+491234567890123456789"},
        // No telephone number at all.
        {"", "DE", kNone, kNone},
        {"+", "DE", kNone, kNone},
        {"ann@example.org", "DE", kNone, kNone},
        {"030 1234567 ext. 5", "DE", kNone, kNone},
        {"12\"3", "DE", kNone, kNone},
        {"9\\;AT+CMGD=1", "DE", kNone, kNone},
        {"030\r1234567", "DE", kNone, kNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalisedNumber(c.text, c.region),
                  NumberLibraryPresent() ? c.withLibrary : c.without)
            << c.text << " in '" << c.region << "'";
}

// The locale's region: LC_ALL before LC_TELEPHONE before LANG, an empty one skipped.
TEST(PhoneNumber, TheLocaleNamesTheRegion) {
    const struct {
        const char* all;
        const char* telephone;
        const char* lang;
        const char* region;
    } cases[] = {
        {nullptr, nullptr, "de_DE.UTF-8", "DE"},
        {nullptr, "ru_RU.UTF-8", "de_DE.UTF-8", "RU"},
        {"en_GB", "ru_RU.UTF-8", "de_DE.UTF-8", "GB"},
        {"", nullptr, "fr_FR@euro", "FR"},
        {"C", nullptr, "de_DE.UTF-8", ""},
        {nullptr, nullptr, "C.UTF-8", ""},
        {nullptr, nullptr, "POSIX", ""},
        {nullptr, nullptr, "de_DEU.UTF-8", ""},
        {nullptr, nullptr, nullptr, ""},
    };
    const char* const names[] = {"LC_ALL", "LC_TELEPHONE", "LANG"};
    std::optional<std::string> before[3];
    for (int i = 0; i < 3; ++i)
        if (const char* value = std::getenv(names[i])) before[i] = value;
    const auto set = [](const char* name, const char* value) {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    };
    for (const auto& c : cases) {
        set("LC_ALL", c.all);
        set("LC_TELEPHONE", c.telephone);
        set("LANG", c.lang);
        EXPECT_EQ(LocaleRegion(), c.region) << (c.lang ? c.lang : "(no LANG)");
    }
    for (int i = 0; i < 3; ++i) set(names[i], before[i] ? before[i]->c_str() : nullptr);
}

}  // namespace
}  // namespace orlin
