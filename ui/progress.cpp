#include "ui/progress.h"

#include <QProgressBar>
#include <algorithm>

#include "ui/orlin_application.h"

namespace orlin {

ProgressReset::~ProgressReset() {
    bar_->setValue(0);
}

StopButtonShown::StopButtonShown(QWidget* stop) : stop_(stop) {
    stop_->setVisible(true);
}

StopButtonShown::~StopButtonShown() {
    stop_->setVisible(false);
}

void ProgressBarInteraction::processEvents() {
    if (pump_) ProcessEventsOrAbandon();
}

void ProgressBarInteraction::progress(int pos, int max) {
    const int top = std::max(max, 1);
    bar_->setRange(0, top);
    bar_->setValue(std::clamp(pos, 0, top));
}

}  // namespace orlin
