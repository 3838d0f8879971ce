// The datebook tab with titles in any script: shown as the phone holds them, sorted in the
// lists' order, typed into the dialog up to the phone's limit in characters, and an emoji
// named after the write; the tab on its own over the test's window.

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "datebook/add_event_dialog.h"
#include "datebook/datebook_tab.h"
#include "tests/datebook/datebook_tab_fixture.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

const QStringList kTitles = {"Müller", "Łukasz Żółć", "Ελένη", "עברית", "中文", "Встреча"};

class DatebookTabUnicode : public DatebookTabTest {
protected:
    void start() {
        phonesim::PhoneSimOptions options = PhoneOptions("C350", false);
        options.datebookLastSlot = 20;
        startPhone(options);
        phone().edit([](phonesim::PhoneState& s) {
            s.datebookTitleLength = 8;
            for (int i = 0; i < kTitles.size(); ++i) {
                phonesim::DatebookEvent e;
                e.title = kTitles[i].toStdString();
                e.startTime = "09:30";
                e.startDate = "01-1" + std::to_string(i) + "-2027";
                s.contents.events[i] = e;
            }
        });
        createTab();
    }
    QStringList column(int c) {
        QStringList texts;
        for (int i = 0; i < tab()->lvEvent->topLevelItemCount(); ++i)
            texts << tab()->lvEvent->topLevelItem(i)->text(c);
        return texts;
    }
};

TEST_F(DatebookTabUnicode, TitlesShowSortAndGoBackAsTheyAre) {
    start();
    QTest::mouseClick(tab()->findChild<QPushButton*>("sbReadAllEvents"), Qt::LeftButton);
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_EQ(column(1), kTitles);
    // Latin, then Cyrillic by its Windows-1251 order, then the rest by code point.
    tab()->lvEventColumnClick(1);
    EXPECT_EQ(column(1),
              QStringList({"Müller", "Встреча", "Łukasz Żółć", "Ελένη", "עברית", "中文"}));

    // The dialog takes eight Chinese characters, the phone's limit, and no ninth; an emoji
    // goes as '?' and the tab names the event.
    TfrmAddEvent* dialog = this->dialog();
    whenShown([dialog] { return dialog; },
              [dialog] {
                  dialog->edtEventTitle->clear();
                  // Typed one key at a time (QTest::keyClicks knows only ASCII).
                  for (QChar c : QStringLiteral("中文中文中文中文中")) {
                      QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                      QCoreApplication::sendEvent(dialog->edtEventTitle, &key);
                  }
                  EXPECT_EQ(dialog->edtEventTitle->text(), QStringLiteral("中文中文中文中文"));
                  EXPECT_EQ(dialog->Draft().title, "中文中文中文中文");
                  dialog->edtEventTitle->setText(QStringLiteral("Ура 🎉"));
                  dialog->SpeedButton1Click();
              });
    QTest::mouseClick(tab()->findChild<QPushButton*>("sbAddEvent"), Qt::LeftButton);
    EXPECT_EQ(boxTexts(), QStringList({"«Ура 🎉»: знаки, которых телефон не хранит (эмодзи и "
                                       "другие вне UCS2), записаны как «?»"}));
    EXPECT_EQ(phone().state().contents.events.at(6).title, "Ура ?");
}

}  // namespace
}  // namespace orlin::test
