#include "link/remembered_options.h"

#include <mutex>
#include <set>
#include <vector>

#include "link/errors.h"
#include "link/whole_file.h"

namespace orlin {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string ReadOrEmpty(const std::string& file) {
    try {
        return ReadWholeFile(file);
    } catch (const OrlinError&) {
        return std::string();
    }
}

bool IsKeyLine(const std::string& line, const std::string& key) {
    return line.size() > key.size() && line.compare(0, key.size(), key) == 0 &&
           line[key.size()] == '=';
}

}  // namespace

std::string RememberedOption(const std::string& key, const std::string& fallback,
                             const std::string& file) {
    for (const std::string& line : Lines(ReadOrEmpty(file)))
        if (IsKeyLine(line, key)) return line.substr(key.size() + 1);
    return fallback;
}

void RememberOption(const std::string& key, const std::string& value, const std::string& file) {
    std::string text;
    bool replaced = false;
    for (const std::string& line : Lines(ReadOrEmpty(file))) {
        if (IsKeyLine(line, key)) {
            if (replaced) continue;
            text += key + "=" + value + "\r\n";
            replaced = true;
        } else {
            text += line + "\r\n";
        }
    }
    if (!replaced) text += key + "=" + value + "\r\n";
    WriteWholeFile(file, text);
}

namespace {

struct Said {
    std::mutex mu;
    std::set<std::string> keys;
};

Said& SaidInRun() {
    static Said said;
    return said;
}

}  // namespace

bool FirstTimeInRun(const std::string& key) {
    Said& said = SaidInRun();
    std::lock_guard<std::mutex> lock(said.mu);
    return said.keys.insert(key).second;
}

void ForgetFirstTimes() {
    Said& said = SaidInRun();
    std::lock_guard<std::mutex> lock(said.mu);
    said.keys.clear();
}

}  // namespace orlin
