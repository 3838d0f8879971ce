#include "ui/busy_state.h"

#include <QAction>
#include <QWidget>

namespace {

void SetEnabled(QObject* object, bool enabled) {
    if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setEnabled(enabled);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setEnabled(enabled);
}

}  // namespace

void BusyState::add(QWidget* control, bool available) {
    join(control, available);
}

void BusyState::add(QAction* control, bool available) {
    join(control, available);
}

void BusyState::join(QObject* control, bool available) {
    if (control == nullptr) return;
    bool known = false;
    for (Control& c : controls_)
        if (c.object == control) {
            c.available = available;
            known = true;
        }
    if (!known) controls_.push_back({control, available});
    SetEnabled(control, available && !isBusy());
}

void BusyState::setAvailable(QObject* control, bool available) {
    for (Control& c : controls_)
        if (c.object == control) {
            c.available = available;
            SetEnabled(control, available && !isBusy());
            return;
        }
    SetEnabled(control, available);  // not a phone command: its own state alone
}

bool BusyState::isAvailable(const QObject* control) const {
    for (const Control& c : controls_)
        if (c.object == control) return c.available;
    return false;
}

void BusyState::enter() {
    if (depth_++ == 0) {
        apply();
        emit busyChanged(true);
    }
}

void BusyState::leave() {
    if (--depth_ == 0) {
        apply();
        emit busyChanged(false);
    }
}

void BusyState::apply() {
    for (const Control& c : controls_)
        if (c.object) SetEnabled(c.object, c.available && !isBusy());
}
