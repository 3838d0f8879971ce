// The datebook tab on its own over a window of the test's own, offscreen, against phones in
// the forms real phones use: the quick read and its check box, untimed and extended events
// edited through the dialog, and a phone without a lock.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "datebook/add_event_dialog.h"
#include "datebook/datebook_tab.h"
#include "link/remembered_options.h"
#include "link/whole_file.h"
#include "tests/datebook/datebook_tab_fixture.h"
#include "tests/support/text.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class DatebookTabForms : public DatebookTabTest {
protected:
    void start(phonesim::PhoneSimOptions options) {
        startPhone(options);
        createTab();
    }
    void read() {
        QTest::mouseClick(tab()->findChild<QPushButton*>("sbReadAllEvents"), Qt::LeftButton);
    }
    // Confirms the event dialog as it opens, changing nothing.
    void confirmWhenShown() {
        whenShown([this] { return dialog(); }, [this] { dialog()->SpeedButton1Click(); });
    }
};

TEST_F(DatebookTabForms, TheQuickReadIsAChoiceRememberedBetweenRuns) {
    start(PhoneOptions("C350"));
    QCheckBox* quick = tab()->cbQuickRead;
    EXPECT_EQ(quick->text(), QStringLiteral("Быстрое чтение"));
    EXPECT_FALSE(quick->isChecked());
    QTest::mouseClick(quick, Qt::LeftButton);
    EXPECT_EQ(RememberedOption("DatebookQuickRead", ""), "1");
    phone().mark();
    read();
    EXPECT_EQ(tab()->lvEvent->topLevelItemCount(), 12);
    EXPECT_EQ(phone().sinceStarting("AT+MDBR=").size(), 1u + 17u + 1u);
    EXPECT_TRUE(tab()->Label8->text().startsWith(QStringLiteral("Свободно: 97")));

    // The next start of the program shows the box as it was left.
    tab_.reset();
    createTab();
    EXPECT_TRUE(tab()->cbQuickRead->isChecked());
    QTest::mouseClick(tab()->cbQuickRead, Qt::LeftButton);
    EXPECT_EQ(RememberedOption("DatebookQuickRead", ""), "0");
}

// An untimed event of two days with its alarm two days ahead, on a later model without a lock:
// the list shows no start time, and "Создать" on the unchanged dialog writes it back as the
// phone had it (flag, duration, alarm, the extended line's fields).
TEST_F(DatebookTabForms, AnEditThatChangesNothingWritesTheEventBackAsItCame) {
    phonesim::PhoneSimOptions options = PhoneOptions("C650", false);
    options.datebookLastSlot = 9;
    options.forms.extendedDatebook = true;
    options.forms.noDatebookLock = true;
    ForgetFirstTimes();
    start(options);
    phonesim::DatebookEvent e;
    e.title = "Дача";
    e.firstFlag = 0;
    e.alarmOn = 1;
    e.startTime = "00:00";
    e.startDate = "05-01-2027";
    e.duration = 2880;
    e.alarmTime = "00:00";
    e.alarmDate = "04-29-2027";
    e.extendedTail = {"3", "0", "0", "0", "255", "0", "0", "0", "1"};
    phone().edit([&e](phonesim::PhoneState& s) { s.contents.events[4] = e; });
    read();
    ASSERT_NE(row(4), nullptr);
    EXPECT_EQ(row(4)->text(2), QString());  // the start time of an untimed event
    EXPECT_EQ(row(4)->text(5), QStringLiteral("2880"));
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral(
                              "Телефон не поддерживает блокировку ежедневника; чтение без "
                              "блокировки.")});

    tab()->lvEvent->setCurrentItem(row(4));
    row(4)->setSelected(true);
    confirmWhenShown();
    tab()->lvEventDblClick();
    EXPECT_EQ(dialog()->seDuration->value(), 1440);  // as far as the box goes
    EXPECT_EQ(phone().state().contents.events.at(4), e);
    // Read again after the write: the note is not said a second time.
    EXPECT_EQ(boxTexts().size(), 1);

    // A duration the user sets is written, and a time the user sets makes the event timed.
    auto* timer = new QTimer(tab());
    QObject::connect(timer, &QTimer::timeout, [this, timer] {
        if (!dialog()->isVisible()) return;
        timer->stop();
        dialog()->seDuration->setValue(90);
        dialog()->dtpStartTime->setTime(QTime(9, 30));
        dialog()->SpeedButton1Click();
    });
    timer->start(10);
    tab()->lvEvent->setCurrentItem(row(4));
    row(4)->setSelected(true);
    tab()->lvEventDblClick();
    const phonesim::DatebookEvent changed = phone().state().contents.events.at(4);
    EXPECT_EQ(changed.duration, 90);
    EXPECT_EQ(changed.firstFlag, 1);
    EXPECT_EQ(changed.startTime, "09:30");
    EXPECT_EQ(changed.extendedTail, e.extendedTail);
}

}  // namespace
}  // namespace orlin::test
