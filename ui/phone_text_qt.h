#pragma once
// The widget boundary of the Windows-1251 phone texts: the cores hold byte strings, the
// widgets show QStrings.

#include <QString>
#include <string>

namespace orlin {

QString FromCp1251(const std::string& bytes);
std::string ToCp1251(const QString& text);

}  // namespace orlin
