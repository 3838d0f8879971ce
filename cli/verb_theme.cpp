// orlin-cli theme build: the theme file (.tcf) that names a ring tone, a screen saver and a
// picture, the same bytes as the window's "Создать тему".

#include <iostream>

#include "cli/verb.h"
#include "link/whole_file.h"
#include "theme/theme_file.h"
#include "theme/tone.h"

namespace orlin::cli {

namespace {

int Build(const std::vector<std::string>& args) {
    ThemeChoice choice;
    std::string output;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& word = args[i];
        std::string* target = nullptr;
        if (word == "--ringtone") target = &choice.ringTone;
        if (word == "--screensaver") target = &choice.screenSaver;
        if (word == "--picture") target = &choice.picture;
        if (word == "-o" || word == "--output") target = &output;
        if (target == nullptr) throw UsageError("theme build does not know '" + word + "'");
        if (i + 1 >= args.size()) throw UsageError(word + " needs a FILE");
        *target = args[++i];
    }
    if (output.empty()) throw UsageError("theme build needs -o OUT.tcf");

    const std::vector<ThemeProblem> problems = ThemeChoiceProblems(choice, IsExistingFile);
    for (const ThemeProblem& problem : problems) {
        const std::string& path = problem.part == ThemePart::Picture       ? choice.picture
                                  : problem.part == ThemePart::ScreenSaver ? choice.screenSaver
                                                                           : choice.ringTone;
        std::cerr << problem.text << (path.empty() ? "" : " " + path) << std::endl;
    }
    if (!problems.empty()) return 1;
    // The phone plays MIDI and iMelody; another file would be named in the theme all the same.
    try {
        ParseTone(ReadWholeFile(choice.ringTone));
    } catch (const EToneError& error) {
        std::cerr << "warning: " << choice.ringTone << ": " << error.what()
                  << " (the theme names it all the same)" << std::endl;
    }
    const std::string bytes = ThemeFileBytes(choice);
    WriteWholeFile(output, bytes);
    std::cout << output << ": " << bytes.size() << " bytes\n";
    return 0;
}

int RunTheme(const Invocation& invocation) {
    const auto& args = invocation.args;
    if (args.empty() || args[0] != "build") throw UsageError("theme needs build");
    return Build(args);
}

const VerbRegistration registration({
    "theme",
    "theme build --ringtone FILE --screensaver FILE --picture FILE -o OUT.tcf",
    "Writes the theme file OUT.tcf of the C-series phones naming the three files (their names\n"
    "  without folders; the phone looks them up among its own files). A missing or empty\n"
    "  choice is named on standard error (exit status 1); a ring tone that is neither MIDI nor\n"
    "  iMelody is warned about. The phone is not contacted.",
    RunTheme,
    true,
});

}  // namespace

}  // namespace orlin::cli
