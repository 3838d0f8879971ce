#pragma once
// The command line's side of a long phone operation: its progress on standard error, one line
// per tenth of the way ("reading: 120/1250").

#include <iostream>
#include <string>

#include "link/cp1251.h"
#include "link/interaction.h"

namespace orlin {

class CliProgress : public Interaction {
public:
    explicit CliProgress(const char* what) : what_(what) {}

    void progress(int pos, int max) override {
        if (max <= 0 || pos <= 0) return;
        const int tenth = pos * 10 / max;
        if (tenth == lastTenth_) return;
        lastTenth_ = tenth;
        std::cerr << what_ << ": " << pos << "/" << max << std::endl;
    }
    // The next operation under a new name, counted from the start.
    void restart(const char* what) {
        what_ = what;
        lastTenth_ = -1;
    }

private:
    const char* what_;
    int lastTenth_ = -1;
};

// Progress on standard error, questions answered by the --yes option.
class CliInteraction : public CliProgress {
public:
    CliInteraction(const char* what, bool yes) : CliProgress(what), yes_(yes) {}

    bool confirm(const std::string& text) override {
        std::cerr << Cp1251ToUtf8(text) << (yes_ ? " yes (--yes)" : " no (give --yes to go on)")
                  << std::endl;
        if (!yes_) declined_ = true;
        return yes_;
    }
    void inform(const std::string& text) override { std::cerr << Cp1251ToUtf8(text) << std::endl; }

    bool declined() const { return declined_; }

private:
    bool yes_;
    bool declined_ = false;
};

}  // namespace orlin
