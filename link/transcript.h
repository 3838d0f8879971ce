#pragma once
// The transcript of a run's dialogue with the phone, for a bug report: every byte sent to the
// phone and received from it, time-stamped, one line per write and per answer, in the form the
// simulated phone's own --log writes:
//
//   2026-12-07 18:02:11.042 ! orlin-cli 1.4.0, model C350
//   2026-12-07 18:02:11.050 < AT+CGMM\r
//   2026-12-07 18:02:11.061 > AT+CGMM\r\r\n+CGMM: "GSM900",...\r\n\r\nOK\r\n
//
// '<' is what went to the phone, '>' what came from it, '!' a note. CR, LF, the backslash and
// other control bytes are written as \r, \n, \\ and \xNN. Once started it records what every
// port object of the process sends and receives. It holds the phone's contents (names,
// numbers, messages), so it is kept in memory and written only where the user asks.

#include <chrono>
#include <cstddef>
#include <string>

namespace orlin {

// The bytes as a transcript line shows them.
std::string TranscriptBytes(const std::string& bytes);
// One line: the local time with milliseconds, the direction and the bytes (without line end).
std::string TranscriptLine(std::chrono::system_clock::time_point when, char direction,
                           const std::string& bytes);

namespace transcript {

// Starts recording for the whole process; `program` names the program and its version
// ("orlin-cli 1.4.0"). A second Start begins anew.
void Start(const std::string& program);
void Stop();
bool Active();

// What a port object wrote to the phone and read from it. What is received is gathered
// until the next write (or note, or Text()), so that one answer makes one line.
void Sent(const std::string& bytes);
void Received(const std::string& bytes);
void Note(const std::string& text);

// The transcript so far, every line ended by LF; its first line names the program and the
// model the phone gave for AT+CGMM ("model not asked" when no answer named one).
std::string Text();

// Writes Text() to `path` (a UTF-8 file name) as a whole; raises EInOutError as WriteWholeFile
// does.
void WriteTo(const std::string& path);

// The most bytes kept; older lines make way (and the transcript says how many went).
inline constexpr size_t kMostBytes = 32 * 1024 * 1024;

}  // namespace transcript

}  // namespace orlin
