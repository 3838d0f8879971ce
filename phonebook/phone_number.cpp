#include "phonebook/phone_number.h"

#include <cstdlib>
#include <set>

#include "phonebook/vcard.h"

#ifdef ORLIN_WITH_PHONENUMBER
#include <phonenumbers/phonenumber.pb.h>
#include <phonenumbers/phonenumberutil.h>
#include <phonenumbers/shortnumberinfo.h>
#endif

namespace orlin {

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

#ifdef ORLIN_WITH_PHONENUMBER
using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;
using i18n::phonenumbers::ShortNumberInfo;

// The number the library reads in `dial` (digits with an optional leading "+"), in E.164;
// nothing when it reads none or one too short or long to be dialled.
std::optional<std::string> E164(const std::string& dial, const std::string& region) {
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    PhoneNumber number;
    // "ZZ": no region, so that only a number with its country code is read.
    if (util.Parse(dial, region.empty() ? "ZZ" : region, &number) !=
        PhoneNumberUtil::NO_PARSING_ERROR)
        return std::nullopt;
    if (!util.IsPossibleNumber(number)) return std::nullopt;
    // A short number of the region ("112", "0800" services) is dialled as it is: with the
    // country code in front it would reach nobody.
    if (!region.empty() && dial[0] != '+') {
        static const ShortNumberInfo shortNumbers;
        if (shortNumbers.IsValidShortNumberForRegion(number, region) ||
            shortNumbers.IsEmergencyNumber(dial, region))
            return std::nullopt;
    }
    std::string e164;
    util.Format(number, PhoneNumberUtil::E164, &e164);
    // The library takes a 0 after the country code for a trunk prefix ("+44 (0)20") and drops
    // it, also from a number it gave itself ("+490..." of "00000000"): a form that would change
    // again is no form to keep, and the number stays as written.
    PhoneNumber again;
    std::string twice;
    if (util.Parse(e164, "ZZ", &again) != PhoneNumberUtil::NO_PARSING_ERROR) return std::nullopt;
    util.Format(again, PhoneNumberUtil::E164, &twice);
    if (twice != e164) return std::nullopt;
    return e164;
}
#endif

}  // namespace

bool NumberLibraryPresent() {
#ifdef ORLIN_WITH_PHONENUMBER
    return true;
#else
    return false;
#endif
}

std::optional<std::string> NormalisedNumber(const std::string& utf8, const std::string& region) {
    const std::optional<std::string> clean = CleanPhoneNumber(utf8);
    if (!clean) return std::nullopt;
#ifdef ORLIN_WITH_PHONENUMBER
    // The number dialled, then the pauses and the digits sent after them (an extension, a
    // PIN), which stay as they are.
    const size_t pause = clean->find_first_of("pw");
    const std::string dial = clean->substr(0, pause);
    const std::string after = pause == std::string::npos ? std::string() : clean->substr(pause);
    // A service code ("*100#") is dialled as it is written.
    if (dial.empty() || dial.find_first_of("*#") != std::string::npos) return clean;
    if (const std::optional<std::string> e164 = E164(dial, region)) return *e164 + after;
#else
    (void)region;
#endif
    return clean;
}

std::optional<std::string> RegionCode(const std::string& text) {
    if (text.size() != 2 || !IsLetter(text[0]) || !IsLetter(text[1])) return std::nullopt;
    const std::string code = Upper(text);
#ifdef ORLIN_WITH_PHONENUMBER
    std::set<std::string> known;
    PhoneNumberUtil::GetInstance()->GetSupportedRegions(&known);
    if (!known.count(code)) return std::nullopt;
#endif
    return code;
}

std::string LocaleRegion() {
    // The first of these that is set decides, as for the C library's LC_TELEPHONE.
    for (const char* name : {"LC_ALL", "LC_TELEPHONE", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        // language[_territory][.codeset][@modifier]
        const std::string locale = value;
        const size_t underscore = locale.find('_');
        if (underscore == std::string::npos) return {};
        const std::string territory = locale.substr(underscore + 1, 2);
        const size_t end = underscore + 3;
        if (end < locale.size() && locale[end] != '.' && locale[end] != '@') return {};
        return RegionCode(territory).value_or("");
    }
    return {};
}

}  // namespace orlin
