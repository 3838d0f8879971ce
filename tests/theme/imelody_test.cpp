// The iMelody parser: real-world forms to timed notes, and malformed texts to errors that
// name the line.

#include "theme/imelody.h"

#include <gtest/gtest.h>

#include "tests/support/text.h"

namespace orlin {
namespace {

using test::W;

struct Note {
    double start;
    int key;
    double length;  // how long it sounds
    int velocity = 59;
};

// The sounding notes of a tone, each note-on with its note-off.
std::vector<Note> NotesOf(const Tone& tone) {
    std::vector<Note> notes;
    for (size_t i = 0; i < tone.events.size(); ++i) {
        const ToneEvent& on = tone.events[i];
        if ((on.status & 0xF0) != 0x90 || on.data2 == 0) continue;
        for (size_t j = i + 1; j < tone.events.size(); ++j) {
            const ToneEvent& off = tone.events[j];
            if ((off.status & 0xF0) == 0x80 && off.data1 == on.data1) {
                notes.push_back({on.ms, on.data1, off.ms - on.ms, on.data2});
                break;
            }
        }
    }
    return notes;
}

std::string Melody(const std::string& headers, const std::string& melody,
                   const char* eol = "\r\n") {
    return "BEGIN:IMELODY" + std::string(eol) + "VERSION:1.2" + eol + "FORMAT:CLASS1.0" + eol +
           headers + "MELODY:" + melody + eol + "END:IMELODY" + eol;
}

TEST(IMelody, NotesGetTheirKeysTimesAndLengths) {
    // BEAT 120: a whole note is 2000 ms; STYLE S1 sounds each note to its end.
    const std::string s1 = "BEAT:120\r\nSTYLE:S1\r\n";
    struct Case {
        const char* label;
        std::string text;
        std::vector<Note> notes;
        double length;
    };
    const Case cases[] = {
        {"durations 0 to 5",
         Melody(s1, "a0a1a2a3a4a5"),
         {{0, 81, 2000},
          {2000, 81, 1000},
          {3000, 81, 500},
          {3500, 81, 250},
          {3750, 81, 125},
          {3875, 81, 62.5}},
         3937.5},
        {"dotted, double dotted, triplet",
         Melody(s1, "c2.c2:c2;"),
         {{0, 72, 750}, {750, 72, 875}, {1625, 72, 1000.0 / 3}},
         1625 + 1000.0 / 3},
        {"octave prefixes hold for the notes after them; sharps and flats",
         Melody(s1, "*0c3*8c3d3#f3&b3*4#c3&d3b3"),
         {{0, 24, 250},
          {250, 120, 250},
          {500, 122, 250},
          {750, 126, 250},
          {1000, 118, 250},
          {1250, 73, 250},
          {1500, 73, 250},
          {1750, 83, 250}},
         2000},
        {"a key above the MIDI range sounds an octave lower",
         Melody(s1, "*8b3"),
         {{0, 119, 250}},
         250},
        {"rests take time, lights and vibration take none",
         Melody(s1, "c2 r2 ledon vibeon backon c2 ledoff vibeoff backoff r5"),
         {{0, 72, 500}, {1000, 72, 500}},
         1562.5},
        {"a repeat block plays its count, other BEAT",
         Melody("BEAT:240\r\nSTYLE:S1\r\n", "(c3d3@3)e2"),
         {{0, 72, 125},
          {125, 74, 125},
          {250, 72, 125},
          {375, 74, 125},
          {500, 72, 125},
          {625, 74, 125},
          {750, 76, 250}},
         1000},
        {"@0 (for ever) plays once", Melody(s1, "(c2@0)d2"), {{0, 72, 500}, {500, 74, 500}}, 1000},
        {"S0 leaves a gap, S2 sounds half",
         Melody("STYLE:S2\r\n", "c2d2"),
         {{0, 72, 250}, {500, 74, 250}},
         1000},
        {"defaults: BEAT 120, S0, V7", Melody("", "c2"), {{0, 72, 450}}, 500},
        {"volume: V15, V-, V0 is silent but takes time, V+ after each pass",
         Melody(s1, "V15c3V-c3V0c3(c3@2V+)"),
         {{0, 72, 250, 127}, {250, 72, 250, 119}, {1000, 72, 250, 8}},
         1250},
        {"LF line ends, lower-case keys, NAME and COMPOSER, folded melody",
         "begin:imelody\nversion:1.2\nformat:CLASS1.0\nNAME:Test\nCOMPOSER:Me\nbeat:120\n"
         "style:S1\nmelody:c2\n d2\ne2:f2\nEND:IMELODY\n",
         {{0, 72, 500}, {500, 74, 500}, {1000, 76, 875}, {1875, 77, 500}},
         2375},
        {"lone CR line ends, blank lines and a UTF-8 mark",
         "\xEF\xBB\xBF"
         "BEGIN:IMELODY\r\rBEAT:120\rSTYLE:S1\rMELODY:c2\rEND:IMELODY",
         {{0, 72, 500}},
         500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Tone tone = ParseIMelody(c.text);
        EXPECT_EQ(tone.format, ToneFormat::IMelody);
        EXPECT_DOUBLE_EQ(tone.lengthMs, c.length);
        const std::vector<Note> notes = NotesOf(tone);
        ASSERT_EQ(notes.size(), c.notes.size());
        EXPECT_EQ(tone.noteCount, static_cast<int>(c.notes.size()));
        for (size_t i = 0; i < notes.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(notes[i].start, c.notes[i].start, 1e-6);
            EXPECT_EQ(notes[i].key, c.notes[i].key);
            EXPECT_NEAR(notes[i].length, c.notes[i].length, 1e-6);
            EXPECT_EQ(notes[i].velocity, c.notes[i].velocity);
        }
    }
}

TEST(IMelody, LongTunesAreCutAtTenMinutesAndEndlessBlocksEnd) {
    // BEAT 25: a whole note lasts 9.6 s, so 100 of them would last 16 minutes.
    const Tone cut = ParseIMelody(Melody("BEAT:25\r\nSTYLE:S1\r\n", "(c0@100)"));
    EXPECT_EQ(cut.lengthMs, kLongestToneMs);
    const std::vector<Note> notes = NotesOf(cut);
    ASSERT_EQ(notes.size(), 63u);  // 62 whole notes and the one sounding at the cut
    EXPECT_DOUBLE_EQ(notes.back().start + notes.back().length, kLongestToneMs);
    ASSERT_EQ(cut.remarks.size(), 1u);
    EXPECT_NE(cut.remarks[0].find("10 минут"), std::string::npos);

    // A block of lights alone takes no time and must not loop; a huge count is bounded too.
    const Tone lights = ParseIMelody(Melody("", "(ledon ledoff@999999999)c2"));
    EXPECT_EQ(NotesOf(lights).size(), 1u);
    const Tone endless = ParseIMelody(Melody("BEAT:900\r\n", "((c5@1000000)@1000000)"));
    EXPECT_EQ(endless.lengthMs, kLongestToneMs);
}

TEST(IMelody, MalformedTextsNameTheLine) {
    struct Case {
        std::string text;
        const char* where;
    };
    const Case cases[] = {
        {"BEGIN:IMELODY\r\nMELODY:c2\r\n", "строка 2: нет строки END:IMELODY"},
        {"VERSION:1.2\r\nBEGIN:IMELODY\r\n", "строка 1: нет строки BEGIN:IMELODY"},
        {"BEGIN:IMELODY\r\nVERSION:1.2\r\nEND:IMELODY\r\n", "строка 3: нет строки MELODY"},
        {Melody("", "c2x2"), "строка 4: знак 10, непонятный знак «x»"},
        {Melody("", "c2\r\n ex"), "строка 5: знак 2, нужна длительность 0-5"},
        {Melody("", "(c2d2"), "строка 4: знак 12, блок повтора не закрыт (нет «@n)»)"},
        {Melody("", "(c2@x)"), "после «@» нужно число повторов"},
        {Melody("", "c2)"), "«)» без «(»"},
        {Melody("", "*9c2"), "октава 0-8"},
        {Melody("", "#x2"), "после «#» или «&» нужна нота"},
        {Melody("", "V16c2"), "V0-V15"},
        {Melody("BEAT:1000\r\n", "c2"), "строка 4: BEAT должен быть числом 25-900"},
        {Melody("STYLE:S3\r\n", "c2"), "строка 4: STYLE должен быть S0-S2"},
        {"BEGIN:IMELODY\r\nsome garbage\r\nMELODY:c2\r\nEND:IMELODY\r\n",
         "строка 2: непонятная строка «some garbage»"},
        {"BEGIN:IMELODY\r\nMELODY:c2\r\nMELODY:d2\r\nEND:IMELODY\r\n",
         "строка 3: вторая строка MELODY"},
        // 40,000 nested blocks overflowed the stack; the depth is bounded.
        {Melody("", std::string(40000, '(') + "c2"),
         "строка 4: знак 24, блоки повтора вложены глубже 16 уровней"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        try {
            ParseIMelody(c.text);
            ADD_FAILURE() << "no error";
        } catch (const EToneError& error) {
            EXPECT_NE(std::string(error.what()).find(c.where), std::string::npos) << error.what();
        }
    }
    std::string sixteen = std::string(16, '(') + "c2";
    for (int i = 0; i < 16; ++i) sixteen += "@1)";
    EXPECT_EQ(ParseIMelody(Melody("", sixteen)).noteCount, 1);
    EXPECT_THROW(ParseTone("just some text\r\n"), EToneError);
    EXPECT_THROW(ParseTone(""), EToneError);
}

}  // namespace
}  // namespace orlin
