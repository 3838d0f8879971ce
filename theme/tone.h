#pragma once
// A ring tone as the synthesizer plays it: MIDI channel messages at their times in
// milliseconds, read from a standard MIDI file (.mid) or an iMelody text (.imy).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/errors.h"

namespace orlin {

// A tone file that cannot be read or understood; the text says where.
class EToneError : public OrlinError {
public:
    using OrlinError::OrlinError;
};

enum class ToneFormat { Midi, IMelody };

// One MIDI channel message: status byte (0x80..0xEF) and its one or two data bytes.
struct ToneEvent {
    double ms = 0;
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

// No tune plays longer than this, nor has more events; a longer one is cut, with a remark.
inline constexpr double kLongestToneMs = 10 * 60 * 1000;
// Ten minutes of the fastest iMelody (32nd notes at 900 beats a minute) is 144,000 events.
inline constexpr size_t kMostToneEvents = 250000;

struct Tone {
    ToneFormat format = ToneFormat::Midi;
    std::vector<ToneEvent> events;     // in time order, all within [0, lengthMs]
    double lengthMs = 0;               // from the start to the end of the last note or rest
    int noteCount = 0;                 // notes that sound (note-on with a velocity above 0)
    std::vector<std::string> remarks;  // what was changed on the way (cut, ...)
};

// The tone in `bytes`: a MIDI file when it starts with "MThd" (or is a RIFF "RMID" file),
// an iMelody text when it holds BEGIN:IMELODY; anything else is an EToneError.
Tone ParseTone(std::string_view bytes);

// The tone in the file at `path` (read whole); raises EInOutError or EToneError.
Tone LoadTone(const std::string& path);

// "MIDI" or "iMelody".
const char* ToneFormatName(ToneFormat format);

// Ends a tone at `kLongestToneMs` when it goes on longer, and at its event number
// `kMostToneEvents` when it has more: later events are dropped, notes still sounding are
// released at the cut, and a remark says so. Sorts events by time.
void FinishTone(Tone& tone);

}  // namespace orlin
