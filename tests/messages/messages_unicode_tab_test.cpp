// The messages tab with texts of every language the phone holds: shown in the list in the
// lists' order, composed in the dialog's "русский" mode, sent to a contact of any name, and an
// emoji said before it becomes '?'.

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "messages/messages_tab.h"
#include "messages/save_sms_dialog.h"
#include "tests/support/window_test.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace orlin::test {
namespace {

using phonesim::MessageStatus;
using phonesim::MessageStorage;

const char* const kTexts[] = {"Привет, ящик", "Müller", "Łukasz Żółć", "Ελένη",
                              "עברית",        "中文",   "ёлка"};

class MessagesUnicodeWindow : public TabTest {
protected:
    // The tab and its dialog, wired as the main window wires them, shown as when its page is.
    void SetUp() override {
        TabTest::SetUp();
        startPhone();
        phone().edit([](phonesim::PhoneState& s) {
            s.contents.messages.clear();
            int index = 1;
            for (const char* text : kTexts)
                s.contents.messages[index++] = {MessageStorage::IM, MessageStatus::RecRead,
                                                "+7900000000" + std::to_string(index),
                                                "2026/12/07,18:02:11", text};
        });
        tab_ = std::make_unique<MessagesTab>(host);
        tab = tab_.get();
        dialog = new TfrmSaveSMS(tab);
        tab->setDialog(dialog);
        tab->ApplySmallIcons();
        showTab(tab);
        tab->tsSMSShow();
    }
    void TearDown() override {
        tab_.reset();
        TabTest::TearDown();
    }
    QStringList column(int c) const {
        QStringList out;
        for (int i = 0; i < tab->lvSMS->topLevelItemCount(); ++i)
            out << tab->lvSMS->topLevelItem(i)->text(c);
        return out;
    }
    // Runs `fill` once the modal new-message dialog is up; it must close the dialog.
    void whenDialogShows(std::function<void()> fill) {
        QTimer::singleShot(0, tab, [this, fill] {
            fill();
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
    }
    std::unique_ptr<MessagesTab> tab_;
    MessagesTab* tab = nullptr;
    TfrmSaveSMS* dialog = nullptr;
};

TEST_F(MessagesUnicodeWindow, TheListShowsEveryTextAndSortsInTheListsOrder) {
    QTest::mouseClick(tab->tvSMS->viewport(), Qt::LeftButton, Qt::NoModifier,
                      tab->tvSMS->visualItemRect(tab->nodeInbox).center());
    QStringList texts;
    for (const char* text : kTexts) texts << QString::fromUtf8(text);
    EXPECT_EQ(column(6), texts);
    EXPECT_EQ(column(4), QStringList({"12", "6", "11", "5", "5", "2", "4"}));
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    // Windows-1251 letters by their byte (ё before я, as ever), every other character after
    // them by its code point.
    tab->lvSMSColumnClick(6);
    EXPECT_EQ(column(6), QStringList({"Müller", "ёлка", "Привет, ящик", "Łukasz Żółć", "Ελένη",
                                      "עברית", "中文"}));
}

// "русский" takes any letter of the phone and still counts 70; the recipient offered may
// have any name.
TEST_F(MessagesUnicodeWindow, RussianModeTakesAGreekTextToAGreekName) {
    tab->setContactOffer([] {
        return std::vector<OfferedContact>{{QIcon(), "Ελένη", "+79020000000"},
                                           {QIcon(), "Müller", "+79030000000"}};
    });
    const QString greek = QStringLiteral("Καλημέρα, Ελένη");
    QString shown, left, full;
    QStringList offered;
    whenDialogShows([&] {
        for (int i = 0; i < dialog->cbAbonents->count(); ++i)
            offered << dialog->cbAbonents->itemText(i);
        dialog->rgLanguageItems->button(1)->click();
        for (const QChar c : greek)
            QTest::sendKeyEvent(QTest::Click, dialog->Memo1, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        shown = dialog->Memo1->toPlainText();
        left = dialog->Label3->text();
        for (int i = 0; i < 60; ++i)
            QTest::sendKeyEvent(QTest::Click, dialog->Memo1, Qt::Key_unknown, QStringLiteral("ω"),
                                Qt::NoModifier);
        full = dialog->Memo1->toPlainText();
        dialog->Memo1->setPlainText(greek);
        dialog->cbAbonents->setCurrentIndex(0);
        dialog->SpeedButton1->click();
    });
    tab->sbSMSNew->click();
    EXPECT_EQ(offered, QStringList({"Ελένη", "Müller"}));
    EXPECT_EQ(shown, greek);
    EXPECT_EQ(left, QStringLiteral("Осталось символов: 55"));
    EXPECT_EQ(full.size(), 70);
    EXPECT_EQ(boxTexts(), QStringList({"Сообщение записано в \"Иходящие\"."}));
    const auto stored = phone().state().contents.messages;
    ASSERT_EQ(stored.count(8), 1u);
    EXPECT_EQ(stored.at(8).text, greek.toStdString());
    EXPECT_EQ(stored.at(8).number, "+79020000000");
}

TEST_F(MessagesUnicodeWindow, AnEmojiIsSaidBeforeItBecomesAQuestionMark) {
    whenDialogShows([&] {
        dialog->rgLanguageItems->button(1)->click();
        dialog->Memo1->setPlainText(QStringLiteral("Ура 😀"));
        dialog->cbAbonents->setEditText("+79001234567");
        dialog->SpeedButton1->click();
    });
    tab->sbSMSNew->click();
    ASSERT_EQ(boxTexts().size(), 2);
    EXPECT_EQ(boxTexts()[0],
              QStringLiteral("Телефон не хранит 1 символ текста (за пределами UCS2, например "
                             "эмодзи): в сообщении вместо него будет «?»."));
    EXPECT_EQ(phone().state().contents.messages.at(8).text, "Ура ?");
}

}  // namespace
}  // namespace orlin::test
