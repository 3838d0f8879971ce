#pragma once
// The ring-tone player: a tone played through the synthesizer to the system's usual audio
// output (PulseAudio, else ALSA; never a JACK server). The audio device is opened by Play
// and closed by Stop and at the end; without a device the player says so and stays usable.
// Its state is only touched from one thread (the window's); the device's thread only renders.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "theme/synth/tone_synth.h"

struct _fluid_audio_driver_t;

namespace orlin {

// The FluidSynth audio drivers tried in order (default: pulseaudio, alsa). An empty list
// means that there is no audio device (for tests and machines without sound).
void SetAudioDrivers(std::vector<std::string> drivers);

class TonePlayer {
public:
    TonePlayer();
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    // The tone to play next (what played before stops); position 0.
    void open(const Tone& tone);
    // Forgets the tone: nothing to play, length 0.
    void close();
    bool isOpen() const { return open_; }
    double lengthMs() const { return open_ ? tone_.lengthMs : 0; }

    // Plays the tone from its start. Returns "" when it plays, else why not:
    // "Нет звукового устройства.", a missing sound font, no tone open.
    std::string play();
    // Pauses a playing tone, or goes on with a paused one.
    void pause();
    // Stops, back to the start, and closes the audio device.
    void stop();

    bool isPlaying() const { return driver_ != nullptr && !paused_; }
    bool isPaused() const { return driver_ != nullptr && paused_; }
    // The tune has been played to its end (the device is still open until stop()).
    bool isFinished() const;
    double positionMs() const;

private:
    static int Render(void* self, int frames, int nfx, float* fx[], int nout, float* out[]);
    void closeDevice();

    Tone tone_;
    bool open_ = false;
    std::unique_ptr<ToneSynth> synth_;
    _fluid_audio_driver_t* driver_ = nullptr;
    bool paused_ = false;
    mutable std::mutex mutex_;  // the synthesizer's position, shared with the device's thread
};

}  // namespace orlin
