#pragma once
// Standard MIDI files (formats 0, 1 and 2, also inside a RIFF "RMID" wrapper): the channel
// messages of every track merged in time, the tempo changes applied (or SMPTE time), system
// exclusive and meta events other than the tempo skipped. The tone lasts until the last
// track's end.

#include <string_view>

#include "theme/tone.h"

namespace orlin {

// Raises EToneError saying what is wrong and at which byte.
Tone ParseMidiFile(std::string_view bytes);

}  // namespace orlin
