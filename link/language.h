#pragma once
// The language the program speaks: Russian (the texts as the code writes them) or English.
// It is chosen once at start from --lang, ORLIN_LANG and the locale, and every front end then
// asks CurrentLanguage(). The Qt-free code words its texts through Tr(), which lupdate reads as
// a translate call: the English comes from a table generated from translations/orlin_en.ts at
// build time, the one file that also feeds the window's catalogue.

#include <functional>
#include <optional>
#include <string>

namespace orlin {

enum class Language { Russian, English };

// "ru" or "en" (the value of --lang and ORLIN_LANG); nothing for any other word.
std::optional<Language> ParseLanguage(const std::string& word);

// Reads a variable of the environment: "" when it is not set.
using Environment = std::function<std::string(const std::string& name)>;

// The language to speak: the option when given; else ORLIN_LANG when it is ru or en; else the
// first entry of the colon list LANGUAGE that is ru, uk or be (Russian) or en (English); else
// the first non-empty of LC_ALL, LC_MESSAGES and LANG (ru, uk and be give Russian, anything
// else, C and POSIX too, English); English when nothing is set.
Language ChooseLanguage(std::optional<Language> option, const Environment& environment);

// The process's own environment. On Windows the user's interface language stands in for the
// locale variables (LANG holds it, LANGUAGE, LC_ALL and LC_MESSAGES are empty), ORLIN_LANG
// still read.
std::string ProcessEnvironment(const std::string& name);

// The language of the running program: Russian until a front end sets it at start.
Language CurrentLanguage();
void SetCurrentLanguage(Language language);

// The text to show for `source` (a Russian text in UTF-8) of `context`: `source` itself under
// Russian or where no English is known, else the English of translations/orlin_en.ts. The
// returned text lives as long as the program.
const char* Tr(const char* context, const char* source);
// The same in a given language (for tests and for texts chosen apart from the process's own).
const char* Tr(Language language, const char* context, const char* source);

}  // namespace orlin
