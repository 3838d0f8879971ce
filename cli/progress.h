#pragma once
// The command line's side of a long phone operation: its progress on standard error, one line
// per tenth of the way ("reading: 120/1250").

#include <iostream>
#include <string>

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

}  // namespace orlin
