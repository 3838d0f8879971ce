#pragma once
// The theme file (.tcf) of the C-series phones: it names a ring tone, a screen saver and a
// picture that the phone then looks up among its own files. Its bytes are 10 03, then one entry
// for each of the three in that order: a type byte (02 ring tone, 01 screen saver, 00
// picture), the file name without its folder in UTF-16 big-endian, and 00 00. For r.mid, s.gif
// and p.jpg that is
//   10 03 02 00 72 00 2E 00 6D 00 69 00 64 00 00 01 00 73 ... 00 00 00 00 70 ... 00 67 00 00
// (41 bytes); a Cyrillic letter gets its real high byte (04 for "м").

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/errors.h"

namespace orlin {

// A theme that cannot be made: a file name that names nothing.
class EThemeError : public OrlinError {
public:
    using OrlinError::OrlinError;
};

// The three choices as the fields hold them: full paths, UTF-8 (the names written into the
// file are taken from them).
struct ThemeChoice {
    std::string picture;
    std::string screenSaver;
    std::string ringTone;
};

enum class ThemePart { Picture, ScreenSaver, RingTone };

// Why the theme cannot be made yet, one entry for each field, in the order picture, screen
// saver, ring tone. Texts are UTF-8.
struct ThemeProblem {
    ThemePart part;
    std::string text;  // "Выберите картинку." or "Файл картинки не существует."
};

// A path that names an existing regular file (not a folder).
bool IsExistingFile(const std::string& path);

// The problems that stop "Создать тему": first the empty fields ("Выберите ..."); only when
// none is empty, the paths that name no existing file ("Файл ... не существует."). Empty
// when the theme can be made. `exists` tells whether a path names a file.
std::vector<ThemeProblem> ThemeChoiceProblems(
    const ThemeChoice& choice, const std::function<bool(const std::string&)>& exists);

// The file name of a path: the text after the last "/" or "\" (the dialogs give "/", a typed
// Windows path has "\").
std::string ThemeName(std::string_view path);

// A UTF-8 name as UTF-16 big-endian bytes. A byte that is not part of a valid UTF-8 sequence
// stands for the character of the same number, so that no name is lost.
std::string Utf16BeName(std::string_view utf8);

// The bytes of the theme file for the three paths. Raises EThemeError when a path has no
// file name (it ends in a separator or is empty).
std::string ThemeFileBytes(const ThemeChoice& choice);

}  // namespace orlin
