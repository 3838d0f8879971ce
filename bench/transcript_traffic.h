#pragma once
// What went over the line in a simulated phone's transcript (PhoneSimOptions::logFile): the
// lines "date time < bytes" (to the phone) and "date time > bytes" (from it), whose control
// bytes are escaped (\r, \n, \\, \xHH). The benchmarks compare their wall times with the time
// these bytes need on the wire.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

namespace orlin::bench {

struct Traffic {
    size_t toPhone = 0;
    size_t fromPhone = 0;
    size_t total() const { return toPhone + fromPhone; }
    // Seconds on the wire at 10 bits a byte.
    double wireSeconds(int baud) const { return static_cast<double>(total()) * 10.0 / baud; }
};

// The length of an escaped piece of the transcript as the bytes on the line.
inline size_t RawLength(const std::string& escaped) {
    size_t n = 0;
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\\' && i + 1 < escaped.size()) i += escaped[i + 1] == 'x' ? 3 : 1;
        ++n;
    }
    return n;
}

inline Traffic CountTraffic(const std::filesystem::path& transcript) {
    Traffic t;
    std::ifstream in(transcript);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 26) continue;
        const char direction = line[24];
        if (direction == '<') t.toPhone += RawLength(line.substr(26));
        if (direction == '>') t.fromPhone += RawLength(line.substr(26));
    }
    return t;
}

}  // namespace orlin::bench
