#pragma once
// The synthesizer: FluidSynth with a General MIDI sound font, fed a tone's events at their
// sample frames. The player sends what it renders to the audio device; RenderWav keeps it in
// a WAV file, so the two sound alike.

#include <cstdint>
#include <string>
#include <vector>

#include "theme/tone.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;

namespace orlin {

// A synthesizer that cannot start or play: no sound font, no audio device.
class ESynthError : public OrlinError {
public:
    using OrlinError::OrlinError;
};

// The sound font to play with: the file ORLIN_SOUNDFONT names, else the first General MIDI
// sound font found in the usual Debian places (default-GM.sf2, TimGM6mb.sf2, FluidR3_GM.sf2
// under /usr/share/sounds/sf2, then sf3 and /usr/share/soundfonts). Raises ESynthError when
// ORLIN_SOUNDFONT names no file, or when none is found.
std::string FindSoundFont();

// The last thing FluidSynth complained about (its own messages are kept off standard error).
std::string LastSynthMessage();

class ToneSynth {
public:
    static constexpr int kSampleRate = 44100;

    // Loads the sound font; raises ESynthError when it cannot.
    explicit ToneSynth(const std::string& soundFont);
    ~ToneSynth();
    ToneSynth(const ToneSynth&) = delete;
    ToneSynth& operator=(const ToneSynth&) = delete;

    // The tone to play, from its start.
    void setTone(const Tone& tone);
    // Back to the start: every sound ends, programs and controllers are reset.
    void rewind();
    // Every note still sounding is released (a pause).
    void releaseNotes();

    // Renders `frames` frames into the two channels. With `advance`, the tune goes on and its
    // events are played at their frames; without (paused, or after the end), only what still
    // sounds is rendered.
    void render(float* left, float* right, int frames, bool advance);

    int64_t positionFrames() const { return position_; }
    int64_t lengthFrames() const { return length_; }
    bool atEnd() const { return position_ >= length_; }

    // The settings the synthesizer was made with (an audio driver must use the same).
    _fluid_hashtable_t* settings() const { return settings_; }

private:
    void play(const ToneEvent& event);

    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    struct Timed {
        int64_t frame;
        ToneEvent event;
    };
    std::vector<Timed> events_;
    size_t next_ = 0;
    int64_t position_ = 0;
    int64_t length_ = 0;
};

// The tone rendered to a 16-bit stereo WAV file of exactly the tone's length.
std::string RenderWav(const Tone& tone, const std::string& soundFont);

}  // namespace orlin
