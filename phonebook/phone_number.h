#pragma once
// Telephone numbers from other programs in one form: what the phone is given on an import, and
// what two copies of a contact are compared by, so that "+49 30 1234567", "030 1234567" and
// "0049301234567" of one person are one number. Qt-free and free of the phone.

#include <optional>
#include <string>

namespace orlin {

// A telephone number of another program (UTF-8) in E.164 ("+49301234567") where the number
// library reads it as a possible number: a number with "+" or an international prefix
// always, a national one ("030 1234567") only with the `region` it is dialled in ("DE";
// empty: unknown). Pauses and what follows them stay as they are ("+49301234567p12"). A
// number the library cannot read, a service code with "*" or "#", a national number without
// a region, and every number of a build without the library keep the cleaned form
// (CleanPhoneNumber: "+", digits, "*", "#", "p", "w"). Nothing when it is no telephone number
// at all. An e-mail address is no telephone number: it is never given here.
std::optional<std::string> NormalisedNumber(const std::string& utf8, const std::string& region);

// Whether this build has the number library (the Windows build has not: the cleaned form only).
bool NumberLibraryPresent();

// A region as the user gives it: two letters, upper-cased ("de" -> "DE"). Nothing for another
// text, and, with the library, for a region it does not know.
std::optional<std::string> RegionCode(const std::string& text);

// The region of the user's locale for telephone numbers: LC_ALL, LC_TELEPHONE or LANG of the
// environment ("de_DE.UTF-8" -> "DE"). Empty when none names one ("C", "POSIX", unset).
std::string LocaleRegion();

}  // namespace orlin
