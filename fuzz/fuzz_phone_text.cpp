// Phone text both ways, and the codecs under it. Any bytes go in as UTF-8 text, as phone text
// and as Windows-1251.
//   Encode then decode gives the text back without its control characters, each character
//   beyond the Basic Multilingual Plane (and each byte that starts no character) as '?'.
//   A decoded text is well-formed UTF-8 and encodes without failing.
//   A text field in quotes decodes without failing, to phone text or to what stands inside.
//   Windows-1251 through UTF-8 and back is the same text, and the UTF-8 is well-formed.
//   Well-formed UTF-8 through UTF-16 and back is the same text.

#include <cstdlib>
#include <optional>
#include <string>

#include "link/cp1251.h"
#include "link/errors.h"
#include "link/phone_text.h"
#include "link/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // What the phone keeps of the bytes as UTF-8 text.
    std::string kept;
    for (size_t pos = 0; pos < bytes.size();) {
        const std::optional<char32_t> code = NextUtf8(bytes, pos);
        if (code && (*code < 0x20 || (*code >= 0x7F && *code <= 0x9F))) continue;
        AppendUtf8(kept, code && *code <= 0xFFFF ? *code : U'?');
    }
    if (DecodeUcs2(EncodeUcs2(bytes)) != kept) std::abort();

    try {
        const std::string decoded = DecodeUcs2(bytes);
        if (!IsWellFormedUtf8(decoded)) std::abort();
        EncodeUcs2(decoded);
    } catch (const EConvertError&) {
    }

    // A quoted field never fails: it is phone text or the text between the quotes.
    const std::string quoted = "\"" + bytes + "\"";
    const std::string field = DecodeUcs2Field(quoted);
    if (!IsWellFormedUtf8(field)) std::abort();
    if (field != Utf8OrCp1251ToUtf8(bytes) && field != DecodeUcs2(bytes)) std::abort();

    const std::string utf8 = Cp1251ToUtf8(bytes);
    if (!IsWellFormedUtf8(utf8) || Utf8ToCp1251(utf8) != bytes) std::abort();
    if (Utf16ToCp1251(Cp1251ToUtf16(bytes)) != bytes) std::abort();
    // Any bytes as UTF-8: the conversion never fails, and well-formed text survives a round trip
    // wherever every character has a Windows-1251 code.
    const std::string back = Utf8ToCp1251(bytes);
    if (IsWellFormedUtf8(bytes) && back.find('?') == std::string::npos &&
        Cp1251ToUtf8(back) != bytes)
        std::abort();
    if (IsWellFormedUtf8(bytes) && Utf16ToUtf8(Utf8ToUtf16(bytes)) != bytes) std::abort();
    if (!IsWellFormedUtf8(Utf16ToUtf8(Utf8ToUtf16(bytes)))) std::abort();
    return 0;
}
