#include "theme/synth/tone_synth.h"

#include <fluidsynth.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <mutex>

#include "link/language.h"

namespace orlin {

namespace {

std::mutex logMutex;
std::string lastMessage;

void KeepMessage(int level, const char* message, void*) {
    if (level > FLUID_WARN || message == nullptr) return;
    std::lock_guard<std::mutex> lock(logMutex);
    lastMessage = message;
}

// FluidSynth writes its complaints to standard error unless told otherwise.
void QuietLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, KeepMessage, nullptr);
    });
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void PutLittle(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string FindSoundFont() {
    if (const char* named = std::getenv("ORLIN_SOUNDFONT"); named != nullptr && *named != '\0') {
        if (IsFile(named)) return named;
        throw ESynthError(
            std::string(Tr("ToneSynth", "Нет звукового шрифта, названного в ORLIN_SOUNDFONT: ")) +
            named);
    }
    static const char* const kPlaces[] = {
        "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/soundfonts/default.sf2",    "/usr/share/soundfonts/FluidR3_GM.sf2",
    };
    for (const char* place : kPlaces) {
        if (IsFile(place)) return place;
    }
    throw ESynthError(
        Tr("ToneSynth",
           "Нет звукового шрифта General MIDI (пакет timgm6mb-soundfont или файл .sf2 "
           "в ORLIN_SOUNDFONT)"));
}

std::string LastSynthMessage() {
    std::lock_guard<std::mutex> lock(logMutex);
    return lastMessage;
}

ToneSynth::ToneSynth(const std::string& soundFont) {
    QuietLog();
    // A sound font is a RIFF "sfbk" file (.sf2, .sf3); anything else is refused before the
    // library tries its other readers on it.
    char head[12] = {};
    std::ifstream(soundFont, std::ios::binary).read(head, sizeof head);
    if (std::string(head, 4) != "RIFF" || std::string(head + 8, 4) != "sfbk")
        throw ESynthError(Tr("ToneSynth", "Это не звуковой шрифт SoundFont: ") + soundFont);
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
    // A ring tone is one or a few voices: louder than the default, which is made for a band.
    fluid_settings_setnum(settings_, "synth.gain", 0.6);
    synth_ = new_fluid_synth(settings_);
    if (synth_ == nullptr || fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
        const std::string why = LastSynthMessage();
        if (synth_ != nullptr) delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
        throw ESynthError(Tr("ToneSynth", "Не удалось загрузить звуковой шрифт ") + soundFont +
                          (why.empty() ? "" : ": " + why));
    }
}

ToneSynth::~ToneSynth() {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

void ToneSynth::setTone(const Tone& tone) {
    events_.clear();
    events_.reserve(tone.events.size());
    for (const ToneEvent& event : tone.events)
        events_.push_back({std::llround(event.ms * kSampleRate / 1000.0), event});
    length_ = std::llround(tone.lengthMs * kSampleRate / 1000.0);
    rewind();
}

void ToneSynth::rewind() {
    fluid_synth_system_reset(synth_);
    next_ = 0;
    position_ = 0;
}

void ToneSynth::releaseNotes() {
    for (int channel = 0; channel < 16; ++channel) fluid_synth_all_notes_off(synth_, channel);
}

void ToneSynth::play(const ToneEvent& e) {
    const int channel = e.status & 0x0F;
    switch (e.status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, e.data1);
            break;
        case 0x90:
            if (e.data2 == 0) {
                fluid_synth_noteoff(synth_, channel, e.data1);
            } else {
                fluid_synth_noteon(synth_, channel, e.data1, e.data2);
            }
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, e.data1, e.data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, e.data1, e.data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, e.data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, e.data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, e.data1 | (e.data2 << 7));
            break;
    }
}

void ToneSynth::render(float* left, float* right, int frames, bool advance) {
    int done = 0;
    while (done < frames) {
        int slice = frames - done;
        if (advance) {
            while (next_ < events_.size() && events_[next_].frame <= position_)
                play(events_[next_++].event);
            if (next_ < events_.size())
                slice =
                    static_cast<int>(std::min<int64_t>(slice, events_[next_].frame - position_));
        }
        fluid_synth_write_float(synth_, slice, left + done, 0, 1, right + done, 0, 1);
        done += slice;
        if (advance) position_ += slice;
    }
}

std::string RenderWav(const Tone& tone, const std::string& soundFont) {
    ToneSynth synth(soundFont);
    synth.setTone(tone);
    const int64_t frames = synth.lengthFrames();
    const uint32_t dataBytes = static_cast<uint32_t>(frames * 4);
    std::string wav;
    wav.reserve(44 + dataBytes);
    wav += "RIFF";
    PutLittle(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    PutLittle(wav, 16, 4);
    PutLittle(wav, 1, 2);  // PCM
    PutLittle(wav, 2, 2);  // stereo
    PutLittle(wav, ToneSynth::kSampleRate, 4);
    PutLittle(wav, ToneSynth::kSampleRate * 4, 4);
    PutLittle(wav, 4, 2);
    PutLittle(wav, 16, 2);
    wav += "data";
    PutLittle(wav, dataBytes, 4);
    constexpr int kBlock = 1024;
    float left[kBlock], right[kBlock];
    for (int64_t at = 0; at < frames; at += kBlock) {
        const int count = static_cast<int>(std::min<int64_t>(kBlock, frames - at));
        synth.render(left, right, count, true);
        for (int i = 0; i < count; ++i) {
            for (float sample : {left[i], right[i]}) {
                const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
                PutLittle(wav, static_cast<uint32_t>(value) & 0xFFFF, 2);
            }
        }
    }
    return wav;
}

}  // namespace orlin
