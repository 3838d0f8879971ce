#pragma once
// What the tabs show while a long phone operation runs: the progress bar that follows it and
// goes back to 0 however it ends, and the Stop button shown for as long as it can stop it.

#include "link/interaction.h"

class QProgressBar;
class QWidget;

namespace orlin {

// The bar goes back to 0 when the scope ends, by return or by exception.
class ProgressReset {
public:
    explicit ProgressReset(QProgressBar* bar) : bar_(bar) {}
    ~ProgressReset();
    ProgressReset(const ProgressReset&) = delete;
    ProgressReset& operator=(const ProgressReset&) = delete;

private:
    QProgressBar* bar_;
};

// The Stop button is shown while the scope lasts, hidden when it ends.
class StopButtonShown {
public:
    explicit StopButtonShown(QWidget* stop);
    ~StopButtonShown();
    StopButtonShown(const StopButtonShown&) = delete;
    StopButtonShown& operator=(const StopButtonShown&) = delete;

private:
    QWidget* stop_;
};

// A core's long operation as a tab follows it: progress(pos, max) moves the bar (pos held to
// 0..max, a max below 1 taken as 1), and the window's events are pumped between two commands
// when `pumpEvents`, so that it repaints and its Stop button can be pressed (a window closed
// meanwhile abandons the operation). Tabs derive from it for their questions and notes.
class ProgressBarInteraction : public Interaction {
public:
    explicit ProgressBarInteraction(QProgressBar* bar, bool pumpEvents = true)
        : bar_(bar), pump_(pumpEvents) {}
    void processEvents() override;
    void progress(int pos, int max) override;

protected:
    QProgressBar* bar() const { return bar_; }

private:
    QProgressBar* bar_;
    bool pump_;
};

}  // namespace orlin
