// Phone text both ways, and the Windows-1251 codec under it. Any bytes go in as
// Windows-1251 text and as phone text.
//   Encode then decode gives the text back without its control characters.
//   A decoded text encodes without failing.
//   A text field in quotes decodes without failing, to phone text or to what stands inside.
//   Windows-1251 through UTF-8 and back is the same text, and the UTF-8 is well-formed.

#include <cstdlib>
#include <string>

#include "link/cp1251.h"
#include "link/errors.h"
#include "link/phone_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The bytes whose characters are controls: below 32, DEL, and 0x98 (U+0098).
    std::string printable;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte != 0x7F && byte != 0x98) printable += c;
    }
    if (DecodePhoneText(EncodePhoneText(bytes)) != printable) std::abort();

    try {
        const std::string decoded = DecodePhoneText(bytes);
        EncodePhoneText(decoded);
    } catch (const EConvertError&) {
    }

    // A quoted field never fails: it is phone text or the text between the quotes.
    const std::string quoted = "\"" + bytes + "\"";
    const std::string field = DecodeTextField(quoted);
    if (field != bytes && field != DecodePhoneText(bytes)) std::abort();

    const std::string utf8 = Cp1251ToUtf8(bytes);
    if (!IsWellFormedUtf8(utf8) || Utf8ToCp1251(utf8) != bytes) std::abort();
    if (Utf16ToCp1251(Cp1251ToUtf16(bytes)) != bytes) std::abort();
    // Any bytes as UTF-8: the conversion never fails, and well-formed text survives a round trip
    // wherever every character has a Windows-1251 code.
    const std::string back = Utf8ToCp1251(bytes);
    if (IsWellFormedUtf8(bytes) && back.find('?') == std::string::npos &&
        Cp1251ToUtf8(back) != bytes)
        std::abort();
    return 0;
}
