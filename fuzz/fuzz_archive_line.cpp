// The archive's line decoder and writer: a line is UTF-8 when it is well-formed UTF-8 holding
// a byte beyond ASCII, else Windows-1251.
//   Any bytes decode to well-formed UTF-8, and bytes that are not well-formed UTF-8 decode as
//   Windows-1251 always did.
//   Any UTF-8 text written as a line reads back as the same text (line breaks as blanks), and
//   a line Windows-1251 holds is written as its Windows-1251 bytes unless those would read
//   back as something else.

#include <cstdlib>
#include <string>

#include "link/cp1251.h"
#include "link/utf8.h"
#include "messages/message_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Utf8Text text = ArchiveLineText(bytes);
    if (!IsWellFormedUtf8(text)) std::abort();
    if (!IsWellFormedUtf8(bytes) && text != Cp1251ToUtf8(bytes)) std::abort();

    if (!IsWellFormedUtf8(bytes)) return 0;
    const TArchiveSMS message{"+79111234567", "2006/12/26,09:05:07", bytes};
    const std::string line = ArchiveLine(message);
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();
    const TArchiveSMS read = SplitArchiveLine(line);
    std::string flat;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        flat += bytes[i] == '\r' || bytes[i] == '\n' ? ' ' : bytes[i];
    }
    if (read.number != message.number || read.dateTime != message.dateTime || read.text != flat)
        std::abort();
    const Utf8Text whole = message.number + ";" + message.dateTime + ";" + flat;
    if (FitsCp1251(whole) && ArchiveLineText(Utf8ToCp1251(whole)) == whole &&
        line != Utf8ToCp1251(whole))
        std::abort();
    return 0;
}
