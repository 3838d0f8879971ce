// The ring-tone readers (MIDI files, also in a RIFF wrapper, and iMelody texts): any bytes
// give a tone or an EToneError, and a tone the synthesizer is handed keeps its promises:
//   every event is a channel message (status 0x80..0xEF, data bytes below 0x80), in time
//   order, within [0, length]; the length is at most ten minutes; the note count is the
//   number of note-ons with a velocity.

#include <cstdlib>
#include <string_view>

#include "theme/tone.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    Tone tone;
    try {
        tone = ParseTone(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EToneError&) {
        return 0;
    }
    if (!(tone.lengthMs >= 0 && tone.lengthMs <= kLongestToneMs)) std::abort();
    double last = 0;
    int notes = 0;
    for (const ToneEvent& event : tone.events) {
        if (event.status < 0x80 || event.status > 0xEF) std::abort();
        if (event.data1 > 0x7F || event.data2 > 0x7F) std::abort();
        if (!(event.ms >= last && event.ms <= tone.lengthMs)) std::abort();
        last = event.ms;
        if ((event.status & 0xF0) == 0x90 && event.data2 > 0) ++notes;
    }
    if (notes != tone.noteCount) std::abort();
    return 0;
}
