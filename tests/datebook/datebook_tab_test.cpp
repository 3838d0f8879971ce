// The datebook tab on its own over a window of the test's own, offscreen, against the
// simulated phone: reading into the list and the calendar, adding and editing through the
// dialog, deleting, the busy state, and the iCalendar export and import.

#include "datebook/datebook_tab.h"

#include <QAction>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "datebook/add_event_dialog.h"
#include "link/stable_id.h"
#include "link/whole_file.h"
#include "tests/datebook/datebook_tab_fixture.h"
#include "tests/support/fault_runs.h"
#include "tests/support/text.h"
#include "tests/support/window_test.h"
#include "ui/file_dialogs.h"

namespace orlin::test {
namespace {

class DatebookTab : public DatebookTabTest {
protected:
    void start(bool seeded = true, int lastSlot = 20, phonesim::FaultOptions faults = {}) {
        phonesim::PhoneSimOptions options = PhoneOptions("C350", seeded);
        options.datebookLastSlot = lastSlot;
        options.faults = faults;
        startPhone(options);
        createTab();
    }
    void click(const char* name) {
        auto* button = tab()->findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void whenDialogShows(std::function<void(TfrmAddEvent&)> fill) {
        whenShown([this] { return dialog(); }, [this, fill] { fill(*dialog()); });
    }
    // Fails the test (and cancels) when the event dialog opens within the next moment.
    void dialogMustNotShow() {
        QTimer::singleShot(0, tab(), [this] {
            if (dialog()->isVisible()) {
                ADD_FAILURE() << "the dialog opened";
                dialog()->reject();
            }
        });
    }
    bool bold(QDate day) {
        return tab()->MonthCalendar1->dateTextFormat(day).fontWeight() == QFont::Bold;
    }
    void select(std::initializer_list<int> slotList) {
        tab()->lvEvent->setCurrentItem(row(*slotList.begin()));
        for (int slot : slotList) row(slot)->setSelected(true);
    }
};

TEST_F(DatebookTab, ReadFillsTheListAndTheCalendarShowsTheDaysWithEvents) {
    start(true, 500);
    tab()->MonthCalendar1->setCurrentPage(2026, 12);
    click("sbReadAllEvents");
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    ASSERT_EQ(tab()->lvEvent->topLevelItemCount(), 12);
    QStringList first;
    for (int c = 0; c < 8; ++c) first << tab()->lvEvent->topLevelItem(0)->text(c);
    EXPECT_EQ(first, QStringList({"0", "Планёрка", "09:30", "09:15", "12-07-2026", "60",
                                  "еженедельно", "вкл."}));
    EXPECT_EQ(tab()->Label8->text(),
              QStringLiteral("Свободно: 97") + QLocale().decimalPoint() + QStringLiteral("6%"));
    EXPECT_EQ(tab()->findChild<QLabel*>("lblAllEvent")->text(), QStringLiteral("из 501"));
    EXPECT_EQ(tab()->findChild<QLabel*>("lblReadEvent")->text(), QStringLiteral("501"));
    // The first header click sorts ascending: Latin before Cyrillic, slots as text.
    tab()->lvEventColumnClick(1);
    EXPECT_EQ(tab()->lvEvent->topLevelItem(0)->text(1), QStringLiteral("Backup phone"));
    tab()->lvEventColumnClick(0);
    EXPECT_EQ(tab()->lvEvent->topLevelItem(0)->text(0), QStringLiteral("8"));
    // A start, a weekly repeat, a daily repeat; a day with nothing.
    for (QDate day : {QDate(2026, 12, 7), QDate(2026, 12, 14), QDate(2026, 12, 2)})
        EXPECT_TRUE(bold(day)) << day.toString().toStdString();
    EXPECT_FALSE(bold(QDate(2026, 11, 30)));
    tab()->MonthCalendar1->setCurrentPage(2027, 3);
    EXPECT_TRUE(bold(QDate(2027, 3, 15)));  // a birthday, yearly
    tab()->SpeedButton5Click();
    EXPECT_FALSE(bold(QDate(2027, 3, 15)));
}

TEST_F(DatebookTab, AddWithoutAReadReadsFirstAndWritesTheAlarmOnTheDayBefore) {
    start();
    whenDialogShows([](TfrmAddEvent& d) {
        EXPECT_EQ(d.EventIndex, 3);  // the seeded events fill slots 0, 1 and 2
        EXPECT_EQ(d.dtpStartDate->date(), QDate::currentDate());
        EXPECT_EQ(d.cbRepeat->currentIndex(), 2);
        d.edtEventTitle->setText(QStringLiteral("Ночь"));
        d.dtpStartDate->setDate(QDate(2027, 3, 1));
        d.dtpStartTime->setTime(QTime(0, 10));
        d.seAl_time->setValue(15);
        d.RadioGroup1Items->button(1)->setChecked(true);
        QTest::keyClick(d.cbRepeat, Qt::Key_Return);  // Enter in the repeat box confirms
    });
    phone().mark();
    click("sbAddEvent");
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    ASSERT_EQ(phone().sinceStarting("AT+MDBR=?").size(), 2u);  // the read before and after
    EXPECT_EQ(phone().sinceStarting("AT+MDBW=").size(), 1u);
    const auto event = phone().state().contents.events.at(3);
    EXPECT_EQ(event.title, "Ночь");
    EXPECT_EQ(event.alarmTime, "23:55");
    EXPECT_EQ(event.alarmDate, "02-28-2027");
    EXPECT_EQ(event.repeat, 2);
    ASSERT_NE(row(3), nullptr);
    EXPECT_EQ(row(3)->text(3), QStringLiteral("23:55"));
}

TEST_F(DatebookTab, AddOnlyIntoSlotsThatAnsweredABareOk) {
    phonesim::FaultOptions faults;
    faults.silentOn = "AT+MDBR=6";
    start(true, 20, faults);
    click("sbReadAllEvents");
    ASSERT_EQ(boxTexts().size(), 1);
    EXPECT_TRUE(boxTexts().front().startsWith(QStringLiteral("Ошибка по таймауту")));
    EXPECT_EQ(tab()->lvEvent->topLevelItemCount(), 5);  // what was read stays
    phone()->setFaults({});
    // Slot 3 answered OK; 6 and beyond were not reached.
    whenDialogShows([](TfrmAddEvent& d) {
        EXPECT_EQ(d.EventIndex, 3);
        d.SpeedButton2->click();
    });
    click("sbAddEvent");

    // A full datebook: a warning, no dialog, nothing sent.
    phone().edit([](phonesim::PhoneState& s) {
        for (int slot = 0; slot <= 20; ++slot)
            if (!s.contents.events.count(slot)) s.contents.events[slot] = s.contents.events[0];
    });
    click("sbReadAllEvents");
    clearBoxes();
    phone().mark();
    dialogMustNotShow();
    click("sbAddEvent");
    EXPECT_EQ(boxTexts(), QStringList({"В ежедневнике нет свободных ячеек."}));
    EXPECT_EQ(boxes().front().kind, MessageBoxes::Kind::Warning);
    EXPECT_TRUE(phone().since().empty());
}

TEST_F(DatebookTab, AnUnreadSlotIsNamedAndNotWrittenInto) {
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBR=3";
    faults.errorLine = "+CME ERROR: 10";
    start(true, 20, faults);
    click("sbReadAllEvents");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes().front().kind, MessageBoxes::Kind::Warning);
    EXPECT_EQ(boxTexts().front(), QStringLiteral("Не удалось прочитать ячейки ежедневника: 3. В "
                                                 "них могут быть события, которых нет в списке."));
    clearBoxes();
    int free = 4;
    while (phone().state().contents.events.count(free)) ++free;
    whenDialogShows([free](TfrmAddEvent& d) {
        EXPECT_EQ(d.EventIndex, free);
        d.SpeedButton2->click();
    });
    click("sbAddEvent");
}

// A write whose answer was cut may have gone in: the slot table is not trusted afterwards.
TEST_F(DatebookTab, AfterAWriteThatFailedHalfWayTheNextAddReadsFirst) {
    phonesim::FaultOptions faults;
    faults.cutOn = "AT+MDBW=";
    start(true, 20, faults);
    whenDialogShows([](TfrmAddEvent& d) {
        EXPECT_EQ(d.EventIndex, 3);
        d.edtEventTitle->setText(QStringLiteral("Первое"));
        QTest::keyClick(d.cbRepeat, Qt::Key_Return);
    });
    click("sbAddEvent");
    ASSERT_EQ(boxTexts().size(), 1);
    EXPECT_TRUE(boxTexts().front().startsWith(QStringLiteral("Ошибка по таймауту")));
    EXPECT_EQ(phone().state().contents.events.at(3).title, "Первое");  // taken all the same

    // An import that stops half-way says what went in, then why it stopped.
    const QString path = filePath("two.ics");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
        "BEGIN:VEVENT\r\nUID:a\r\nDTSTAMP:20270101T000000Z\r\nSUMMARY:One\r\n"
        "DTSTART:20270301T090000\r\nDURATION:PT60M\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:b\r\nDTSTAMP:20270101T000000Z\r\nSUMMARY:Two\r\n"
        "DTSTART:20270302T090000\r\nDURATION:PT60M\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    file.close();
    click("sbReadAllEvents");
    clearBoxes();
    faults = {};
    faults.silentOn = "AT+MDBW=";
    phone()->setFaults(faults);
    whenShown([this] { return tab()->findChild<QFileDialog*>("dlgImportICalendar"); },
              [this, path] {
                  auto* d = tab()->findChild<QFileDialog*>("dlgImportICalendar");
                  acceptFileDialog(d, path);
              });
    tab()->ImportICalendarClick();
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Warning);
    EXPECT_TRUE(boxTexts()[0].contains(QStringLiteral("телефон не ответил")))
        << boxTexts()[0].toStdString();
    EXPECT_TRUE(boxTexts()[0].contains(QStringLiteral("связь с телефоном прервалась")));
    EXPECT_TRUE(boxTexts()[1].startsWith(QStringLiteral("Ошибка по таймауту")));

    phone()->setFaults({});
    clearBoxes();
    phone().mark();
    int free = 4;
    while (phone().state().contents.events.count(free)) ++free;
    whenDialogShows([free](TfrmAddEvent& d) {
        EXPECT_EQ(d.EventIndex, free);
        d.SpeedButton2->click();
    });
    click("sbAddEvent");
    EXPECT_EQ(phone().sinceStarting("AT+MDBR=?").size(), 1u);
}

TEST_F(DatebookTab, DoubleClickEditKeepsTheLeadAndWritesARawRepeatCodeBack) {
    start();
    phone().edit([](phonesim::PhoneState& s) { s.contents.events[1].repeat = 7; });
    click("sbReadAllEvents");
    QTreeWidget* list = tab()->lvEvent;
    EXPECT_EQ(row(1)->text(6), QStringLiteral("7"));
    EXPECT_EQ(row(1)->text(7), QStringLiteral("вкл."));

    whenDialogShows([](TfrmAddEvent& d) {
        EXPECT_EQ(d.edtEventTitle->text(), QStringLiteral("Планёрка"));
        EXPECT_EQ(d.seAl_time->value(), 15);
        EXPECT_EQ(d.cbRepeat->currentText(), QStringLiteral("еженедельно"));
        EXPECT_EQ(d.RadioGroup1Items->checkedId(), 1);
        d.edtEventTitle->setText(QStringLiteral("Планёрка у директора"));
        d.SpeedButton1->click();
    });
    select({0});
    const QPoint title(list->columnViewportPosition(1) + 10,
                       list->visualItemRect(row(0)).center().y());
    // As a mouse does it: a click, then the double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, title);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, title);
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    auto event = phone().state().contents.events.at(0);
    EXPECT_EQ(event.title, "Планёрка у директора");
    EXPECT_EQ(event.alarmTime, "09:15");

    // The raw code goes back unchanged; this phone refuses it, and says so.
    whenDialogShows([](TfrmAddEvent& d) {
        EXPECT_EQ(d.cbRepeat->currentIndex(), -1);
        EXPECT_EQ(d.seAl_time->value(), 60);
        d.SpeedButton1->click();
    });
    select({1});
    phone().mark();
    tab()->lvEventDblClick();  // "Редактировать" of the main menu
    ASSERT_EQ(phone().sinceStarting("AT+MDBW=").size(), 1u);
    EXPECT_TRUE(phone().sinceStarting("AT+MDBW=").front().ends_with(",7"));
    EXPECT_EQ(boxTexts(), QStringList({"Телефон не записал событие в ячейку 1.\r\n"
                                       "Ответ телефона: ERROR"}));
    EXPECT_EQ(phone().sinceStarting("AT+MDBR=?").size(), 1u);  // the list was read again
}

TEST_F(DatebookTab, DeleteSendsEverySelectedRowInOneLockAndReportsEachFailure) {
    start();
    click("sbReadAllEvents");
    select({4, 0, 2});
    phone().mark();
    click("sbDeleteEvent");
    const auto sent = phone().since();
    ASSERT_GE(sent.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 5),
              (std::vector<std::string>{"AT+MDBL=1", "AT+MDBWE=0,0,0", "AT+MDBWE=2,0,0",
                                        "AT+MDBWE=4,0,0", "AT+MDBL=0"}));
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_EQ(tab()->lvEvent->topLevelItemCount(), 9);

    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBWE=1,";
    phone()->setFaults(faults);
    select({1});
    tab()->pmEventPopup();
    tab()->ppmDelete->trigger();
    EXPECT_EQ(boxTexts(), QStringList({"Телефон не удалил событие в ячейке 1.\r\n"
                                       "Ответ телефона: ERROR"}));
    EXPECT_NE(row(1), nullptr);

    clearBoxes();
    tab()->lvEvent->clearSelection();
    click("sbDeleteEvent");
    EXPECT_EQ(boxTexts(), QStringList({"Нет выбранной записи..."}));

    // A port that is not there shows its own text.
    clearBoxes();
    host.settings.PortName = "/dev/orlin-no-such-port";
    select({1});
    click("sbDeleteEvent");
    EXPECT_EQ(boxTexts(), QStringList({"Телефон не подключен."}));
}

TEST_F(DatebookTab, NoSecondOperationStartsWhileOneRuns) {
    phonesim::PhoneSimOptions options = PhoneOptions("C350", true);
    options.datebookLastSlot = 30;
    options.latencyMs = 5;
    startPhone(options);
    createTab();
    // An item of the window's own (as its iCalendar items are) follows the busy state too.
    QAction windowItem;
    host.busy().add(&windowItem);
    bool checked = false;
    QTimer::singleShot(60, tab(), [&] {
        auto* read = tab()->findChild<QPushButton*>("sbReadAllEvents");
        EXPECT_FALSE(read->isEnabled());
        EXPECT_FALSE(tab()->ppmReadAllEvents->isEnabled());
        EXPECT_FALSE(windowItem.isEnabled());
        tab()->sbReadAllEventsClick();
        tab()->sbAddEventClick();
        tab()->sbDeleteEventClick();
        tab()->SpeedButton2Click();
        checked = true;
    });
    phone().mark();
    tab()->sbReadAllEventsClick();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_EQ(phone().sinceStarting("AT+MDBR=?").size(), 1u);
    EXPECT_EQ(phone().sinceStarting("AT+MDBAD").size(), 0u);
    EXPECT_TRUE(tab()->findChild<QPushButton*>("sbReadAllEvents")->isEnabled());

    // The automatic deletion: a refusal names the setting.
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBAD";
    phone()->setFaults(faults);
    tab()->RadioGroup1Items->button(2)->setChecked(true);
    click("SpeedButton2");
    EXPECT_EQ(phone().sinceStarting("AT+MDBAD").back(), "AT+MDBAD=2");
    EXPECT_EQ(boxTexts(), QStringList({"Телефон не принял настройку автоудаления "
                                       "\"после 2-х недель\".\r\nОтвет телефона: ERROR"}));
}

// A delete that the phone's hang-up stops half-way says which events went and which stay,
// and reads the list again, so that no row of a deleted event is left to edit back.
TEST_F(DatebookTab, ADeleteStoppedHalfWayNamesWhatWentAndLeavesNoStaleRow) {
    start();
    click("sbReadAllEvents");
    select({0, 2, 4});
    phonesim::FaultOptions faults;
    // The lock and the first delete are answered, then the line closes.
    faults.hangUpAfterCommands = static_cast<int>(phone()->commandsReceived()) + 2;
    phone()->setFaults(faults);
    click("sbDeleteEvent");
    ASSERT_FALSE(boxes().empty());
    EXPECT_TRUE(boxTexts()[0].startsWith(QStringLiteral("Удаление прервано: ")))
        << boxTexts()[0].toStdString();
    EXPECT_TRUE(boxTexts()[0].endsWith(
        QStringLiteral("\r\nУдалены события в ячейках: 0.\r\nНе удалены: 2, 4.")))
        << boxTexts()[0].toStdString();
    EXPECT_EQ(phone().state().contents.events.count(0), 0u);
    EXPECT_EQ(row(0), nullptr);
}

// The window's export gives the events the phone's stable identity, as orlin-cli does: two
// exports of an unchanged phone a second apart are the same bytes, named by the key of the
// serial number (or of none, for a phone without one).
TEST_F(DatebookTab, ICalendarExportsOfAnUnchangedPhoneAreTheSameBytes) {
    start();
    click("sbReadAllEvents");
    for (const char* serial : {"351234567890123", ""}) {
        SCOPED_TRACE(serial);
        phone().edit([&](phonesim::PhoneState& s) { s.imei = serial; });
        QByteArray bytes[2];
        for (int i = 0; i < 2; ++i) {
            if (i == 1) QTest::qWait(1100);  // a time in the output would differ now
            const QString path =
                filePath(QStringLiteral("ids%1%2.ics").arg(*serial ? 1 : 0).arg(i));
            whenShown([this] { return tab()->findChild<QFileDialog*>("dlgExportICalendar"); },
                      [this, path] {
                          acceptFileDialog(tab()->findChild<QFileDialog*>("dlgExportICalendar"),
                                           path);
                      });
            tab()->ExportICalendarClick();
            bytes[i] = readFile(path);
        }
        EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
        EXPECT_EQ(bytes[0].count("BEGIN:VEVENT"), 12);
        EXPECT_EQ(bytes[0], bytes[1]);
        EXPECT_EQ(bytes[0].count(QByteArray::fromStdString("UID:orlin-" + PhoneKey(serial) + "-")),
                  12);
    }
}

// The window's import of its own export, edited, puts the edited event back into its own slot
// (as orlin-cli does), not into a free one.
TEST_F(DatebookTab, AnEditedOwnEventGoesBackIntoItsSlot) {
    start();
    click("sbReadAllEvents");
    const QString path = filePath("own.ics");
    whenShown([this] { return tab()->findChild<QFileDialog*>("dlgExportICalendar"); },
              [this, path] {
                  acceptFileDialog(tab()->findChild<QFileDialog*>("dlgExportICalendar"), path);
              });
    tab()->ExportICalendarClick();
    const int slot = 1;
    ASSERT_EQ(phone().state().contents.events.count(slot), 1u);
    const size_t count = phone().state().contents.events.size();
    writeFile(path, QByteArray::fromStdString(
                        RetitledEvent(readFile(path).toStdString(), slot, "Moved")));
    clearBoxes();
    whenShown([this] { return tab()->findChild<QFileDialog*>("dlgImportICalendar"); },
              [this, path] {
                  acceptFileDialog(tab()->findChild<QFileDialog*>("dlgImportICalendar"), path);
              });
    tab()->ImportICalendarClick();
    // The others are there as they were.
    EXPECT_EQ(boxTexts(), QStringList({QStringLiteral("Уже есть в телефоне (тот же заголовок, "
                                                      "время и дата), не записано: %1")
                                           .arg(count - 1)}));
    EXPECT_EQ(phone().state().contents.events.at(slot).title, "Moved");
    EXPECT_EQ(phone().state().contents.events.size(), count);
    ASSERT_NE(row(slot), nullptr);
    EXPECT_EQ(row(slot)->text(1), QStringLiteral("Moved"));
}

// An export of a list that misses slots the phone would not read out asks first, naming what
// the file will hold.
TEST_F(DatebookTab, AnExportOfAnIncompleteListAsksFirst) {
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MDBR=3";
    faults.errorLine = "+CME ERROR: 10";
    start(true, 20, faults);
    click("sbReadAllEvents");
    const int rows = tab()->lvEvent->topLevelItemCount();
    clearBoxes();
    const QString path = filePath("part.ics");
    whenShown([this] { return tab()->findChild<QFileDialog*>("dlgExportICalendar"); },
              [this, path] {
                  acceptFileDialog(tab()->findChild<QFileDialog*>("dlgExportICalendar"), path);
              });
    tab()->ExportICalendarClick();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Warning);
    EXPECT_TRUE(boxes()[0].yesNo);
    EXPECT_TRUE(boxTexts()[0].startsWith(QStringLiteral("Список событий неполон")));
    EXPECT_TRUE(boxTexts()[0].contains(QStringLiteral("только %1 событий из списка").arg(rows)))
        << boxTexts()[0].toStdString();
    EXPECT_EQ(readFile(path).count("BEGIN:VEVENT"), rows);  // answered Yes
}

TEST_F(DatebookTab, AnExportThatFailsHalfWayLeavesTheOldFile) {
    start();
    const QString path = filePath("datebook.ics");
    const std::string old(3000, 'o');
    WriteWholeFile(Utf8Path(path), old);
    click("sbReadAllEvents");
    const int files = QDir(filePath(".")).entryList(QDir::Files).size();
    whenShown([this] { return tab()->findChild<QFileDialog*>("dlgExportICalendar"); },
              [this, path] {
                  auto* d = tab()->findChild<QFileDialog*>("dlgExportICalendar");
                  d->setOption(QFileDialog::DontConfirmOverwrite);
                  acceptFileDialog(d, path);
              });
    {
        FileSizeLimit diskFullAt(100);
        tab()->ExportICalendarClick();
    }
    EXPECT_EQ(readFile(path).toStdString(), old);
    EXPECT_EQ(boxTexts(), QStringList({"Файл слишком велик."}));
    EXPECT_EQ(QDir(filePath(".")).entryList(QDir::Files).size(), files);
}

}  // namespace
}  // namespace orlin::test
