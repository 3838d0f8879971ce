#pragma once
// One busy state for the whole window. While a phone operation runs (its handler holds a
// BusyScope), every phone command of the window (tab buttons, pop-up and main-menu items) is
// disabled, so that no second operation opens a second session on the busy port; they come back
// when the operation ends, however it ends. Handlers that no control guards (a double-click on a
// list, a key) check isBusy() first.
//
// A control joins with add(). Its own availability (a list that has rows, a selection) is set
// with setAvailable() instead of setEnabled(): the control is enabled when it is available and
// the window is not busy. A control that must stay usable during an operation (the Stop button)
// simply does not join.

#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QWidget;

class BusyState : public QObject {
    Q_OBJECT
public:
    void add(QWidget* control, bool available = true);
    void add(QAction* control, bool available = true);
    void setAvailable(QObject* control, bool available);
    bool isAvailable(const QObject* control) const;

    bool isBusy() const { return depth_ > 0; }

signals:
    void busyChanged(bool busy);

private:
    friend class BusyScope;
    void enter();
    void leave();
    void apply();

    struct Control {
        QPointer<QObject> object;
        bool available;
    };
    std::vector<Control> controls_;
    int depth_ = 0;
};

// Marks the window busy for the lifetime of the scope (nested scopes count).
class BusyScope {
public:
    explicit BusyScope(BusyState& state) : state_(state) { state_.enter(); }
    ~BusyScope() { state_.leave(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyState& state_;
};
