#pragma once
// Windows-1251 bytes at the widgets: the AT terminal's line (what the user types goes to the
// phone as those bytes, what the phone answers is shown from them), the information answers
// and info.txt. Every other text of the program is UTF-8 (QString::fromStdString).

#include <QString>
#include <string>

namespace orlin {

QString FromCp1251(const std::string& bytes);
std::string ToCp1251(const QString& text);

}  // namespace orlin
