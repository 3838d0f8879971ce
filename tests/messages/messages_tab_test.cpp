// The messages tab on its own over a window of the test's own, offscreen, against the
// simulated C350: reading the folders, composing and sending through the dialog and from the
// phonebook's pop-up (a phonebook tab over the same window), deleting, marking, exporting and
// searching.

#include "messages/messages_tab.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

#include "link/whole_file.h"
#include "messages/save_sms_dialog.h"
#include "phonebook/add_record_dialog.h"
#include "phonebook/option_dialog.h"
#include "phonebook/phonebook_tab.h"
#include "tests/support/fault_runs.h"
#include "tests/support/text.h"
#include "tests/support/window_test.h"
#include "ui/file_dialogs.h"

// Texts of failed comparisons in full.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace orlin::test {
namespace {

using phonesim::MessageStatus;

// Types the text key by key, as a keyboard does (any letters, unlike QTest::keyClicks).
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()),
                            QString(c), Qt::NoModifier);
}

class MessagesWindow : public TabTest {
protected:
    // The tab and its dialog, wired as the main window wires them, shown as when its page is.
    void SetUp() override {
        TabTest::SetUp();
        startPhone();
        tab_ = std::make_unique<MessagesTab>(host);
        tab = tab_.get();
        dialog = new TfrmSaveSMS(tab);
        tab->setDialog(dialog);
        tab->ApplySmallIcons();
        QObject::connect(tab, &MessagesTab::readAvailableChanged,
                         [this](bool available) { readAvailable = available; });
        showTab(tab);
        tab->tsSMSShow();
    }
    void TearDown() override {
        tab_.reset();
        book_.reset();
        TabTest::TearDown();
    }
    // A phonebook tab over the same window, offering its contacts to the messages tab and
    // asking it to send, as the main window wires the two.
    PhoneBookTab* phonebook() {
        book_ = std::make_unique<PhoneBookTab>(host);
        book_->setDialogs(new TfrmAddRecord(host, book_.get()), new TfrmOption(book_.get()));
        tab->setContactOffer([book = book_.get()] { return book->OfferedContacts(); });
        QObject::connect(book_.get(), &PhoneBookTab::sendMessageRequested, tab,
                         &MessagesTab::mnuSendSMSClick);
        showTab(book_.get());
        return book_.get();
    }
    void clickNode(QTreeWidgetItem* node) {
        QTest::mouseClick(tab->tvSMS->viewport(), Qt::LeftButton, Qt::NoModifier,
                          tab->tvSMS->visualItemRect(node).center());
    }
    QStringList column(int c, bool visibleOnly = false) const {
        QStringList out;
        for (int i = 0; i < tab->lvSMS->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = tab->lvSMS->topLevelItem(i);
            if (!visibleOnly || !item->isHidden()) out << item->text(c);
        }
        return out;
    }
    QTreeWidgetItem* row(const QString& index) const {
        const auto found = tab->lvSMS->findItems(index, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }
    void select(const QStringList& indexes) {
        tab->lvSMS->clearSelection();
        for (const QString& index : indexes) row(index)->setSelected(true);
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
    std::map<int, phonesim::Message> messages() { return phone().state().contents.messages; }

    MessagesTab* tab = nullptr;
    TfrmSaveSMS* dialog = nullptr;
    // What the tab said last about its "Прочитать" (the window's "SMS/Прочитать" follows it).
    bool readAvailable = false;

private:
    std::unique_ptr<PhoneBookTab> book_;
    std::unique_ptr<MessagesTab> tab_;
};

TEST_F(MessagesWindow, AFolderClickFillsTheListWithBoldUnreadRows) {
    clickNode(tab->nodeInbox);
    EXPECT_EQ(column(0), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(tab->nodeInbox->text(0), QStringLiteral("Входящие (5)"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tab->lvSMS->topLevelItem(i)->font(6).bold(), i == 0 || i == 2) << i;
    EXPECT_TRUE(boxes().empty()) << boxTexts().join("|").toStdString();
    EXPECT_TRUE(QFile::exists(filePath("sms_789012.txt")));
    select({"2"});
    EXPECT_EQ(tab->mmSMS->toPlainText(), QStringLiteral("Позвони, когда будешь дома. Мама"));
    EXPECT_TRUE(tab->pmSMSRead->isEnabled());
    EXPECT_TRUE(readAvailable);
    // The first header click sorts ascending, by text: "900" after "+7...".
    tab->lvSMSColumnClick(1);
    EXPECT_EQ(column(1), QStringList({"+380501234567", "+441632960123", "+79031112233",
                                      "+79111234567", "900"}));
    tab->lvSMSColumnClick(4);
    EXPECT_EQ(column(4), QStringList({"42", "35", "32", "19", "18"}));

    clickNode(tab->nodeOutbox);
    EXPECT_EQ(column(0), QStringList({"8", "9"}));
    EXPECT_EQ(column(2), QStringList({"-------------", "-------------"}));
    EXPECT_EQ(tab->nodeOutbox->text(0), QStringLiteral("Исходящие (2)"));
    clickNode(tab->nodeArchive);
    EXPECT_EQ(tab->nodeArchive->text(0), QStringLiteral("Архив (5)"));
    EXPECT_EQ(column(3), QStringList(5, QStringLiteral("архив")));
    clickNode(tab->nodePhone);
    EXPECT_FALSE(tab->pmSMSRead->isEnabled());
    EXPECT_FALSE(readAvailable);
    EXPECT_EQ(tab->lvSMS->topLevelItemCount(), 5);  // nothing read

    // The search filters the current view by number or text, in any letter case.
    clickNode(tab->nodeInbox);
    select({"1", "4"});
    tab->edtSearch->setText(QStringLiteral("МЕТРО"));
    EXPECT_EQ(column(0, true), QStringList({"1"}));
    EXPECT_FALSE(row("4")->isSelected());
    tab->edtSearch->setText(QStringLiteral("airPORT"));
    EXPECT_EQ(column(0, true), QStringList({"3"}));
    tab->edtSearch->setText(QStringLiteral("+38050"));
    EXPECT_EQ(column(0, true), QStringList({"4"}));
    tab->edtSearch->clear();
    EXPECT_EQ(column(0, true).size(), 5);
    EXPECT_EQ(tab->nodeInbox->text(0), QStringLiteral("Входящие (5)"));
}

TEST_F(MessagesWindow, ComposeAndSendThroughTheDialog) {
    whenDialogShows([this] {
        EXPECT_FALSE(tab->sbDeleteSMS->isEnabled());  // the window is busy meanwhile
        dialog->cbAbonents->setEditText(QStringLiteral("+7900\";+CMGD=1;\""));
        type(dialog->Memo1, QStringLiteral("Hello"));
        QTest::keyClick(dialog->Memo1, Qt::Key_Return);  // never taken
        dialog->RadioGroupItems->button(1)->click();
        dialog->SpeedButton1->click();
        EXPECT_TRUE(dialog->isVisible());  // the number was refused
        dialog->cbAbonents->setEditText(QStringLiteral("+79001234567"));
        dialog->SpeedButton1->click();
    });
    tab->sbSMSNew->click();
    EXPECT_EQ(boxTexts(), QStringList({"Номер содержит недопустимые символы.",
                                       "Сообщение отправлено и записано в \"Иходящие\"."}));
    const auto stored = messages();
    ASSERT_EQ(stored.count(12), 1u);
    EXPECT_EQ(stored.at(12).number, "+79001234567");
    EXPECT_EQ(stored.at(12).text, "Hello");
    EXPECT_EQ(stored.at(12).status, MessageStatus::StoSent);
    EXPECT_TRUE(tab->sbDeleteSMS->isEnabled());

    // The dialog keeps its text and action; a refused send says so and deletes nothing.
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+CMSS";
    phone()->setFaults(faults);
    clearBoxes();
    phone().mark();
    whenDialogShows([this] {
        EXPECT_EQ(dialog->Memo1->toPlainText(), QStringLiteral("Hello"));
        dialog->RadioGroupItems->button(2)->click();
        dialog->cbAbonents->setEditText(QStringLiteral("+79001234568"));
        dialog->SpeedButton1->click();
    });
    tab->N19Click();  // "SMS/Новое" of the main menu
    EXPECT_EQ(boxTexts(), QStringList({"Сбой отправки..."}));
    EXPECT_TRUE(phone().sinceStarting("AT+CMGD").empty());
    EXPECT_EQ(messages().at(13).status, MessageStatus::StoUnsent);
}

TEST_F(MessagesWindow, TheTextStopsAtItsLimitAndTheLanguageEmptiesIt) {
    whenDialogShows([this] {
        type(dialog->Memo1, QString(160, QChar(u'a')));
        EXPECT_EQ(dialog->Label3->text(), QStringLiteral("Осталось символов: 0"));
        type(dialog->Memo1, QStringLiteral("bc"));
        EXPECT_EQ(dialog->Memo1->toPlainText(), QString(160, QChar(u'a')));
        QTest::keyClick(dialog->Memo1, Qt::Key_Backspace);
        type(dialog->Memo1, QStringLiteral("Жz"));  // no Russian in English mode
        EXPECT_EQ(dialog->Memo1->toPlainText(), QString(159, QChar(u'a')) + "z");
        dialog->rgLanguageItems->button(1)->click();
        EXPECT_TRUE(dialog->Memo1->toPlainText().isEmpty());
        EXPECT_EQ(dialog->Label3->text(), QStringLiteral("Осталось символов: 70"));
        type(dialog->Memo1, QString(71, QChar(u'Ж')));
        EXPECT_EQ(dialog->Memo1->toPlainText(), QString(70, QChar(u'Ж')));
        dialog->SpeedButton1->click();
        EXPECT_EQ(boxTexts(), QStringList({"Введите номер для отправки"}));
        dialog->SpeedButton2->click();
    });
    tab->sbSMSNew->click();
    EXPECT_EQ(boxes().size(), 1u);
}

// Typed text is never lost to a click that changes nothing, and a pasted text over the limit
// is refused at "Ok" with the counter's reason instead of by the phone without one.
TEST_F(MessagesWindow, TheChosenLanguageKeepsTheTextAndOkRefusesAnOverlongOne) {
    whenDialogShows([this] {
        dialog->rgLanguageItems->button(0)->click();  // already chosen
        dialog->cbAbonents->setEditText(QStringLiteral("+79111234567"));
        dialog->Memo1->setPlainText(QString(200, QChar(u'a')));  // pasted
        dialog->rgLanguageItems->button(0)->click();
        EXPECT_EQ(dialog->Memo1->toPlainText().size(), 200);
        EXPECT_EQ(dialog->Label3->text(), QStringLiteral("Осталось символов: -40"));
        dialog->SpeedButton1->click();
        EXPECT_EQ(boxTexts(),
                  QStringList({"Текст не поместится в сообщение: в нём 200 символов, а сообщение "
                               "на языке «английский» вмещает 160 символов. Сократите текст на "
                               "40 символов."}));
        EXPECT_TRUE(dialog->isVisible());
        dialog->rgLanguageItems->button(1)->click();
        dialog->Memo1->setPlainText(QString(72, QChar(u'Ж')));
        dialog->SpeedButton1->click();
        EXPECT_TRUE(boxTexts().value(1).contains(
            QStringLiteral("в нём 72 символа, а сообщение на языке «русский» вмещает 70 "
                           "символов. Сократите текст на 2 символа.")))
            << boxTexts().join('|').toStdString();
        dialog->SpeedButton2->click();
    });
    phone().mark();
    tab->sbSMSNew->click();
    EXPECT_EQ(boxes().size(), 2u);
    EXPECT_TRUE(phone().sinceStarting("AT+CMGW").empty());
}

TEST_F(MessagesWindow, SendFromThePhonebookPopupHonoursTheDialog) {
    phone().edit([](phonesim::PhoneState& s) {
        s.contents.phonebook.clear();
        for (int slot : {1, 2}) {
            phonesim::PhonebookEntry e;
            e.name = "Мама";
            e.number = "+7916000000" + std::to_string(slot);
            e.numberFormat = 145;
            e.type = 3;
            s.contents.phonebook[slot] = e;
        }
    });
    PhoneBookTab* book = phonebook();
    book->sbReadAll->click();
    ASSERT_EQ(book->ListView1->topLevelItemCount(), 2);
    QTreeWidgetItem* second = book->ListView1->findItems("2", Qt::MatchExactly, 0).first();

    // Rows but no selection: nothing.
    book->ListView1->clearSelection();
    book->mnuSendSMSClick();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(boxes().empty());

    book->ListView1->setCurrentItem(second);
    whenDialogShows([this] {
        EXPECT_EQ(dialog->cbAbonents->currentText(), QStringLiteral("Мама"));
        EXPECT_EQ(dialog->action(), SendAction::StoreAndSend);
        dialog->rgLanguageItems->button(1)->click();
        type(dialog->Memo1, QStringLiteral("Привет"));
        dialog->SpeedButton1->click();
    });
    book->PopupMenu1Popup();
    book->mnuSendSMS->trigger();
    EXPECT_EQ(boxTexts(), QStringList({"Сообщение отправлено и записано в \"Иходящие\"."}));
    EXPECT_EQ(messages().at(12).number, "+79160000002");  // the second of the two
    EXPECT_EQ(messages().at(12).status, MessageStatus::StoSent);
    EXPECT_TRUE(dialog->Memo1->toPlainText().isEmpty());  // reset afterwards
    EXPECT_EQ(dialog->action(), SendAction::StoreOnly);

    // A typed recipient and "Только сохранение" count.
    clearBoxes();
    whenDialogShows([this] {
        dialog->cbAbonents->setEditText(QStringLiteral("+79990000000"));
        type(dialog->Memo1, QStringLiteral("Later"));
        dialog->RadioGroupItems->button(0)->click();
        dialog->SpeedButton1->click();
    });
    book->mnuSendSMSClick();
    EXPECT_EQ(boxTexts(), QStringList({"Сообщение записано в \"Иходящие\"."}));
    EXPECT_EQ(messages().at(13).number, "+79990000000");
    EXPECT_EQ(messages().at(13).status, MessageStatus::StoUnsent);
}

// The recipients offered are the phonebook list's rows in the order they stand, also after
// the list was sorted, each with the name and number of its row.
TEST_F(MessagesWindow, TheRecipientsOfferedFollowThePhonebookRows) {
    phone().edit([](phonesim::PhoneState& s) {
        s.contents.phonebook.clear();
        const char* names[] = {"Boris", "Anna", "Clara"};
        for (int slot : {1, 2, 3}) {
            phonesim::PhonebookEntry e;
            e.name = names[slot - 1];
            e.number = "+700" + std::to_string(slot);
            e.numberFormat = 145;
            e.type = 3;
            s.contents.phonebook[slot] = e;
        }
    });
    PhoneBookTab* book = phonebook();
    book->sbReadAll->click();
    const auto rows = [book] {
        QStringList shown;
        for (int i = 0; i < book->ListView1->topLevelItemCount(); ++i)
            shown << book->ListView1->topLevelItem(i)->text(1) + " " +
                         book->ListView1->topLevelItem(i)->text(2);
        return shown;
    };
    const auto offered = [book] {
        QStringList names;
        for (const OfferedContact& c : book->OfferedContacts())
            names << c.nameText + " " + c.numberText;
        return names;
    };
    ASSERT_EQ(rows().size(), 3);
    EXPECT_EQ(offered(), rows());
    const QStringList before = rows();
    book->ListView1ColumnClick(1);  // by name
    ASSERT_NE(rows(), before);
    EXPECT_EQ(offered(), rows());

    QStringList inBox;
    whenDialogShows([&] {
        for (int i = 0; i < dialog->cbAbonents->count(); ++i)
            inBox << dialog->cbAbonents->itemText(i);
        dialog->SpeedButton2->click();
    });
    tab->sbSMSNew->click();
    QStringList names;
    for (const QString& row : rows()) names << row.section(' ', 0, 0);
    EXPECT_EQ(inBox, names);
}

TEST_F(MessagesWindow, DeletesRemoveOnlyWhatThePhoneDeleted) {
    clickNode(tab->nodeInbox);
    tab->sbDeleteSMS->click();
    EXPECT_EQ(boxTexts(), QStringList({"Нет выбранной записи..."}));

    clearBoxes();
    select({"2"});
    tab->sbDeleteSMS->click();
    EXPECT_EQ(column(0), QStringList({"1", "3", "4", "5"}));
    EXPECT_EQ(messages().count(2), 0u);

    phonesim::FaultOptions faults;
    faults.errorOn = "AT+CMGD=4";
    faults.errorLine = "+CMS ERROR: 321";
    phone()->setFaults(faults);
    select({"4", "5"});
    tab->N20Click();  // "SMS/Удалить" of the main menu
    EXPECT_EQ(boxTexts(), QStringList({"Телефон не удалил сообщение 4."}));
    EXPECT_EQ(column(0), QStringList({"1", "3", "4"}));  // read again from the phone
    EXPECT_EQ(tab->nodeInbox->text(0), QStringLiteral("Входящие (3)"));

    clearBoxes();
    tab->N22Click();  // "SMS/Удалить все" of the main menu
    EXPECT_EQ(boxTexts(), QStringList({"Delete all messages?!", "Телефон не удалил сообщение 4."}));
    EXPECT_EQ(column(0), QStringList({"4"}));
    EXPECT_EQ(messages().count(1) + messages().count(3), 0u);
}

TEST_F(MessagesWindow, ArchiveRowsStayAndMarkingReadsRegular) {
    clickNode(tab->nodeInbox);
    select({"1"});
    tab->pmSMSPopup();
    EXPECT_TRUE(tab->pmMarkasRead->isEnabled());
    tab->pmMarkasRead->trigger();
    EXPECT_EQ(row("1")->text(5), QStringLiteral("прочитано"));
    EXPECT_FALSE(row("1")->font(1).bold());
    EXPECT_EQ(messages().at(1).status, MessageStatus::RecRead);
    tab->pmSMSPopup();
    EXPECT_FALSE(tab->pmMarkasRead->isEnabled());

    clickNode(tab->nodeArchive);
    phone().mark();
    tab->lvSMS->selectAll();
    tab->pmSMSPopup();
    tab->pmSMSDelete->trigger();
    tab->pmSendSMS->trigger();
    tab->sbSMSDeleteAll->click();
    EXPECT_TRUE(phone().sinceStarting("AT+CMGD").empty());
    EXPECT_TRUE(phone().sinceStarting("AT+CMSS").empty());
    EXPECT_EQ(tab->lvSMS->topLevelItemCount(), 5);
    const QString archive =
        QStringLiteral("Это сообщение из архива на компьютере: на телефоне его нет.");
    EXPECT_EQ(boxTexts(), QStringList({archive, archive, "Delete all messages?!", archive}));
}

TEST_F(MessagesWindow, ExportWritesTheSelectedRowsAndDeselectsThem) {
    clickNode(tab->nodeInbox);
    select({"1", "2", "5"});
    const QString path = filePath("export.txt");
    QTimer::singleShot(0, tab, [this, path] { acceptFileDialog(tab->SaveDialog1, path); });
    tab->pmSMSSaveClick();  // "Сохранить SMS" of the main menu
    const QByteArray bytes = readFile(path);
    EXPECT_EQ(bytes.count("\r\n"), 39);
    EXPECT_TRUE(bytes.startsWith(cp1251("Номер:\r\n+79111234567\r\n\r\nвходящее\r\n")));
    EXPECT_TRUE(tab->lvSMS->selectedItems().isEmpty());

    // A time-out reads as a time-out, not as "nothing selected".
    host.settings.PortTimeOut = 300;
    phonesim::FaultOptions faults;
    faults.silentOn = "AT+CMSS";
    phone()->setFaults(faults);
    select({"3"});
    tab->pmSendSMSClick();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxTexts().first().startsWith(QStringLiteral("Ошибка по таймауту")))
        << boxTexts().first().toStdString();
}

// "Таблица CSV (UTF-8)" writes the table orlin-cli --format csv writes; neither it nor the
// pop-up's "Очистить" empties the text below the list.
TEST_F(MessagesWindow, TheTableExportWritesCsvAndTheTextBelowTheListStays) {
    clickNode(tab->nodeInbox);
    select({"2"});
    const QString text = tab->mmSMS->toPlainText();
    ASSERT_FALSE(text.isEmpty());
    const QString path = filePath("inbox.csv");
    QTimer::singleShot(0, tab, [this, path] {
        tab->SaveDialog1->selectNameFilter(QStringLiteral("Таблица CSV (UTF-8) (*.csv)"));
        acceptFileDialog(tab->SaveDialog1, path);
    });
    tab->sbSMSSave->click();
    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << bytes.left(40).toStdString();
    EXPECT_TRUE(bytes.contains(QStringLiteral("Позвони, когда будешь дома. Мама").toUtf8()))
        << bytes.toStdString();
    EXPECT_EQ(bytes.count("\r\n"), 2);  // the header and the one row
    EXPECT_EQ(tab->mmSMS->toPlainText(), text);
    tab->pmSMSClear->trigger();
    EXPECT_EQ(tab->lvSMS->topLevelItemCount(), 0);
    EXPECT_EQ(tab->mmSMS->toPlainText(), text);
}

// A phone lost in the middle of a folder read: said as such, and the folder's caption counts
// the rows the list shows.
TEST_F(MessagesWindow, APhoneLostMidReadIsSaidAndTheCaptionCountsTheRowsShown) {
    clickNode(tab->nodeInbox);
    ASSERT_EQ(tab->nodeInbox->text(0), QStringLiteral("Входящие (5)"));
    phone().mark();
    clickNode(tab->nodeInbox);
    const int commands = static_cast<int>(phone().since().size());
    // The line closes after the third message has been read.
    phonesim::FaultOptions faults;
    faults.hangUpAfterCommands = static_cast<int>(phone()->commandsReceived()) + commands - 2;
    phone()->setFaults(faults);
    clearBoxes();
    clickNode(tab->nodeInbox);
    ASSERT_EQ(boxes().size(), 1u) << boxTexts().join('|').toStdString();
    EXPECT_EQ(boxTexts()[0], QStringLiteral("Связь с телефоном потеряна (Ошибка ввода-вывода). В "
                                            "списке только то, что прочитано до этого: 3 "
                                            "сообщения."));
    EXPECT_EQ(column(0), QStringList({"1", "2", "3"}));
    EXPECT_EQ(tab->nodeInbox->text(0), QStringLiteral("Входящие (3)"));
}

TEST_F(MessagesWindow, AnExportThatFailsHalfWayLeavesTheOldFile) {
    clickNode(tab->nodeInbox);
    select({"1", "2", "5"});
    const QString path = filePath("export.txt");
    const std::string old(3000, 'o');
    WriteWholeFile(Utf8Path(path), old);
    const int files = QDir(filePath(".")).entryList(QDir::Files).size();
    QTimer::singleShot(0, tab, [this, path] {
        tab->SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
        acceptFileDialog(tab->SaveDialog1, path);
    });
    {
        FileSizeLimit diskFullAt(100);
        tab->pmSMSSaveClick();
    }
    EXPECT_EQ(readFile(path).toStdString(), old);
    EXPECT_EQ(boxTexts(), QStringList({"Файл слишком велик."}));
    EXPECT_EQ(QDir(filePath(".")).entryList(QDir::Files).size(), files);
}

}  // namespace
}  // namespace orlin::test
