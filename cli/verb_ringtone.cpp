// orlin-cli ringtone: what a ring tone (.mid or .imy) holds, and the tone rendered through
// the player's synthesizer to a WAV file, so that it can be checked without speakers.

#include <iostream>

#include "cli/verb.h"
#include "link/whole_file.h"
#ifndef ORLIN_WITHOUT_THEME_SYNTH
#include "theme/synth/tone_synth.h"
#endif
#include "theme/tone.h"

namespace orlin::cli {

namespace {

void PrintRemarks(const Tone& tone) {
    for (const std::string& remark : tone.remarks) std::cerr << remark << std::endl;
}

int Info(const std::string& path) {
    const Tone tone = LoadTone(path);
    std::cout << "format: " << ToneFormatName(tone.format) << "\n"
              << "length: " << static_cast<long long>(tone.lengthMs + 0.5) << " ms\n"
              << "notes: " << tone.noteCount << "\n";
    PrintRemarks(tone);
    return 0;
}

int Render(const std::string& path, const std::string& output) {
#ifdef ORLIN_WITHOUT_THEME_SYNTH
    // This build has no synthesizer (the Windows build lacks FluidSynth).
    (void)path;
    (void)output;
    throw OrlinError("ringtone render needs FluidSynth, which this build of orlin-cli lacks");
#else
    const Tone tone = LoadTone(path);
    PrintRemarks(tone);
    WriteWholeFile(output, RenderWav(tone, FindSoundFont()));
    std::cout << output << ": " << static_cast<long long>(tone.lengthMs + 0.5) << " ms\n";
    return 0;
#endif
}

int RunRingtone(const Invocation& invocation) {
    const auto& args = invocation.args;
    if (args.size() == 2 && args[0] == "info") return Info(args[1]);
    if (args.size() == 4 && args[0] == "render" && (args[2] == "-o" || args[2] == "--output"))
        return Render(args[1], args[3]);
    throw UsageError("ringtone needs info FILE or render FILE -o OUT.wav");
}

const VerbRegistration registration({
    "ringtone",
    "ringtone info FILE | render FILE -o OUT.wav",
    "info FILE: the format of a ring tone (MIDI or iMelody), its length in milliseconds and\n"
    "  its number of notes.\n"
    "render FILE -o OUT.wav: plays the tone through the synthesizer into a 44.1 kHz 16-bit\n"
    "  stereo WAV file as long as the tune (the sound font as for the window: ORLIN_SOUNDFONT,\n"
    "  else the system's General MIDI one). No audio device is needed.",
    RunRingtone,
    true,
});

}  // namespace

}  // namespace orlin::cli
