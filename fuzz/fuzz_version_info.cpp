// The version-record reader over any file: the ELF header, the section table, the section
// names, the record. It must return (or raise EReadError) on every file, however crafted,
// within the time its size allows.

#include <QString>
#include <string>

#include "fuzz/fuzz_support.h"
#include "ui/version_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const QString path = QString::fromStdString(fuzz::InputFile(data, size));
    try {
        const VersionInfo info(path);
        info.value(QStringLiteral("ProductName"));
        info.value(QStringLiteral("Comments"));
    } catch (const EReadError&) {
    }
    return 0;
}
