#pragma once
// One busy state for the whole window. While a phone operation runs (its handler holds a
// BusyScope), every phone command of the window (tab buttons, pop-up and main-menu items) is
// disabled, so that no second operation opens a second session on the busy port; they come back
// when the operation ends, however it ends. Handlers that no control guards (a double-click on a
// list, a key, a tab being shown) check isBusy() first.
//
// A control joins with add(). Its own availability (a list that has rows, a selection) is set
// with setAvailable() instead of setEnabled(): the control is enabled when it is available and
// the window is not busy. A control that must stay usable during an operation (the Stop button)
// simply does not join.
//
// The pattern of a handler (orlin::GuardedOperation in ui/orlin_application.h does the three
// steps in one call):
//
//   void SomeTab::sbReadClick() {
//       if (context_.busy().isBusy()) return;     // a second operation does not start
//       BusyScope busy(context_.busy());          // every phone command is disabled ...
//       orlin::Guarded([&] { ... the work ... }); // ... and a failure shows the error box
//   }                                             // enabled again, also after an exception

#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QWidget;

class BusyState : public QObject {
    Q_OBJECT
public:
    // Joins a control (again: its availability is set anew).
    void add(QWidget* control, bool available = true);
    void add(QAction* control, bool available = true);
    void setAvailable(QObject* control, bool available);
    bool isAvailable(const QObject* control) const;

    bool isBusy() const { return depth_ > 0; }

signals:
    // Sent when the window becomes busy and when it stops being busy (not for nested scopes).
    void busyChanged(bool busy);

private:
    friend class BusyScope;
    void join(QObject* control, bool available);
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
