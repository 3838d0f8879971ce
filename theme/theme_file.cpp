#include "theme/theme_file.h"

#include <sys/stat.h>

#include "link/cp1251.h"
#include "link/language.h"
#include "link/utf8.h"

namespace orlin {

namespace {

// The parts in the order of the checks, with their two texts.
struct PartTexts {
    ThemePart part;
    const char* empty;
    const char* missing;
};

const PartTexts kPartTexts[] = {
    {ThemePart::Picture, ORLIN_TRANSLATE_NOOP("ThemeFile", "Выберите картинку."),
     ORLIN_TRANSLATE_NOOP("ThemeFile", "Файл картинки не существует.")},
    {ThemePart::ScreenSaver, ORLIN_TRANSLATE_NOOP("ThemeFile", "Выберите заставку."),
     ORLIN_TRANSLATE_NOOP("ThemeFile", "Файл заставки не существует.")},
    {ThemePart::RingTone, ORLIN_TRANSLATE_NOOP("ThemeFile", "Выберите мелодию."),
     ORLIN_TRANSLATE_NOOP("ThemeFile", "Файл мелодии не существует.")},
};

const std::string& PathOf(const ThemeChoice& choice, ThemePart part) {
    switch (part) {
        case ThemePart::Picture:
            return choice.picture;
        case ThemePart::ScreenSaver:
            return choice.screenSaver;
        case ThemePart::RingTone:
            break;
    }
    return choice.ringTone;
}

// The next character of a UTF-8 text; a byte that starts no character stands for itself.
char32_t NextCharacter(std::string_view text, size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    return NextUtf8(text, at).value_or(lead);
}

void AppendUnit(std::string& out, char32_t unit) {
    out += static_cast<char>((unit >> 8) & 0xFF);
    out += static_cast<char>(unit & 0xFF);
}

}  // namespace

bool IsExistingFile(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<ThemeProblem> ThemeChoiceProblems(
    const ThemeChoice& choice, const std::function<bool(const std::string&)>& exists) {
    std::vector<ThemeProblem> problems;
    for (const PartTexts& texts : kPartTexts) {
        if (PathOf(choice, texts.part).empty())
            problems.push_back({texts.part, Tr("ThemeFile", texts.empty)});
    }
    if (!problems.empty()) return problems;
    for (const PartTexts& texts : kPartTexts) {
        if (!exists(PathOf(choice, texts.part)))
            problems.push_back({texts.part, Tr("ThemeFile", texts.missing)});
    }
    return problems;
}

std::string ThemeName(std::string_view path) {
    const size_t separator = path.find_last_of("/\\");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string Utf16BeName(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() * 2);
    for (size_t at = 0; at < utf8.size();) {
        const char32_t c = NextCharacter(utf8, at);
        if (c >= 0x10000) {
            AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            AppendUnit(out, c);
        }
    }
    return out;
}

std::string ThemeFileBytes(const ThemeChoice& choice) {
    // The entries stand in the order ring tone, screen saver, picture.
    const struct {
        char type;
        ThemePart part;
    } entries[] = {{'\x02', ThemePart::RingTone},
                   {'\x01', ThemePart::ScreenSaver},
                   {'\x00', ThemePart::Picture}};
    std::string bytes("\x10\x03", 2);
    for (const auto& entry : entries) {
        const std::string& path = PathOf(choice, entry.part);
        const std::string name = ThemeName(path);
        if (name.empty()) throw EThemeError(Tr("ThemeFile", "В пути нет имени файла: ") + path);
        bytes += entry.type;
        bytes += Utf16BeName(name);
        bytes.append(2, '\0');
    }
    return bytes;
}

}  // namespace orlin
