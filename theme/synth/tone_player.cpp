#include "theme/synth/tone_player.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "link/language.h"

namespace orlin {

namespace {

// ALSA writes its own complaints (no card, no such device) to standard error; the player
// says what matters in one line instead.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

std::vector<std::string>& Drivers() {
    static std::vector<std::string> drivers{"pulseaudio", "alsa"};
    return drivers;
}

}  // namespace

void SetAudioDrivers(std::vector<std::string> drivers) {
    Drivers() = std::move(drivers);
}

TonePlayer::TonePlayer() = default;

TonePlayer::~TonePlayer() {
    closeDevice();
}

void TonePlayer::open(const Tone& tone) {
    stop();
    tone_ = tone;
    open_ = true;
    if (synth_) synth_->setTone(tone_);
}

void TonePlayer::close() {
    stop();
    tone_ = Tone();
    open_ = false;
}

std::string TonePlayer::play() {
    if (!open_) return Tr("TonePlayer", "Мелодия не открыта.");
    stop();
    if (!synth_) {
        try {
            synth_ = std::make_unique<ToneSynth>(FindSoundFont());
        } catch (const ESynthError& error) {
            return error.what();
        }
        synth_->setTone(tone_);
    }
    // A library that reaches a JACK server must not start one.
    ::setenv("JACK_NO_START_SERVER", "1", 0);
    snd_lib_error_set_handler(QuietAlsa);
    for (const std::string& name : Drivers()) {
        if (fluid_settings_setstr(synth_->settings(), "audio.driver", name.c_str()) != FLUID_OK)
            continue;
        driver_ = new_fluid_audio_driver2(synth_->settings(), &TonePlayer::Render, this);
        if (driver_ != nullptr) return "";
    }
    return Tr("TonePlayer", "Нет звукового устройства.");
}

void TonePlayer::pause() {
    if (driver_ == nullptr) return;
    std::lock_guard<std::mutex> lock(mutex_);
    paused_ = !paused_;
    if (paused_) synth_->releaseNotes();
}

void TonePlayer::stop() {
    closeDevice();
    if (synth_) synth_->rewind();
    paused_ = false;
}

void TonePlayer::closeDevice() {
    // Not under the lock: deleting the driver waits for its thread, which takes the lock.
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
    driver_ = nullptr;
}

bool TonePlayer::isFinished() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return driver_ != nullptr && synth_->atEnd();
}

double TonePlayer::positionMs() const {
    if (!synth_ || !open_) return 0;
    std::lock_guard<std::mutex> lock(mutex_);
    const int64_t frames = std::min(synth_->positionFrames(), synth_->lengthFrames());
    return frames * 1000.0 / ToneSynth::kSampleRate;
}

int TonePlayer::Render(void* self, int frames, int, float*[], int nout, float* out[]) {
    auto* player = static_cast<TonePlayer*>(self);
    std::lock_guard<std::mutex> lock(player->mutex_);
    if (nout < 2) return FLUID_FAILED;
    ToneSynth& synth = *player->synth_;
    synth.render(out[0], out[1], frames, !player->paused_ && !synth.atEnd());
    for (int i = 2; i < nout; ++i) std::memset(out[i], 0, sizeof(float) * frames);
    return FLUID_OK;
}

}  // namespace orlin
