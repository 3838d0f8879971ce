#pragma once
// The version record of an executable file, as the About box shows it. On Windows it is the
// file's VERSIONINFO resource; on Linux the same record lives in the ELF section
// ".orlin_version" of the executable (resources/version_record.cpp.in puts it there).
// The lookup follows the Windows rules: the first language/code-page pair of the translation
// table gives the string table ("041904E3"), and a value missing from it reads as "n/a".

#include <QString>
#include <QStringList>

#include "link/errors.h"

namespace orlin {

// "Invalid language info in file orlin": the file has no record or no translation table.
class EReadError : public OrlinError {
public:
    using OrlinError::OrlinError;
};

class VersionInfo {
public:
    // Reads the record of the file at `filePath`. Raises EReadError ("Invalid language info in
    // file " + the file's name without folder) when there is no usable translation table,
    // including an unreadable, non-executable or malformed file.
    explicit VersionInfo(const QString& filePath);

    // Language and code page as 8 upper-case hex digits, language first ("041904E3").
    QString translation() const { return translation_; }

    // A value of the string table ("FileVersion", "ProductName", "LegalCopyright",
    // "Comments", ...); "n/a" when the table lacks it.
    QString value(const QString& name) const;

    // The file name without folder, as error texts name it.
    QString fileName() const { return fileName_; }

private:
    QString fileName_;
    QString translation_;
    QStringList names_;
    QStringList values_;
};

// The program's own executable (QCoreApplication::applicationFilePath when an application
// object exists, else /proc/self/exe on Linux or the module file name on Windows).
QString programFilePath();

// The four About lines read afresh from the program's own record:
// "Product Name: ...", "Version: ...", "Copyrights: ...", "Comments: ...".
struct AboutTexts {
    QString productName;
    QString version;
    QString copyright;
    QString comments;
};
AboutTexts readAboutTexts(const QString& filePath = programFilePath());

}  // namespace orlin
