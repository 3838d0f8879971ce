#pragma once
// iMelody, the text format of phone ring tones:
//
//   BEGIN:IMELODY
//   VERSION:1.2
//   FORMAT:CLASS1.0
//   BEAT:120            quarter notes a minute, 25..900 (120 when missing)
//   STYLE:S0            S0 natural, S1 continuous, S2 staccato (S0 when missing)
//   VOLUME:V7           V0..V15 (V7 when missing)
//   MELODY:*4c2d2.e3;(r3#f4&b4@2V+)ledon vibeoff
//   END:IMELODY
//
// A note is an optional octave prefix *0..*8 (it holds for the notes after it; *4 when none
// was given, where a is 880 Hz), an optional # (sharp) or & (flat), the letter c..b and a
// duration 0..5 (a whole note down to a 1/32), then optionally "." (dotted, 3/2), ":" (double
// dotted, 7/4) or ";" (a triplet, 2/3). "r" with a duration is a rest. A block
// "( ... @n )" plays n times, "@0" (for ever) once; "V+" or "V-" after the count changes the
// volume after every pass. V+, V-, V0..V15 change the volume; ledon/ledoff, vibeon/vibeoff
// and backon/backoff are the phone's lights and vibration and are skipped. Lines end in CR LF,
// LF or CR; lines after MELODY that hold no ":" continue the melody.

#include <string_view>

#include "theme/tone.h"

namespace orlin {

// The instrument the notes play (General MIDI square lead, close to a phone's tone).
inline constexpr int kIMelodyProgram = 80;

// The notes of an iMelody text as timed events on channel 0 (see FinishTone for the
// 10-minute cut). Raises EToneError naming the line (and the place in the melody) of the
// first thing that is not iMelody.
Tone ParseIMelody(std::string_view text);

}  // namespace orlin
