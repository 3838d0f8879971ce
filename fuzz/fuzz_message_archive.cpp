// The message archive reader: the lines of a file (CR LF, CR or LF ended, the last one
// maybe not), each cut into number, date/time and text.
//   A message read from a line writes the same line back, and reading that gives the same
//   message.

#include <cstdlib>
#include <string>

#include "messages/message_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : ArchiveLines(bytes)) {
        if (line.find_first_of("\r\n") != std::string::npos) std::abort();
        const TArchiveSMS message = SplitArchiveLine(line);
        const std::string written = ArchiveLine(message);
        if (written.find_first_of("\r\n") != std::string::npos) std::abort();
        if (SplitArchiveLine(written) != message) std::abort();
    }
    ParseArchive(bytes);
    return 0;
}
