#include "theme/midi_file.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "link/language.h"

namespace orlin {

namespace {

[[noreturn]] void Fail(size_t offset, const std::string& utf8What) {
    throw EToneError(Tr("MidiFile", "Файл MIDI повреждён (байт ") + std::to_string(offset) +
                     "): " + utf8What);
}

class Reader {
public:
    Reader(std::string_view bytes, size_t start, size_t end)
        : bytes_(bytes), at_(start), end_(end) {}

    bool atEnd() const { return at_ >= end_; }
    size_t offset() const { return at_; }
    uint8_t byte() {
        if (atEnd()) Fail(at_, Tr("MidiFile", "данные кончились посреди события"));
        return static_cast<uint8_t>(bytes_[at_++]);
    }
    uint32_t big(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = (value << 8) | byte();
        return value;
    }
    uint32_t little(int count) {  // RIFF sizes
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) value |= uint32_t{byte()} << (8 * i);
        return value;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    uint32_t quantity() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = byte();
            value = (value << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return value;
        }
        Fail(at_, Tr("MidiFile", "число длиннее четырёх байтов"));
    }
    void skip(uint32_t count) {
        if (count > end_ - at_) Fail(at_, Tr("MidiFile", "данные кончились посреди события"));
        at_ += count;
    }

private:
    std::string_view bytes_;
    size_t at_;
    size_t end_;
};

struct TickEvent {
    uint64_t tick;
    ToneEvent event;
};

// The events of one track in ticks; returns the tick of its end.
uint64_t ReadTrack(Reader& reader, std::vector<TickEvent>& events,
                   std::map<uint64_t, uint32_t>& tempos) {
    uint64_t tick = 0;
    uint8_t running = 0;
    while (!reader.atEnd()) {
        tick += reader.quantity();
        uint8_t status = reader.byte();
        if (status == 0xFF) {
            const uint8_t type = reader.byte();
            const uint32_t length = reader.quantity();
            if (type == 0x2F) return tick;  // end of track
            if (type == 0x51 && length == 3) {
                tempos[tick] = reader.big(3);
            } else {
                reader.skip(length);
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            reader.skip(reader.quantity());
            running = 0;
            continue;
        }
        uint8_t first;
        if (status < 0x80) {
            if (running == 0) Fail(reader.offset() - 1, Tr("MidiFile", "байт данных без статуса"));
            first = status;
            status = running;
        } else if (status >= 0xF0) {
            Fail(reader.offset() - 1, Tr("MidiFile", "неизвестное событие"));
        } else {
            first = reader.byte();
            running = status;
        }
        ToneEvent event{0, status, first, 0};
        const uint8_t kind = status & 0xF0;
        if (kind != 0xC0 && kind != 0xD0) event.data2 = reader.byte();
        if ((event.data1 | event.data2) & 0x80)
            Fail(reader.offset() - 1, Tr("MidiFile", "байт данных больше 127"));
        events.push_back({tick, event});
    }
    return tick;  // a track without its end event ends with its data
}

}  // namespace

Tone ParseMidiFile(std::string_view bytes) {
    size_t start = 0;
    if (bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "RMID") {
        // RIFF: the "data" chunk holds the MIDI file.
        size_t at = 12;
        while (at + 8 <= bytes.size() && bytes.substr(at, 4) != "data") {
            Reader size(bytes, at + 4, at + 8);
            const uint32_t length = size.little(4);
            at += 8 + uint64_t{length} + (length & 1);
        }
        if (at + 8 > bytes.size()) Fail(12, Tr("MidiFile", "в файле RMID нет данных MIDI"));
        start = at + 8;
    }
    Reader header(bytes, start, bytes.size());
    if (bytes.substr(start, 4) != "MThd") Fail(start, Tr("MidiFile", "нет заголовка MThd"));
    header.skip(4);
    const uint32_t headerLength = header.big(4);
    if (headerLength < 6) Fail(start + 4, Tr("MidiFile", "заголовок короче 6 байтов"));
    header.big(2);  // format: 0, 1 and 2 are all read as one merged piece
    const uint32_t trackCount = header.big(2);
    const uint32_t division = header.big(2);
    if (division == 0) Fail(start + 12, Tr("MidiFile", "нулевое деление четверти"));
    header.skip(headerLength - 6);

    std::vector<TickEvent> events;
    std::map<uint64_t, uint32_t> tempos;
    uint64_t endTick = 0;
    uint32_t tracksRead = 0;
    size_t at = header.offset();
    while (tracksRead < trackCount && at + 8 <= bytes.size()) {
        Reader chunk(bytes, at + 4, at + 8);
        const uint32_t length = chunk.big(4);
        // A chunk that claims more than the file holds ends with the file.
        const size_t end = std::min<size_t>(bytes.size(), at + 8 + uint64_t{length});
        if (bytes.substr(at, 4) == "MTrk") {  // other chunks are skipped
            Reader reader(bytes, at + 8, end);
            endTick = std::max(endTick, ReadTrack(reader, events, tempos));
            ++tracksRead;
        }
        at = end;
    }
    if (tracksRead == 0) Fail(at, Tr("MidiFile", "в файле нет дорожек MTrk"));

    // Ticks to milliseconds: by the tempo map (500000 us a quarter until the first change),
    // or by SMPTE frames when the division says so.
    struct Segment {
        uint64_t tick;
        double ms;
        uint32_t tempo;
    };
    std::vector<Segment> segments{{0, 0.0, 500000}};
    for (const auto& [tick, tempo] : tempos) {
        const Segment& last = segments.back();
        segments.push_back(
            {tick, last.ms + (tick - last.tick) * double(last.tempo) / 1000.0 / division, tempo});
    }
    const auto toMs = [&](uint64_t tick) {
        if (division & 0x8000) {
            const int fps = 256 - ((division >> 8) & 0xFF);
            const int perFrame = division & 0xFF;
            return perFrame == 0 ? 0.0 : tick * 1000.0 / (fps * perFrame);
        }
        const auto after =
            std::upper_bound(segments.begin(), segments.end(), tick,
                             [](uint64_t t, const Segment& s) { return t < s.tick; });
        const Segment& s = *(after - 1);
        return s.ms + (tick - s.tick) * double(s.tempo) / 1000.0 / division;
    };

    Tone tone;
    tone.format = ToneFormat::Midi;
    std::stable_sort(events.begin(), events.end(),
                     [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
    tone.events.reserve(events.size());
    for (TickEvent& e : events) {
        e.event.ms = toMs(e.tick);
        tone.events.push_back(e.event);
    }
    tone.lengthMs = toMs(endTick);
    FinishTone(tone);
    return tone;
}

}  // namespace orlin
