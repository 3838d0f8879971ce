#pragma once
// What the program remembers: small options between runs (the datebook's quick read), in the
// file orlin.ini of the working folder beside portcfg.ini, one "key=value" line each; and,
// within one run, which notes were said already, so that a note meant to be said once is.

#include <string>

namespace orlin {

inline constexpr const char* kRememberedOptionsFile = "orlin.ini";

// The value remembered under `key`, or `fallback` when the file or the key is missing or the
// file cannot be read.
std::string RememberedOption(const std::string& key, const std::string& fallback,
                             const std::string& file = kRememberedOptionsFile);
// Remembers `value` under `key`, keeping the file's other lines; the file is replaced whole.
// Raises EInOutError when it cannot be written.
void RememberOption(const std::string& key, const std::string& value,
                    const std::string& file = kRememberedOptionsFile);

// True the first time it is asked for `key` in this run of the program, false afterwards.
bool FirstTimeInRun(const std::string& key);
// Forgets what FirstTimeInRun was asked: a new run in the same process (a test's).
void ForgetFirstTimes();

}  // namespace orlin
