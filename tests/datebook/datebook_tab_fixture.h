#pragma once
// What the datebook tab tests share: the tab and its dialog built over the test's own window
// as the main window wires them, its rows by slot, and waiting for a modal window to open.

#include <QObject>
#include <QString>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "datebook/add_event_dialog.h"
#include "datebook/datebook_tab.h"
#include "tests/support/window_test.h"

namespace orlin::test {

// Runs `act` once the window `find` returns is up (a modal dialog that a handler opens, maybe
// after a read that lets the window process its events); fails when it never is. The timer
// belongs to `owner`.
inline void WhenShown(QObject* owner, std::function<QWidget*()> find, std::function<void()> act) {
    auto* timer = new QTimer(owner);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, ticks, find, act] {
        QWidget* w = find();
        if (w && w->isVisible()) {
            timer->stop();
            act();
        } else if (++*ticks > 1000) {
            timer->stop();
            ADD_FAILURE() << "the dialog did not open";
        }
    });
    timer->start(10);
}

class DatebookTabTest : public TabTest {
protected:
    void TearDown() override {
        tab_.reset();
        TabTest::TearDown();
    }
    // The tab and its dialog, wired as the main window wires them.
    void createTab() {
        tab_ = std::make_unique<DateBookTab>(host);
        dialog_ = new TfrmAddEvent(tab_.get());
        tab_->setDialog(dialog_);
        showTab(tab_.get());
    }
    DateBookTab* tab() { return tab_.get(); }
    TfrmAddEvent* dialog() { return dialog_; }
    QTreeWidgetItem* row(int slot) {
        const auto found = tab()->lvEvent->findItems(QString::number(slot), Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }
    void whenShown(std::function<QWidget*()> find, std::function<void()> act) {
        WhenShown(tab(), std::move(find), std::move(act));
    }

    std::unique_ptr<DateBookTab> tab_;
    TfrmAddEvent* dialog_ = nullptr;
};

}  // namespace orlin::test
