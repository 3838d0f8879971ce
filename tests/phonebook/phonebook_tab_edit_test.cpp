// The phonebook tab editing the phone: adding, editing, deleting and writing all through the
// entry dialog and the list.

#include "tests/phonebook/phonebook_tab_fixture.h"

namespace orlin {
namespace {

TEST_F(PhonebookTab, AddThroughTheDialog) {
    SimPhone phone("C350");
    ReadAll(phone);
    const int rows = tab->ListView1->topLevelItemCount();
    const int slot = FreeSlots(tab->state().abonents).front();
    WhenDialogShows([](TfrmAddRecord& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Добавление записи..."));
        EXPECT_EQ(d.Label8->text(), QStringLiteral("Модель телефона: C350"));
        EXPECT_EQ(d.cbIDs->currentText(), QStringLiteral("По умолчанию"));
        EXPECT_EQ(d.cbType->currentText(), QStringLiteral("Основной"));
        EXPECT_TRUE(d.cbIcon->isVisible());
        d.edtPhoneNumber->setText(QStringLiteral("+380661112233"));
        d.edtAbonentName->setText(QStringLiteral("Ґанна"));
        d.cbType->setCurrentIndex(3);
        d.cbGroup->setCurrentIndex(1);
        d.cbIcon->setCurrentIndex(4);
        d.SpeedButton1->click();
    });
    phone.mark();
    tab->sbAddRecord->click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(host.settingsLoads, 1);
    const auto entry = phone.phonebook().at(slot);
    EXPECT_EQ(entry.name, "Ґанна");
    EXPECT_EQ(entry.icon, 4);
    EXPECT_EQ(entry.category, 2);
    EXPECT_EQ(entry.type, 3);
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), rows + 1);
    QTreeWidgetItem* row = Row(slot);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text(1), QStringLiteral("Ґанна"));
    EXPECT_EQ(row->text(5), QStringLiteral("милашка"));
    EXPECT_EQ(row->text(6), QString::fromStdString(tab->state().groupNames.at(1)));
}

TEST_F(PhonebookTab, DialogClosedByItsFrameSendsNothing) {
    SimPhone phone("C350");
    ReadAll(phone);
    WhenDialogShows([](TfrmAddRecord& d) {
        d.edtPhoneNumber->setText(QStringLiteral("+1"));
        d.edtAbonentName->setText(QStringLiteral("One"));
        d.SpeedButton1->click();
    });
    tab->sbAddRecord->click();
    const int rows = tab->ListView1->topLevelItemCount();
    WhenDialogShows([](TfrmAddRecord& d) {
        d.edtPhoneNumber->setText(QStringLiteral("+2"));
        d.edtAbonentName->setText(QStringLiteral("Two"));
        d.close();
    });
    phone.mark();
    tab->sbAddRecord->click();
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), rows);
}

TEST_F(PhonebookTab, RefusedWriteShowsTheSlotAndChangesNothing) {
    SimPhone phone("C350");
    ReadAll(phone);
    const int rows = tab->ListView1->topLevelItemCount();
    const int slot = FreeSlots(tab->state().abonents).front();
    phonesim::FaultOptions faults;
    faults.errorOn = "AT+MPBW=";
    phone.sim().setFaults(faults);
    WhenDialogShows([](TfrmAddRecord& d) {
        d.edtPhoneNumber->setText(QStringLiteral("+1"));
        d.edtAbonentName->setText(QStringLiteral("One"));
        d.SpeedButton1->click();
    });
    tab->sbAddRecord->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, MessageBoxes::Kind::Error);
    EXPECT_TRUE(boxes[0].text.contains(QString::number(slot))) << boxes[0].text.toStdString();
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), rows);
    EXPECT_TRUE(tab->state().abonents[slot - 1].IsFree());
}

TEST_F(PhonebookTab, DoubleClickEditKeepsIdsAndMovesTheEntry) {
    SimPhone phone("C350", false);
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::PhonebookEntry e;
        e.number = "+7911";
        e.numberFormat = 145;
        e.name = "Five";
        e.ids = 7;
        e.category = 1;
        e.icon = 2;
        s.contents.phonebook[5] = e;
        e.name = "Nine";
        s.contents.phonebook[9] = e;
    });
    ReadAll(phone);
    QTreeWidgetItem* row = Row(5);
    ASSERT_NE(row, nullptr);
    tab->ListView1->setCurrentItem(row);
    WhenDialogShows([](TfrmAddRecord& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Изменение записи..."));
        EXPECT_EQ(d.cbRecordNum->currentText(), QStringLiteral("5"));
        EXPECT_EQ(d.cbIDs->currentText(), QStringLiteral("7"));
        EXPECT_EQ(d.cbIcon->currentText(), QStringLiteral("малыш"));
        d.cbRecordNum->setEditText(QStringLiteral("7"));
        d.edtPhoneNumber->setText(QStringLiteral("+7922"));
        d.SpeedButton1->click();
    });
    emit tab->ListView1->itemDoubleClicked(row, 1);
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    const auto book = phone.phonebook();
    EXPECT_EQ(book.count(5), 0u) << "the old slot is emptied on the phone";
    ASSERT_EQ(book.count(7), 1u);
    EXPECT_EQ(book.at(7).number, "+7922");
    EXPECT_EQ(book.at(7).ids, 7);
    EXPECT_EQ(book.at(7).icon, 2);
    EXPECT_EQ(row->text(0), QStringLiteral("7"));
    EXPECT_EQ(Row(5), nullptr);

    // Typing an occupied slot asks first; Yes replaces that row instead of adding one.
    tab->ListView1->setCurrentItem(row);
    const int rows = tab->ListView1->topLevelItemCount();
    WhenDialogShows([](TfrmAddRecord& d) {
        d.cbRecordNum->setEditText(QStringLiteral("9"));
        d.SpeedButton1->click();
    });
    emit tab->ListView1->itemDoubleClicked(row, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].yesNo);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("Nine")));
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), rows - 1);
    EXPECT_EQ(phone.phonebook().size(), 1u);
    EXPECT_EQ(phone.phonebook().at(9).number, "+7922");
}

TEST_F(PhonebookTab, EditKeepsACategoryWithoutAUniqueName) {
    SimPhone phone("C350", false);
    phone.edit([](phonesim::PhoneState& s) {
        s.contents.categories.erase(3);  // the phone reports no name for category 3
        s.contents.categories[5].name = s.contents.categories[4].name;
        phonesim::PhonebookEntry e;
        e.number = "+1";
        e.numberFormat = 145;
        e.name = "Unnamed";
        e.category = 3;
        s.contents.phonebook[5] = e;
        e.name = "Twin";
        e.category = 5;
        s.contents.phonebook[6] = e;
    });
    ReadAll(phone);
    ASSERT_EQ(tab->state().groupNames.at(2), "");
    for (int slot : {5, 6}) {
        SCOPED_TRACE(slot);
        QTreeWidgetItem* row = Row(slot);
        ASSERT_NE(row, nullptr);
        tab->ListView1->clearSelection();
        tab->ListView1->setCurrentItem(row);
        WhenDialogShows([](TfrmAddRecord& d) {
            d.edtPhoneNumber->setText(QStringLiteral("+2"));
            d.SpeedButton1->click();
        });
        emit tab->ListView1->itemDoubleClicked(row, 1);
    }
    EXPECT_TRUE(boxes.empty());
    const auto book = phone.phonebook();
    EXPECT_EQ(book.at(5).number, "+2");
    EXPECT_EQ(book.at(5).category, 3);
    EXPECT_EQ(book.at(6).number, "+2");
    EXPECT_EQ(book.at(6).category, 5);
    EXPECT_EQ(tab->state().abonents[5].Category, 5);
}

void Type(QWidget* target, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
}

TEST_F(PhonebookTab, DialogKeysAndHiddenRows) {
    SimPhone phone("T720");
    ReadAll(phone);
    const int simSlot = tab->state().ranges.SimFirstIndex + 3;
    WhenDialogShows([simSlot](TfrmAddRecord& d) {
        // A 9-field phone has no categories and no icons.
        EXPECT_FALSE(d.cbGroup->isVisible());
        EXPECT_FALSE(d.cbIcon->isVisible());
        EXPECT_TRUE(d.cbType->isVisible());
        QLineEdit* ids = d.cbIDs->lineEdit();
        Type(ids, Qt::Key_A, QStringLiteral("a"));
        EXPECT_EQ(ids->text(), QStringLiteral("По умолчанию"));
        Type(ids, Qt::Key_5, QStringLiteral("5"));
        Type(ids, Qt::Key_7, QStringLiteral("7"));
        Type(ids, Qt::Key_3, QStringLiteral("3"));
        Type(ids, Qt::Key_B, QStringLiteral("b"));
        EXPECT_EQ(ids->text(), QStringLiteral("57"));
        // A SIM slot shows only number and name.
        d.cbRecordNum->setEditText(QString::number(simSlot));
        EXPECT_FALSE(d.cbType->isVisible());
        EXPECT_FALSE(d.cbIDs->isVisible());
        d.cbRecordNum->setEditText(QStringLiteral("1"));
        EXPECT_TRUE(d.cbIDs->isVisible());
        Type(&d, Qt::Key_Escape);
    });
    phone.mark();
    tab->sbAddRecord->click();
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());

    const int slot = FreeSlots(tab->state().abonents).front();
    WhenDialogShows([](TfrmAddRecord& d) {
        d.edtPhoneNumber->setText(QStringLiteral("ivan@mail.ru"));
        d.edtAbonentName->setText(QStringLiteral("Ivan"));
        d.cbType->setCurrentIndex(6);
        Type(d.edtAbonentName, Qt::Key_Return);
    });
    tab->sbAddRecord->click();
    const auto sent = phone.sinceStarting("AT+MPBW");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "AT+MPBW=" + std::to_string(slot) +
                           ",\"ivan@mail.ru\",128,004900760061006E,6,0,255,0,1");
    EXPECT_EQ(Row(slot)->text(3), QStringLiteral("E-Mail"));
}

TEST_F(PhonebookTab, WriteAllShowsStopAndAsks) {
    SimPhone phone("C350");
    ReadAll(phone);
    bool stopShown = false;
    bool stopUsable = false;
    bool othersUsable = true;
    onBox = [&](const MessageBoxes::Request& request) {
        if (request.kind != MessageBoxes::Kind::Confirmation) return;
        stopShown = tab->sbStop->isVisible();
        stopUsable = tab->sbStop->isEnabled();
        // What cannot act while the rows are written is disabled ("Добавить" among them).
        othersUsable = tab->sbAddRecord->isEnabled() || tab->sbReadAll->isEnabled() ||
                       tab->sbWriteAll->isEnabled() || tab->SpeedButton3->isEnabled() ||
                       tab->pmRefresh->isEnabled() || tab->pmLoadRecord->isEnabled();
    };
    QTimer::singleShot(0, tab.get(), [this] { tab->sbStop->click(); });
    phone.mark();
    tab->sbWriteAll->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              QStringLiteral("Вы уверены, что хотите прервать\r\nзапись данных в телефон?!"));
    EXPECT_TRUE(stopShown);
    EXPECT_TRUE(stopUsable);
    EXPECT_FALSE(othersUsable);
    EXPECT_FALSE(tab->sbStop->isVisible());
    EXPECT_EQ(phone.sinceStarting("AT+MPBW=").size(), 1u);
    // ... and comes back when the operation has ended.
    EXPECT_TRUE(tab->sbAddRecord->isEnabled());
    EXPECT_TRUE(tab->sbReadAll->isEnabled());
    EXPECT_FALSE(host.busy().isBusy());
}

TEST_F(PhonebookTab, DeleteOneThenSeveral) {
    SimPhone phone("C350");
    ReadAll(phone);
    const int rows = tab->ListView1->topLevelItemCount();
    const int first = tab->ListView1->topLevelItem(0)->text(0).toInt();
    tab->ListView1->topLevelItem(0)->setSelected(true);
    tab->pmDelete->trigger();
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), rows - 1);
    EXPECT_EQ(phone.phonebook().count(first), 0u);

    tab->ListView1->clearSelection();
    for (int i = 0; i < 3; ++i) tab->ListView1->topLevelItem(i)->setSelected(true);
    tab->pmDelete->trigger();
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), rows - 4);
    EXPECT_EQ(static_cast<int>(phone.phonebook().size()), rows - 4);
    EXPECT_TRUE(boxes.empty());
}

// An empty list asks with OK and No before adding: No cancels; OK goes on, and reads the
// phonebook first when nothing has been read yet.
TEST_F(PhonebookTab, AddingOnAnEmptyListAsksWithOkAndNo) {
    struct Case {
        const char* name;
        bool readBefore;  // read, then "Очистить" empties the list
        MessageBoxes::Answer answer;
        bool reads;
        bool dialogShown;
    };
    const Case cases[] = {
        {"nothing read, No", false, MessageBoxes::Answer::No, false, false},
        {"nothing read, OK", false, MessageBoxes::Answer::Ok, true, true},
        {"list cleared, No", true, MessageBoxes::Answer::No, false, false},
        {"list cleared, OK", true, MessageBoxes::Answer::Ok, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tab = std::make_unique<PhoneBookTab>(host);
        dialog = new TfrmAddRecord(host, tab.get());
        tab->setDialogs(dialog, new TfrmOption(tab.get()));
        SimPhone phone("C350");
        if (c.readBefore) {
            ReadAll(phone);
            tab->SpeedButton3->click();
        } else {
            Connect(phone);
        }
        boxes.clear();
        recorder.answers = {c.answer};
        bool shown = false;
        QTimer::singleShot(0, tab.get(), [&] {
            shown = dialog->isVisible();
            if (shown) dialog->reject();
        });
        phone.mark();
        tab->sbAddRecordClick();
        QCoreApplication::processEvents();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes[0].kind, MessageBoxes::Kind::Information);
        EXPECT_EQ(boxes[0].buttons, MessageBoxes::Buttons::OkNo);
        EXPECT_EQ(boxes[0].text, QStringLiteral("Перед добавлением новой записи рекомендуется "
                                                "прочитать записи из справочника."));
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_EQ(!phone.sinceStarting("AT+MPBR=1,").empty(), c.reads);
        EXPECT_EQ(shown, c.dialogShown);
        EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());
        if (!c.dialogShown) {
            EXPECT_TRUE(phone.since().empty());
        }
    }
}

TEST_F(PhonebookTab, TheTypedSlotIsTheSlotWritten) {
    SimPhone phone("C350");
    ReadAll(phone);
    ASSERT_FALSE(tab->state().abonents[2].IsFree());  // slot 3 is taken ...
    ASSERT_TRUE(tab->state().abonents[30].IsFree());  // ... and 31 is free
    WhenDialogShows([](TfrmAddRecord& d) {
        // Typed as a user types: the dialog active, the box with the focus.
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&d] { return d.isActiveWindow(); }));
        d.cbRecordNum->setFocus();
        d.cbRecordNum->lineEdit()->selectAll();
        QTest::keyClicks(d.cbRecordNum->lineEdit(), QStringLiteral("3"));
        // No free slot is completed into the box.
        EXPECT_EQ(d.cbRecordNum->currentText(), QStringLiteral("3"));
        EXPECT_TRUE(d.cbRecordNum->lineEdit()->selectedText().isEmpty());
        d.edtPhoneNumber->setText(QStringLiteral("+333"));
        d.edtAbonentName->setText(QStringLiteral("Three"));
        d.SpeedButton1->click();
    });
    phone.mark();
    tab->sbAddRecord->click();
    const auto sent = phone.sinceStarting("AT+MPBW=");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].rfind("AT+MPBW=3,\"+333\"", 0), 0u) << sent[0];
    ASSERT_EQ(boxes.size(), 1u);  // slot 3 is taken: the question before replacing it
    EXPECT_TRUE(boxes[0].yesNo);
    EXPECT_EQ(phone.phonebook().at(3).number, "+333");
    EXPECT_EQ(phone.phonebook().count(31), 0u);
}

// "Лист рассылки" (type 7) only where the model has mailing lists; a row whose type reads
// "SIM" keeps that text in the dialog.
TEST_F(PhonebookTab, TheTypeListFollowsTheModel) {
    struct Case {
        const char* model;
        bool mailingList;
        const char* simRowText;  // the type the list shows for a SIM entry
    };
    const Case cases[] = {
        {"T720", false, "SIM"}, {"V60", false, "7"}, {"C350", true, "SIM"}, {"V300", true, "SIM"}};
    const QString mailing = QStringLiteral("Лист рассылки");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        SimPhone phone(c.model);
        ReadAll(phone);
        int offered = -1;
        WhenDialogShows([&](TfrmAddRecord& d) {
            offered = d.cbType->findText(mailing);
            d.reject();
        });
        tab->sbAddRecord->click();
        EXPECT_EQ(offered >= 0, c.mailingList);

        QTreeWidgetItem* simRow = Row(tab->state().ranges.SimFirstIndex);
        ASSERT_NE(simRow, nullptr);
        EXPECT_EQ(simRow->text(3), QString::fromLatin1(c.simRowText));
        tab->ListView1->clearSelection();
        tab->ListView1->setCurrentItem(simRow);
        QString shownType;
        WhenDialogShows([&](TfrmAddRecord& d) {
            offered = d.cbType->findText(mailing);
            shownType = d.cbType->currentText();
            d.reject();
        });
        phone.mark();
        emit tab->ListView1->itemDoubleClicked(simRow, 1);
        EXPECT_EQ(offered >= 0, c.mailingList);
        EXPECT_EQ(shownType, QString::fromLatin1(c.simRowText));
        EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());
        EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    }
}

}  // namespace
}  // namespace orlin
