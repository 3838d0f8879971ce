#include "ui/phone_text_qt.h"

#include "link/cp1251.h"

namespace orlin {

QString FromCp1251(const std::string& bytes) {
    const std::u16string text = Cp1251ToUtf16(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToCp1251(const QString& text) {
    return Utf16ToCp1251(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<size_t>(text.size())));
}

}  // namespace orlin
