#pragma once
// The command line's side of a long phone operation: its progress on standard error. On a
// terminal one line that updates in place, with a bar, the count and the time left; when
// standard error is not a terminal (a log, a pipe) nothing, unless --progress asks for it,
// and then one plain line per tenth of the way ("reading: 120/1250").

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "link/interaction.h"

namespace orlin {

// The one progress printer of orlin-cli.
class ProgressPrinter {
public:
    using Clock = std::chrono::steady_clock;
    enum class Mode { Silent, Lines, Terminal };

    // --progress: plain lines where standard error is no terminal.
    static bool& forced() {
        static bool value = false;
        return value;
    }
    static Mode modeForStandardError() {
#ifdef _WIN32
        const bool terminal = _isatty(_fileno(stderr)) != 0;
#else
        const bool terminal = isatty(fileno(stderr)) != 0;
#endif
        return terminal ? Mode::Terminal : forced() ? Mode::Lines : Mode::Silent;
    }

    explicit ProgressPrinter(std::ostream& out = std::cerr, Mode mode = modeForStandardError())
        : out_(out), mode_(mode) {}
    ~ProgressPrinter() {
        endLine();
    }
    ProgressPrinter(const ProgressPrinter&) = delete;
    ProgressPrinter& operator=(const ProgressPrinter&) = delete;

    // pos of max steps of the work called `what`; `now` is for tests.
    void show(const char* what, int pos, int max, Clock::time_point now = Clock::now()) {
        if (mode_ == Mode::Silent || max <= 0 || pos < 0) return;
        if (what != what_ || pos < lastPos_) start(what, now);
        lastPos_ = pos;
        if (mode_ == Mode::Lines) {
            const int tenth = pos * 10 / max;
            if (pos == 0 || tenth == lastTenth_) return;
            lastTenth_ = tenth;
            out_ << what << ": " << pos << "/" << max << std::endl;
            return;
        }
        // A terminal: at most ten redraws a second, and always the last step.
        if (pos < max && lineOpen_ && now - drawn_ < std::chrono::milliseconds(100)) return;
        drawn_ = now;
        std::string line = std::string(what) + " [";
        const int filled = static_cast<int>(static_cast<long long>(pos) * kBarWidth / max);
        for (int i = 0; i < kBarWidth; ++i) line += i < filled ? '#' : '.';
        line += "] " + std::to_string(pos) + "/" + std::to_string(max);
        const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - started_);
        if (pos > 0 && pos < max && elapsed.count() >= 1) {
            const long long left = elapsed.count() * (max - pos) / pos;
            char text[32];
            std::snprintf(text, sizeof text, "  %lld:%02lld left", left / 60, left % 60);
            line += text;
        }
        // Blanks wipe what a longer line before it left.
        const size_t width = line.size();
        if (line.size() < lastWidth_) line.append(lastWidth_ - line.size(), ' ');
        lastWidth_ = width;
        out_ << '\r' << line << std::flush;
        lineOpen_ = true;
        if (pos >= max) endLine();
    }

    // Ends an updating line that is still open, so that what follows starts on its own line.
    void endLine() {
        if (!lineOpen_) return;
        out_ << std::endl;
        lineOpen_ = false;
        lastWidth_ = 0;
    }

private:
    static constexpr int kBarWidth = 30;

    void start(const char* what, Clock::time_point now) {
        endLine();
        what_ = what;
        started_ = now;
        lastTenth_ = -1;
        lastPos_ = 0;
    }

    std::ostream& out_;
    Mode mode_;
    const char* what_ = nullptr;
    Clock::time_point started_{};
    Clock::time_point drawn_{};
    int lastTenth_ = -1;
    int lastPos_ = 0;
    size_t lastWidth_ = 0;
    bool lineOpen_ = false;
};

class CliProgress : public Interaction {
public:
    explicit CliProgress(const char* what) : what_(what) {}

    void progress(int pos, int max) override { printer_.show(what_, pos, max); }
    // The next operation under a new name, counted from the start.
    void restart(const char* what) {
        printer_.endLine();
        what_ = what;
    }

protected:
    ProgressPrinter printer_;

private:
    const char* what_;
};

// Progress on standard error, questions answered by the --yes option.
class CliInteraction : public CliProgress {
public:
    CliInteraction(const char* what, bool yes) : CliProgress(what), yes_(yes) {}

    bool confirm(const std::string& text) override {
        printer_.endLine();
        std::cerr << text << (yes_ ? " yes (--yes)" : " no (give --yes to go on)") << std::endl;
        if (!yes_) declined_ = true;
        return yes_;
    }
    void inform(const std::string& text) override {
        printer_.endLine();
        std::cerr << text << std::endl;
    }

    bool declined() const { return declined_; }

private:
    bool yes_;
    bool declined_ = false;
};

}  // namespace orlin
