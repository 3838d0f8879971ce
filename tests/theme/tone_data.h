#pragma once
// Small MIDI files for the tests, written out event by event.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orlin::test {

inline std::string Big(uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

inline std::string Quantity(uint32_t value) {
    std::string out(1, static_cast<char>(value & 0x7F));
    while (value >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    return out;
}

// One track from (tick, raw bytes) in time order; `end` adds the end-of-track event.
inline std::string Track(const std::vector<std::pair<uint32_t, std::string>>& events,
                         bool end = true) {
    std::string data;
    uint32_t last = 0;
    for (const auto& [tick, bytes] : events) {
        data += Quantity(tick - last) + bytes;
        last = tick;
    }
    if (end) data += std::string("\x00\xFF\x2F\x00", 4);
    return "MTrk" + Big(static_cast<uint32_t>(data.size()), 4) + data;
}

inline std::string MidiFile(int format, uint16_t division, const std::vector<std::string>& tracks) {
    std::string file =
        "MThd" + Big(6, 4) + Big(format, 2) + Big(tracks.size(), 2) + Big(division, 2);
    for (const std::string& track : tracks) file += track;
    return file;
}

inline std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

// Two quarter notes at 120 a minute and a third after a change to 240: 0, 500 and 1000 ms,
// the end at 1250 ms; melody on channel 0, one drum on channel 9.
inline std::string ShortMidi() {
    const std::string tempo = Track({{0, Bytes({0xFF, 0x51, 3, 0x07, 0xA1, 0x20})},
                                     {960, Bytes({0xFF, 0x51, 3, 0x03, 0xD0, 0x90})}});
    const std::string melody = Track({{0, Bytes({0xC0, 0})},
                                      {0, Bytes({0x90, 60, 100})},
                                      {400, Bytes({0x80, 60, 0})},
                                      {480, Bytes({0x90, 64, 100})},
                                      {880, Bytes({64, 0})},  // running status, velocity 0
                                      {960, Bytes({0x90, 67, 100})},
                                      {1440, Bytes({0x80, 67, 0})}});
    const std::string drum = Track({{0, Bytes({0x99, 36, 90})}, {240, Bytes({0x89, 36, 0})}});
    return MidiFile(1, 480, {tempo, melody, drum});
}

}  // namespace orlin::test
