#include "link/transcript.h"

#include <cstdio>
#include <ctime>
#include <deque>
#include <mutex>

#include "link/whole_file.h"

namespace orlin {

std::string TranscriptBytes(const std::string& bytes) {
    std::string out;
    char hex[8];
    for (unsigned char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 32 || c == 127) {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string TranscriptLine(std::chrono::system_clock::time_point when, char direction,
                           const std::string& bytes) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    const int ms = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() %
        1000);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, ms);
    return std::string(stamp) + ' ' + direction + ' ' + TranscriptBytes(bytes);
}

namespace transcript {

namespace {

struct Recording {
    std::mutex mu;
    bool active = false;
    std::string program;
    std::chrono::system_clock::time_point started;
    std::string model;
    std::deque<std::string> lines;
    size_t bytes = 0;
    size_t dropped = 0;
    std::string received;  // gathered since the last write
    std::chrono::system_clock::time_point receivedAt;
};

Recording& State() {
    static Recording recording;
    return recording;
}

// The model of a +CGMM answer: after "MODEL=" up to the next quote or line end.
void LearnModel(Recording& r, const std::string& bytes) {
    const size_t at = bytes.find("MODEL=");
    if (at == std::string::npos) return;
    const size_t from = at + 6;
    const size_t end = bytes.find_first_of("\"\r\n", from);
    const std::string model = bytes.substr(from, end == std::string::npos ? end : end - from);
    if (!model.empty()) r.model = TranscriptBytes(model);
}

void Add(Recording& r, std::string line) {
    r.bytes += line.size() + 1;
    r.lines.push_back(std::move(line));
    while (r.bytes > kMostBytes && r.lines.size() > 1) {
        r.bytes -= r.lines.front().size() + 1;
        r.lines.pop_front();
        ++r.dropped;
    }
}

void FlushReceived(Recording& r) {
    if (r.received.empty()) return;
    LearnModel(r, r.received);
    Add(r, TranscriptLine(r.receivedAt, '>', r.received));
    r.received.clear();
}

}  // namespace

void Start(const std::string& program) {
    Recording& r = State();
    std::lock_guard<std::mutex> lock(r.mu);
    r.active = true;
    r.program = program;
    r.started = std::chrono::system_clock::now();
    r.model.clear();
    r.lines.clear();
    r.bytes = 0;
    r.dropped = 0;
    r.received.clear();
}

void Stop() {
    Recording& r = State();
    std::lock_guard<std::mutex> lock(r.mu);
    FlushReceived(r);
    r.active = false;
}

bool Active() {
    Recording& r = State();
    std::lock_guard<std::mutex> lock(r.mu);
    return r.active;
}

void Sent(const std::string& bytes) {
    Recording& r = State();
    std::lock_guard<std::mutex> lock(r.mu);
    if (!r.active || bytes.empty()) return;
    FlushReceived(r);
    Add(r, TranscriptLine(std::chrono::system_clock::now(), '<', bytes));
}

void Received(const std::string& bytes) {
    Recording& r = State();
    std::lock_guard<std::mutex> lock(r.mu);
    if (!r.active || bytes.empty()) return;
    if (r.received.empty()) r.receivedAt = std::chrono::system_clock::now();
    r.received += bytes;
}

void Note(const std::string& text) {
    Recording& r = State();
    std::lock_guard<std::mutex> lock(r.mu);
    if (!r.active) return;
    FlushReceived(r);
    Add(r, TranscriptLine(std::chrono::system_clock::now(), '!', text));
}

std::string Text() {
    Recording& r = State();
    std::lock_guard<std::mutex> lock(r.mu);
    FlushReceived(r);
    std::string text =
        TranscriptLine(r.started, '!',
                       r.program + ", model " + (r.model.empty() ? "not asked" : r.model)) +
        "\n";
    if (r.dropped > 0)
        text += TranscriptLine(r.started, '!', std::to_string(r.dropped) + " older lines dropped") +
                "\n";
    for (const std::string& line : r.lines) text += line + "\n";
    return text;
}

void WriteTo(const std::string& path) {
    WriteWholeFile(path, Text());
}

}  // namespace transcript

}  // namespace orlin
