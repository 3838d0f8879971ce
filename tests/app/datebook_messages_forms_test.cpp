// The datebook and message tabs' own small handlers (calendar, clearing, pop-up enabling,
// the text of the chosen message) and the captions of their dialogs; each tab on its own over
// a window of the test's own.

#include <QAction>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "datebook/add_event_dialog.h"
#include "datebook/datebook_tab.h"
#include "messages/messages_tab.h"
#include "messages/save_sms_dialog.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class FormsTest : public TabTest {
protected:
    void SetUp() override {
        TabTest::SetUp();
        host.settings.PortName = "COM3";
    }
    void TearDown() override {
        datebook_.reset();
        messages_.reset();
        TabTest::TearDown();
    }
    // Each tab with its dialog, as the main window wires them, shown.
    DateBookTab* datebook() {
        datebook_ = std::make_unique<DateBookTab>(host);
        eventDialog = new TfrmAddEvent(datebook_.get());
        datebook_->setDialog(eventDialog);
        showTab(datebook_.get());
        return datebook_.get();
    }
    MessagesTab* messages() {
        messages_ = std::make_unique<MessagesTab>(host);
        messageDialog = new TfrmSaveSMS(messages_.get());
        messages_->setDialog(messageDialog);
        showTab(messages_.get());
        return messages_.get();
    }

    TfrmAddEvent* eventDialog = nullptr;
    TfrmSaveSMS* messageDialog = nullptr;

private:
    std::unique_ptr<DateBookTab> datebook_;
    std::unique_ptr<MessagesTab> messages_;
};

TEST_F(FormsTest, CalendarFollowsItsCheckBoxAndClearingResetsTheFreeShare) {
    DateBookTab* d = datebook();
    // At start the calendar shows although the box is not ticked.
    EXPECT_FALSE(d->CheckBox1->isChecked());
    EXPECT_TRUE(d->MonthCalendar1->isVisible());
    QTest::mouseClick(d->CheckBox1, Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, d->CheckBox1->height() / 2));
    EXPECT_TRUE(d->MonthCalendar1->isVisible());
    QTest::mouseClick(d->CheckBox1, Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, d->CheckBox1->height() / 2));
    EXPECT_FALSE(d->MonthCalendar1->isVisible());

    new QTreeWidgetItem(d->lvEvent, {"1", "Встреча"});
    d->Label8->setText("Свободно: 99%");
    QTest::mouseClick(d->SpeedButton5, Qt::LeftButton);
    EXPECT_EQ(d->lvEvent->topLevelItemCount(), 0);
    EXPECT_EQ(d->Label8->text(), QStringLiteral("Свободно: "));
    EXPECT_EQ(d->RadioGroup1Items->checkedId(), 1);
}

TEST_F(FormsTest, EventPopupEnablesEditAndDeleteOnlyForASelectedRow) {
    DateBookTab* d = datebook();
    QStringList captions;
    for (QAction* a : d->pmEvent->actions()) captions << a->text();
    EXPECT_EQ(captions, QStringList({"Прочитать все", "Добавить событие", "Редактировать",
                                     "Удалить", "Очистить"}));
    d->pmEventPopup();
    EXPECT_FALSE(d->ppmEditEvent->isEnabled());
    EXPECT_FALSE(d->ppmDelete->isEnabled());
    auto* row = new QTreeWidgetItem(d->lvEvent, {"3", "Встреча"});
    d->pmEventPopup();
    EXPECT_FALSE(d->ppmEditEvent->isEnabled());  // rows, but none selected
    row->setSelected(true);
    d->pmEventPopup();
    EXPECT_TRUE(d->ppmEditEvent->isEnabled());
    EXPECT_TRUE(d->ppmDelete->isEnabled());
    EXPECT_TRUE(d->ppmReadAllEvents->isEnabled());
}

TEST_F(FormsTest, MessageListShowsTheTextOfTheChosenRowAndClearResetsTheFolders) {
    MessagesTab* m = messages();
    auto* first =
        new QTreeWidgetItem(m->lvSMS, {"1", "+7916", "-", "входящее", "5", "прочитано", "Привет"});
    new QTreeWidgetItem(m->lvSMS, {"2", "+7903", "-", "входящее", "4", "прочитано", "Пока"});
    first->setSelected(true);
    EXPECT_EQ(m->mmSMS->toPlainText(), QStringLiteral("Привет"));
    m->lvSMS->clearSelection();
    EXPECT_TRUE(m->mmSMS->toPlainText().isEmpty());

    m->nodeInbox->setText(0, "Входящие (2)");
    m->nodeArchive->setText(0, "Архив (7)");
    first->setSelected(true);
    QTest::mouseClick(m->SpeedButton12, Qt::LeftButton);
    EXPECT_EQ(m->lvSMS->topLevelItemCount(), 0);
    EXPECT_TRUE(m->mmSMS->toPlainText().isEmpty());
    EXPECT_EQ(m->nodeInbox->text(0), QStringLiteral("Входящие"));
    EXPECT_EQ(m->nodeArchive->text(0), QStringLiteral("Архив (7)"));  // keeps its count
    EXPECT_EQ(MessagesTab::StateIndex(m->nodeDrafts), 4);
    EXPECT_EQ(MessagesTab::StateIndex(m->nodeArchive), 5);
    QStringList captions;
    for (QAction* a : m->pmSMS->actions()) captions << a->text();
    EXPECT_EQ(captions, QStringList({"Прочитать", "Удалить", "Новое", "Сохранить", "Отправить",
                                     "Очистить", "Mark as Read"}));
}

TEST_F(FormsTest, DialogsCarryTheirCaptionsAndDefaults) {
    datebook();
    messages();
    EXPECT_EQ(eventDialog->windowTitle(), QStringLiteral("Новое событие"));
    EXPECT_EQ(eventDialog->cbRepeat->currentText(), QStringLiteral("ежедневно"));
    EXPECT_EQ(eventDialog->cbRepeat->count(), 6);
    EXPECT_EQ(messageDialog->windowTitle(), QStringLiteral("Новое сообщение"));
    EXPECT_EQ(messageDialog->Label3->text(), QStringLiteral("Осталось символов: 160"));
    EXPECT_EQ(messageDialog->cbAbonents->maxVisibleItems(), 8);
}

}  // namespace
}  // namespace orlin::test
