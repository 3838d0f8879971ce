#include "theme/tone.h"

#include <algorithm>
#include <set>
#include <utility>

#include "link/language.h"
#include "link/whole_file.h"
#include "theme/imelody.h"
#include "theme/midi_file.h"

namespace orlin {

namespace {

bool IsNoteOn(const ToneEvent& e) {
    return (e.status & 0xF0) == 0x90 && e.data2 > 0;
}
bool IsNoteOff(const ToneEvent& e) {
    return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data2 == 0);
}

}  // namespace

Tone ParseTone(std::string_view bytes) {
    if (bytes.substr(0, 4) == "MThd" ||
        (bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "RMID"))
        return ParseMidiFile(bytes);
    // iMelody is text: BEGIN:IMELODY near the start, in any letter case.
    std::string head(bytes.substr(0, 256));
    for (char& c : head) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (head.find("BEGIN:IMELODY") != std::string::npos) return ParseIMelody(bytes);
    throw EToneError(
        Tr("Tone", "Это не мелодия MIDI (.mid) и не iMelody (.imy): формат не распознан"));
}

Tone LoadTone(const std::string& path) {
    return ParseTone(ReadWholeFile(path, kMostToneBytes));
}

const char* ToneFormatName(ToneFormat format) {
    return format == ToneFormat::Midi ? "MIDI" : "iMelody";
}

namespace {

// Drops the events from `cutMs` on and releases at the cut what still sounds then.
void CutTone(Tone& tone, double cutMs) {
    std::set<std::pair<int, int>> sounding;  // channel, key
    std::vector<ToneEvent> kept;
    for (const ToneEvent& e : tone.events) {
        if (e.ms >= cutMs) break;
        const std::pair<int, int> note(e.status & 0x0F, e.data1);
        if (IsNoteOn(e)) sounding.insert(note);
        if (IsNoteOff(e)) sounding.erase(note);
        kept.push_back(e);
    }
    for (const auto& [channel, key] : sounding)
        kept.push_back({cutMs, static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(key), 0});
    tone.events = std::move(kept);
    tone.lengthMs = cutMs;
}

}  // namespace

void FinishTone(Tone& tone) {
    std::stable_sort(tone.events.begin(), tone.events.end(),
                     [](const ToneEvent& a, const ToneEvent& b) { return a.ms < b.ms; });
    if (tone.lengthMs > kLongestToneMs) {
        CutTone(tone, kLongestToneMs);
        tone.remarks.push_back(
            Tr("Tone", "Мелодия длиннее 10 минут: играются только первые 10 минут."));
    }
    // Each event costs the synthesizer its own call: a crafted file of millions of them would
    // hold the program for minutes. No ring tone comes near the bound.
    if (tone.events.size() > kMostToneEvents) {
        CutTone(tone, tone.events[kMostToneEvents].ms);
        tone.remarks.push_back(Tr("Tone", "В мелодии больше ") + std::to_string(kMostToneEvents) +
                               Tr("Tone", " событий: играется только их начало."));
    }
    tone.noteCount =
        static_cast<int>(std::count_if(tone.events.begin(), tone.events.end(), IsNoteOn));
}

}  // namespace orlin
