// The synthesizer: tones rendered to WAV files of the tune's length that are not silent, the
// sound font lookup, and the player on a machine without an audio device.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cmath>

#include "tests/support/text.h"
#include "tests/theme/tone_data.h"
#include "theme/imelody.h"
#include "theme/synth/tone_player.h"
#include "theme/synth/tone_synth.h"

namespace orlin {
namespace {

using namespace orlin::test;

struct Wav {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    size_t frames = 0;
    double rms = 0;  // of the whole file, 1.0 = full scale
};

uint32_t Little(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | uint8_t(bytes[at + i]);
    return value;
}

Wav ReadWav(const std::string& bytes) {
    Wav wav;
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Little(bytes, 4, 4), bytes.size() - 8);
    wav.channels = int(Little(bytes, 22, 2));
    wav.rate = int(Little(bytes, 24, 4));
    wav.bits = int(Little(bytes, 34, 2));
    EXPECT_EQ(bytes.substr(36, 4), "data");
    const uint32_t size = Little(bytes, 40, 4);
    EXPECT_EQ(size, bytes.size() - 44);
    wav.frames = size / 4;
    double sum = 0;
    for (size_t at = 44; at + 1 < bytes.size(); at += 2) {
        const double sample = int16_t(Little(bytes, at, 2)) / 32768.0;
        sum += sample * sample;
    }
    wav.rms = size == 0 ? 0 : std::sqrt(sum / (size / 2));
    return wav;
}

TEST(Synth, RenderedTonesLastAsLongAsTheTuneAndSound) {
    const std::string font = FindSoundFont();
    struct Case {
        const char* label;
        Tone tone;
        double lengthMs;
    };
    const Case cases[] = {
        {"MIDI: two channels, a tempo change", ParseTone(ShortMidi()), 1250},
        {"iMelody with a repeat",
         ParseIMelody("BEGIN:IMELODY\r\nBEAT:160\r\nMELODY:*4c3e3g3(*5c3*4g3@2)e2\r\n"
                      "END:IMELODY\r\n"),
         1687.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Wav wav = ReadWav(RenderWav(c.tone, font));
        EXPECT_EQ(wav.channels, 2);
        EXPECT_EQ(wav.rate, 44100);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_EQ(wav.frames, size_t(std::llround(c.lengthMs * 44.1)));
        EXPECT_GT(wav.rms, 0.01);
    }
    // Rests alone give silence of the right length: the measure tells sound from none.
    const Wav rests =
        ReadWav(RenderWav(ParseIMelody("BEGIN:IMELODY\r\nMELODY:r2r3\r\nEND:IMELODY\r\n"), font));
    EXPECT_EQ(rests.frames, size_t(std::llround(750 * 44.1)));
    EXPECT_LT(rests.rms, 1e-4);
}

TEST(Synth, TheSoundFontComesFromOrlinSoundfontOrTheSystem) {
    const std::string system = FindSoundFont();
    ::setenv("ORLIN_SOUNDFONT", "/nonexistent/font.sf2", 1);
    try {
        FindSoundFont();
        ADD_FAILURE() << "no error";
    } catch (const ESynthError& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/font.sf2"), std::string::npos);
    }
    ::setenv("ORLIN_SOUNDFONT", system.c_str(), 1);
    EXPECT_EQ(FindSoundFont(), system);
    // A file that is no sound font fails to load with a message, not a crash.
    ::setenv("ORLIN_SOUNDFONT", "/etc/hostname", 1);
    EXPECT_THROW(ToneSynth{FindSoundFont()}, ESynthError);
    ::unsetenv("ORLIN_SOUNDFONT");
}

TEST(Synth, WithoutAnAudioDeviceThePlayerSaysSoAndStaysUsable) {
    const Tone tone = ParseTone(ShortMidi());
    TonePlayer player;
    EXPECT_NE(player.play(), "");  // nothing open yet
    player.open(tone);
    EXPECT_DOUBLE_EQ(player.lengthMs(), 1250);

    SetAudioDrivers({});
    EXPECT_EQ(player.play(), "Нет звукового устройства.");
    EXPECT_FALSE(player.isPlaying());
    player.pause();
    player.stop();
    EXPECT_EQ(player.positionMs(), 0);

    // The system's own drivers: on a machine without sound they fail quickly; with sound the
    // tone plays and stops.
    SetAudioDrivers({"pulseaudio", "alsa"});
    const auto start = std::chrono::steady_clock::now();
    const std::string why = player.play();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(why.empty() || why == "Нет звукового устройства.") << why;
    EXPECT_EQ(player.isPlaying(), why.empty());
    player.pause();
    EXPECT_FALSE(player.isPlaying());
    player.stop();
    EXPECT_FALSE(player.isPlaying() || player.isPaused());
    EXPECT_EQ(player.positionMs(), 0);
    player.close();
    EXPECT_EQ(player.lengthMs(), 0);
}

}  // namespace
}  // namespace orlin
