// Standard MIDI files to timed events: tempo changes, running status, several tracks,
// SMPTE time, the RIFF wrapper, and damaged files.

#include "theme/midi_file.h"

#include <gtest/gtest.h>

#include "tests/support/text.h"
#include "tests/theme/tone_data.h"

namespace orlin {
namespace {

using namespace orlin::test;

// The note-ons of a tone as (ms, channel, key).
std::vector<std::tuple<double, int, int>> NoteOns(const Tone& tone) {
    std::vector<std::tuple<double, int, int>> notes;
    for (const ToneEvent& e : tone.events) {
        if ((e.status & 0xF0) == 0x90 && e.data2 > 0)
            notes.emplace_back(e.ms, e.status & 0x0F, e.data1);
    }
    return notes;
}

TEST(MidiFile, TracksMergeInTimeByTheTempoMap) {
    const Tone tone = ParseTone(ShortMidi());
    EXPECT_EQ(tone.format, ToneFormat::Midi);
    EXPECT_DOUBLE_EQ(tone.lengthMs, 1250);
    EXPECT_EQ(tone.noteCount, 4);
    using N = std::tuple<double, int, int>;
    EXPECT_EQ(NoteOns(tone), (std::vector<N>{{0, 0, 60}, {0, 9, 36}, {500, 0, 64}, {1000, 0, 67}}));
    // Running status carries the note-on with velocity 0 that ends the second note at 880
    // ticks: 916.67 ms.
    bool found = false;
    for (const ToneEvent& e : tone.events)
        found |=
            e.status == 0x90 && e.data1 == 64 && e.data2 == 0 && std::abs(e.ms - 916.667) < 0.01;
    EXPECT_TRUE(found);
}

TEST(MidiFile, OtherTimingsAndWrappers) {
    // SMPTE: 25 frames of 40 ticks, so 1000 ticks a second; tempo events do not matter.
    const std::string smpte =
        MidiFile(0, 0xE728, {Track({{0, Bytes({0x90, 60, 90})}, {1500, Bytes({0x80, 60, 0})}})});
    EXPECT_DOUBLE_EQ(ParseTone(smpte).lengthMs, 1500);

    // RMID: the MIDI file inside a RIFF "data" chunk, after another chunk.
    const std::string inner = ShortMidi();
    const auto little = [](uint32_t v) {
        return Bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)});
    };
    const std::string rmid = "RIFF" + little(4 + 10 + 8 + inner.size()) + "RMID" + "INFO" +
                             little(1) + "x" + std::string(1, '\0') + "data" +
                             little(inner.size()) + inner;
    EXPECT_DOUBLE_EQ(ParseTone(rmid).lengthMs, 1250);

    // A track without its end event ends with its data; a chunk longer than the file ends
    // with the file; an unknown chunk is skipped; system exclusive is skipped.
    std::string open = Track({{0, Bytes({0xF0, 2, 0x7E, 0xF7})},
                              {0, Bytes({0x90, 60, 90})},
                              {960, Bytes({0x80, 60, 0})}},
                             false);
    const std::string file = MidiFile(0, 480, {"XTRA" + Big(2, 4) + "ab", open});
    EXPECT_DOUBLE_EQ(ParseTone(file).lengthMs, 1000);
    EXPECT_EQ(ParseTone(file).noteCount, 1);
}

TEST(MidiFile, DamagedFilesSayWhat) {
    const std::string good = ShortMidi();
    struct Case {
        std::string bytes;
        const char* what;
    };
    const Case cases[] = {
        {"MThd" + Big(6, 4) + Big(0, 2), "данные кончились"},
        {MidiFile(0, 0, {Track({})}), "нулевое деление"},
        {MidiFile(1, 480, {}), "нет дорожек"},
        {MidiFile(0, 480, {Track({{0, Bytes({60, 90})}})}), "байт данных без статуса"},
        {MidiFile(0, 480, {Track({{0, Bytes({0x90, 0x80, 90})}})}), "больше 127"},
        {MidiFile(0, 480, {Track({{0, Bytes({0xF4})}})}), "неизвестное событие"},
        {MidiFile(0, 480, {"MTrk" + Big(5, 4) + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x7F})}),
         "четырёх байтов"},
        {good.substr(0, good.size() - 6), "кончились посреди события"},
        {"RIFF" + Big(0, 4) + "RMID", "нет данных MIDI"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            ParseMidiFile(c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const EToneError& error) {
            EXPECT_NE(std::string(error.what()).find(c.what), std::string::npos) << error.what();
        }
    }
}

// A crafted file of far more events than any tune would hold the synthesizer for minutes:
// the tone keeps the first 250,000 and releases what sounds at the cut.
TEST(MidiFile, ATuneOfTooManyEventsIsCutWithARemark) {
    std::vector<std::pair<uint32_t, std::string>> events;
    for (uint32_t i = 0; i < 200000; ++i) {
        events.emplace_back(2 * i, Bytes({0x90, 60, 90}));
        events.emplace_back(2 * i + 1, Bytes({0x80, 60, 0}));
    }
    const Tone tone = ParseTone(MidiFile(0, 960, {Track(events)}));
    EXPECT_LE(tone.events.size(), kMostToneEvents + 1);
    EXPECT_GE(tone.events.size(), kMostToneEvents);
    ASSERT_EQ(tone.remarks.size(), 1u);
    EXPECT_NE(tone.remarks[0].find("событий"), std::string::npos);
    // Nothing sounds on after the end.
    int sounding = 0;
    for (const ToneEvent& e : tone.events) sounding += (e.status & 0xF0) == 0x90 ? 1 : -1;
    EXPECT_EQ(sounding, 0);
}

}  // namespace
}  // namespace orlin
