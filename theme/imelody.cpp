#include "theme/imelody.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "link/language.h"

namespace orlin {

namespace {

struct Line {
    int number;
    std::string text;
};

// Lines end in CR LF, LF or a lone CR.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::string current;
    int number = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back({number++, current});
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) lines.push_back({number, current});
    return lines;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

[[noreturn]] void Fail(int line, const std::string& utf8What) {
    throw EToneError(Tr("IMelody", "Ошибка в мелодии iMelody, строка ") + std::to_string(line) +
                     ": " + utf8What);
}

// The melody with the line and column every character came from.
struct MelodyText {
    std::string chars;
    std::vector<int> lines;
    std::vector<int> columns;
    void append(const std::string& text, int line, int firstColumn) {
        for (size_t i = 0; i < text.size(); ++i) {
            chars += text[i];
            lines.push_back(line);
            columns.push_back(firstColumn + static_cast<int>(i));
        }
    }
};

struct Item {
    enum class Kind { Note, Rest, SetVolume, ChangeVolume, Repeat };
    explicit Item(Kind k) : kind(k) {}
    Kind kind;
    int key = 0;              // Note: MIDI key
    double whole = 0;         // Note, Rest: length in whole notes
    int volume = 0;           // SetVolume: 0..15; ChangeVolume: +1 or -1
    std::vector<Item> block;  // Repeat
    int count = 1;            // Repeat: passes, 0 for ever
    int step = 0;             // Repeat: volume change after each pass
};

class MelodyParser {
public:
    explicit MelodyParser(const MelodyText& melody) : m_(melody) {}

    std::vector<Item> parse() { return sequence(false); }
    bool playsForever() const { return forever_; }

private:
    [[noreturn]] void fail(const std::string& what) const {
        if (m_.chars.empty()) Fail(0, what);
        const size_t at = std::min(at_, m_.chars.size() - 1);
        Fail(m_.lines[at], Tr("IMelody", "знак ") + std::to_string(m_.columns[at]) + ", " + what);
    }
    bool atEnd() const { return at_ >= m_.chars.size(); }
    char peek() const { return atEnd() ? '\0' : m_.chars[at_]; }
    bool take(const char* word) {
        if (m_.chars.compare(at_, std::strlen(word), word) != 0) return false;
        at_ += std::strlen(word);
        return true;
    }
    void skipBlanks() {
        while (peek() == ' ' || peek() == '\t') ++at_;
    }
    int number(int most) {
        if (!std::isdigit(static_cast<unsigned char>(peek()))) return -1;
        int value = 0;
        while (std::isdigit(static_cast<unsigned char>(peek())))
            value = std::min(value * 10 + (m_.chars[at_++] - '0'), most);
        return value;
    }

    std::vector<Item> sequence(bool inBlock) {
        std::vector<Item> items;
        while (true) {
            skipBlanks();
            if (atEnd()) {
                if (inBlock) fail(Tr("IMelody", "блок повтора не закрыт (нет «@n)»)"));
                return items;
            }
            const char c = peek();
            if (c == '@') {
                if (!inBlock) fail(Tr("IMelody", "«@» вне блока повтора"));
                return items;
            }
            if (c == ')') fail(Tr("IMelody", "«)» без «(»"));
            if (take("ledon") || take("ledoff") || take("vibeon") || take("vibeoff") ||
                take("backon") || take("backoff"))
                continue;
            if (c == '(') {
                items.push_back(repeat());
            } else if (c == 'V') {
                items.push_back(volume());
            } else if (c == '*') {
                ++at_;
                octave_ = number(99);
                if (octave_ < 0 || octave_ > 8) fail(Tr("IMelody", "после «*» нужна октава 0-8"));
            } else if (c == 'r' || c == 'R') {
                ++at_;
                Item rest{Item::Kind::Rest};
                rest.whole = duration();
                items.push_back(rest);
            } else {
                items.push_back(note());
            }
        }
    }

    Item repeat() {
        // Each block is a level of recursion here, in the performer and in freeing the items:
        // a file of nested "(" alone would overflow the stack long before it ended.
        if (depth_ >= kMostRepeatNesting)
            fail(Tr("IMelody", "блоки повтора вложены глубже ") +
                 std::to_string(kMostRepeatNesting) + Tr("IMelody", " уровней"));
        ++at_;  // "("
        Item block{Item::Kind::Repeat};
        ++depth_;
        block.block = sequence(true);
        --depth_;
        ++at_;  // "@"
        block.count = number(1000000);
        if (block.count < 0) fail(Tr("IMelody", "после «@» нужно число повторов"));
        if (block.count == 0) forever_ = true;
        if (take("V+")) block.step = 1;
        if (take("V-")) block.step = -1;
        skipBlanks();
        if (peek() != ')') fail(Tr("IMelody", "блок повтора не закрыт (нет «)»)"));
        ++at_;
        return block;
    }

    Item volume() {
        ++at_;  // "V"
        if (take("+") || take("-")) {
            Item change{Item::Kind::ChangeVolume};
            change.volume = m_.chars[at_ - 1] == '+' ? 1 : -1;
            return change;
        }
        Item set{Item::Kind::SetVolume};
        set.volume = number(99);
        if (set.volume < 0 || set.volume > 15)
            fail(Tr("IMelody", "громкость должна быть V0-V15, V+ или V-"));
        return set;
    }

    Item note() {
        int shift = 0;
        if (take("#")) shift = 1;
        if (shift == 0 && take("&")) shift = -1;
        static const char kLetters[] = "cdefgab";
        static const int kSteps[] = {0, 2, 4, 5, 7, 9, 11};
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(peek())));
        const char* found = letter != '\0' ? std::strchr(kLetters, letter) : nullptr;
        if (found == nullptr) {
            if (shift != 0)
                fail(Tr("IMelody", "после «#» или «&» нужна нота c, d, e, f, g, a или b"));
            fail(std::string(Tr("IMelody", "непонятный знак «")) + peek() + "»");
        }
        ++at_;
        Item item{Item::Kind::Note};
        // *4a is 880 Hz (MIDI key 81); a key above the MIDI range sounds octaves lower.
        item.key = 12 * octave_ + 24 + kSteps[found - kLetters] + shift;
        while (item.key > 127) item.key -= 12;
        item.whole = duration();
        return item;
    }

    double duration() {
        const char digit = peek();
        if (digit < '0' || digit > '5') fail(Tr("IMelody", "нужна длительность 0-5"));
        ++at_;
        double whole = 1.0 / (1 << (digit - '0'));
        if (take(".")) {
            whole *= 1.5;
        } else if (take(":")) {
            whole *= 1.75;
        } else if (take(";")) {
            whole *= 2.0 / 3.0;
        }
        return whole;
    }

    static constexpr int kMostRepeatNesting = 16;

    const MelodyText& m_;
    size_t at_ = 0;
    int depth_ = 0;
    int octave_ = 4;
    bool forever_ = false;
};

// Lays the parsed melody out in time.
class Performer {
public:
    Performer(Tone& tone, double wholeMs, double soundShare, int volume)
        : tone_(tone), wholeMs_(wholeMs), soundShare_(soundShare), volume_(volume) {}

    void play(const std::vector<Item>& items) {
        for (const Item& item : items) {
            if (t_ >= kLongestToneMs) return;
            switch (item.kind) {
                case Item::Kind::Note: {
                    const double length = wholeMs_ * item.whole;
                    const int velocity = (volume_ * 127 + 7) / 15;
                    if (velocity > 0) {
                        const auto key = static_cast<uint8_t>(item.key);
                        tone_.events.push_back({t_, 0x90, key, static_cast<uint8_t>(velocity)});
                        tone_.events.push_back({t_ + length * soundShare_, 0x80, key, 0});
                    }
                    t_ += length;
                    break;
                }
                case Item::Kind::Rest:
                    t_ += wholeMs_ * item.whole;
                    break;
                case Item::Kind::SetVolume:
                    volume_ = item.volume;
                    break;
                case Item::Kind::ChangeVolume:
                    volume_ = std::clamp(volume_ + item.volume, 0, 15);
                    break;
                case Item::Kind::Repeat: {
                    const int passes = item.count == 0 ? 1 : item.count;
                    for (int pass = 0; pass < passes && t_ < kLongestToneMs; ++pass) {
                        const double before = t_;
                        play(item.block);
                        // A block that takes no time (lights only) would never end.
                        if (t_ == before) break;
                        volume_ = std::clamp(volume_ + item.step, 0, 15);
                    }
                    break;
                }
            }
        }
    }
    double time() const { return t_; }

private:
    Tone& tone_;
    double wholeMs_;
    double soundShare_;
    int volume_;
    double t_ = 0;
};

int HeaderNumber(const std::string& value, const char* prefix, int least, int most, int line,
                 const char* what) {
    std::string digits = value;
    if (prefix[0] != '\0') {
        if (digits.rfind(prefix, 0) != 0) Fail(line, what);
        digits.erase(0, std::strlen(prefix));
    }
    if (digits.empty() || digits.size() > 4 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        Fail(line, what);
    const int number = std::stoi(digits);
    if (number < least || number > most) Fail(line, what);
    return number;
}

// A property name that may follow MELODY: the ones of the format, and the "X-" ones that
// makers add.
bool IsProperty(const std::string& key) {
    static const char* const kKnown[] = {"BEGIN",    "END",  "VERSION", "FORMAT", "NAME",
                                         "COMPOSER", "BEAT", "STYLE",   "VOLUME", "MELODY"};
    return key.rfind("X-", 0) == 0 || std::any_of(std::begin(kKnown), std::end(kKnown),
                                                  [&](const char* k) { return key == k; });
}

}  // namespace

Tone ParseIMelody(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 mark
    int beat = 120;
    int style = 0;
    int volume = 7;
    bool begun = false;
    bool ended = false;
    bool haveMelody = false;
    int lastLine = 0;
    MelodyText melody;
    for (const Line& line : SplitLines(text)) {
        lastLine = line.number;
        const std::string trimmed = TrimBlanks(line.text);
        if (trimmed.empty()) continue;
        const size_t colon = trimmed.find(':');
        if (!begun) {
            if (Upper(trimmed) != "BEGIN:IMELODY")
                Fail(line.number, Tr("IMelody", "нет строки BEGIN:IMELODY"));
            begun = true;
            continue;
        }
        const std::string key =
            colon == std::string::npos ? "" : Upper(TrimBlanks(trimmed.substr(0, colon)));
        // After MELODY, a line that is no property continues the melody (a folded line, or
        // one that a double-dotted note's ":" makes look like a property).
        const bool folded = line.text[0] == ' ' || line.text[0] == '\t';
        const bool property = !key.empty() && (!haveMelody || (IsProperty(key) && !folded));
        if (!property) {
            if (!haveMelody)
                Fail(line.number, Tr("IMelody", "непонятная строка «") + trimmed + "»");
            melody.append(trimmed, line.number, 1);
            continue;
        }
        const std::string value = TrimBlanks(trimmed.substr(colon + 1));
        if (key == "END") {
            if (Upper(value) != "IMELODY")
                Fail(line.number, Tr("IMelody", "ожидалась строка END:IMELODY"));
            ended = true;
            break;
        }
        if (key == "BEAT") {
            beat = HeaderNumber(value, "", 25, 900, line.number,
                                Tr("IMelody", "BEAT должен быть числом 25-900"));
        } else if (key == "STYLE") {
            style = HeaderNumber(Upper(value), "S", 0, 2, line.number,
                                 Tr("IMelody", "STYLE должен быть S0-S2"));
        } else if (key == "VOLUME") {
            volume = HeaderNumber(Upper(value), "V", 0, 15, line.number,
                                  Tr("IMelody", "VOLUME должен быть V0-V15"));
        } else if (key == "MELODY") {
            if (haveMelody) Fail(line.number, Tr("IMelody", "вторая строка MELODY"));
            haveMelody = true;
            melody.append(trimmed.substr(colon + 1), line.number,
                          static_cast<int>(line.text.find(':')) + 2);
        }
        // VERSION, FORMAT, NAME, COMPOSER and other properties do not change the sound.
    }
    if (!begun) Fail(std::max(lastLine, 1), Tr("IMelody", "нет строки BEGIN:IMELODY"));
    if (!ended) Fail(lastLine, Tr("IMelody", "нет строки END:IMELODY"));
    if (!haveMelody) Fail(lastLine, Tr("IMelody", "нет строки MELODY"));

    MelodyParser parser(melody);
    const std::vector<Item> items = parser.parse();

    Tone tone;
    tone.format = ToneFormat::IMelody;
    tone.events.push_back({0, 0xC0, kIMelodyProgram, 0});
    // A quarter note lasts a beat; S0 leaves a short gap after each note, S2 a long one.
    const double shares[] = {0.9, 1.0, 0.5};
    Performer performer(tone, 4 * 60000.0 / beat, shares[style], volume);
    performer.play(items);
    tone.lengthMs = performer.time();
    if (parser.playsForever())
        tone.remarks.push_back(Tr("IMelody", "Повтор без конца (@0) играется один раз."));
    FinishTone(tone);
    return tone;
}

}  // namespace orlin
