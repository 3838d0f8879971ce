// The phonebook tab offscreen: real widgets, real dialogs, the simulated phone behind a
// real pseudo-terminal, and the message boxes answered through their seam.

#include "phonebook/phonebook_tab.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "link/phone_session.h"
#include "link/whole_file.h"
#include "phonebook/add_record_dialog.h"
#include "phonebook/code_tables.h"
#include "phonebook/option_dialog.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "phonebook/vcard.h"
#include "tests/support/fault_runs.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"
#include "tests/support/window_test.h"
#include "ui/message_boxes.h"
#include "ui/phone_text_qt.h"
#include "ui/window_context.h"

namespace orlin {
namespace {

using test::SimPhone;
using test::W;

// The window's side of the tab: settings, images, the shared sort flag and the stop flag.
class HostWindow : public WindowContext {
public:
    HostWindow() {
        for (int i = 0; i < 42; ++i) {
            QPixmap pixmap(16, 16);
            pixmap.fill(QColor::fromHsv(i * 8, 255, 255));
            images_.smallIcons << pixmap;
        }
    }
    PortSettings& portSettings() override { return settings; }
    void LoadPortSettings() override { ++settingsLoads; }
    const ImageLists& images() const override { return images_; }
    SharedSortState& sortState() override { return sort; }
    bool& KeepRunning() override { return keepRunning; }

    PortSettings settings;
    SharedSortState sort;
    bool keepRunning = true;
    int settingsLoads = 0;

private:
    ImageLists images_;
};

class PhonebookTab : public ::testing::Test {
protected:
    void SetUp() override {
        tab = std::make_unique<PhoneBookTab>(host);
        dialog = new TfrmAddRecord(host, tab.get());
        options = new TfrmOption(tab.get());
        tab->setDialogs(dialog, options);
        tab->resize(760, 400);
        tab->show();
    }
    void TearDown() override { tab.reset(); }

    void Connect(SimPhone& phone) { host.settings = phone.settings; }
    void ReadAll(SimPhone& phone) {
        Connect(phone);
        tab->sbReadAll->click();
    }
    QTreeWidgetItem* Row(int slot) const {
        const auto found = tab->ListView1->findItems(QString::number(slot), Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }
    // Runs `fill` once the modal entry dialog is up.
    void WhenDialogShows(std::function<void(TfrmAddRecord&)> fill) {
        QTimer::singleShot(0, tab.get(), [this, fill] {
            fill(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
    }
    bool SameImage(const QIcon& icon, int image) const {
        return !icon.isNull() &&
               icon.pixmap(16, 16).toImage() == host.images().smallIcons[image].toImage();
    }
    std::vector<QString> Captions() const {
        std::vector<QString> out;
        for (int i = 0; i < tab->ListView1->topLevelItemCount(); ++i)
            out.push_back(tab->ListView1->topLevelItem(i)->text(0));
        return out;
    }

    // Answers every box (Yes to a question) and records it.
    test::MessageBoxRecorder recorder;
    std::vector<MessageBoxes::Request>& boxes = recorder.boxes;
    std::function<void(const MessageBoxes::Request&)>& onBox = recorder.onBox;

    HostWindow host;
    std::unique_ptr<PhoneBookTab> tab;
    TfrmAddRecord* dialog = nullptr;
    TfrmOption* options = nullptr;
};

TEST_F(PhonebookTab, ReadAllFillsTheListWithIconsAndCategories) {
    SimPhone phone("C350");
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::PhonebookEntry e;
        e.number = "+380501234567";
        e.numberFormat = 145;
        e.name = W("Тарас Коваль");
        e.type = 3;
        e.ids = 7;
        e.category = 2;
        e.icon = 4;
        s.contents.phonebook[77] = e;
        s.contents.categories[2] = {W("Друзі"), 0};
    });
    ReadAll(phone);
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    const auto book = phone.phonebook();
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), static_cast<int>(book.size()));
    ASSERT_EQ(tab->ListView1->columnCount(), 7);
    EXPECT_EQ(tab->ListView1->headerItem()->text(5), QStringLiteral("Иконка"));
    EXPECT_EQ(tab->ListView1->headerItem()->text(6), QStringLiteral("Группа"));

    QTreeWidgetItem* row = Row(77);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text(1), QStringLiteral("Тарас Коваль"));
    EXPECT_EQ(row->text(2), QStringLiteral("+380501234567"));
    EXPECT_EQ(row->text(3), QStringLiteral("Мобильный"));
    EXPECT_TRUE(SameImage(row->icon(3), 3));
    EXPECT_EQ(row->text(4), QStringLiteral("7"));
    EXPECT_EQ(row->text(5), QStringLiteral("милашка"));
    EXPECT_TRUE(SameImage(row->icon(5), 13));
    EXPECT_EQ(row->text(6), QStringLiteral("Друзі"));
    EXPECT_EQ(tab->pbFullRecord->value(), static_cast<int>(book.size()));
    EXPECT_TRUE(tab->sbAddRecord->isEnabled());
    EXPECT_FALSE(tab->sbStop->isVisible());

    // A 9-field phone read afterwards keeps the two columns, empty.
    SimPhone t720("T720");
    ReadAll(t720);
    EXPECT_EQ(tab->ListView1->columnCount(), 7);
    EXPECT_EQ(tab->ListView1->topLevelItem(0)->text(5), QString());
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), static_cast<int>(t720.phonebook().size()));

    // "Очистить" empties the list, not the slot table.
    tab->SpeedButton3->click();
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), 0);
    EXPECT_FALSE(tab->sbAddRecord->isEnabled());
    EXPECT_EQ(tab->state().OccupiedCount(), static_cast<int>(t720.phonebook().size()));
}

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
    EXPECT_EQ(entry.name, W("Ґанна"));
    EXPECT_EQ(entry.icon, 4);
    EXPECT_EQ(entry.category, 2);
    EXPECT_EQ(entry.type, 3);
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), rows + 1);
    QTreeWidgetItem* row = Row(slot);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text(1), QStringLiteral("Ґанна"));
    EXPECT_EQ(row->text(5), QStringLiteral("милашка"));
    EXPECT_EQ(row->text(6), orlin::FromCp1251(tab->state().groupNames.at(1)));
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

TEST_F(PhonebookTab, SortingComparesText) {
    SimPhone phone("T720", false);
    phone.edit([](phonesim::PhoneState& s) {
        for (int slot : {2, 10, 3}) {
            phonesim::PhonebookEntry e;
            e.number = "+" + std::to_string(slot);
            e.name = "N" + std::to_string(slot);
            s.contents.phonebook[slot] = e;
        }
    });
    ReadAll(phone);
    tab->ListView1ColumnClick(0);
    EXPECT_EQ(Captions(), (std::vector<QString>{"10", "2", "3"}));
    EXPECT_TRUE(SameImage(tab->ListView1->headerItem()->icon(0), 41));
    tab->ListView1->header()->sectionClicked(0);
    EXPECT_EQ(Captions(), (std::vector<QString>{"3", "2", "10"}));
    EXPECT_TRUE(SameImage(tab->ListView1->headerItem()->icon(0), 40));
    EXPECT_FALSE(host.sort.descending == false);
    tab->ListView1ColumnClick(1);
    EXPECT_TRUE(tab->ListView1->headerItem()->icon(0).isNull());
}

TEST_F(PhonebookTab, PopupEnablingFollowsTheSelection) {
    SimPhone phone("C350");
    ReadAll(phone);
    tab->ListView1->clearSelection();
    tab->PopupMenu1Popup();
    EXPECT_FALSE(tab->N2->isEnabled());
    EXPECT_FALSE(tab->pmDelete->isEnabled());
    EXPECT_TRUE(tab->pmLoadRecord->isEnabled());
    tab->ListView1->topLevelItem(0)->setSelected(true);
    tab->PopupMenu1Popup();
    EXPECT_TRUE(tab->N2->isEnabled());
    EXPECT_TRUE(tab->pmSaveBook->isEnabled());
    EXPECT_TRUE(tab->mnuSendSMS->isEnabled());
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

TEST_F(PhonebookTab, SaveAndLoadThroughTheFileDialogs) {
    SimPhone source("C350");
    ReadAll(source);
    const QString path =
        QDir::temp().filePath(QStringLiteral("orlin_pb_tab_%1.csv").arg(::getpid()));
    QFile::remove(path);
    QTimer::singleShot(0, tab.get(),
                       [this, path] { test::acceptFileDialog(tab->SaveDialog1, path); });
    tab->ListView1->topLevelItem(0)->setSelected(true);
    tab->pmSaveBook->trigger();
    ASSERT_TRUE(QFile::exists(path));
    const std::string saved = ReadWholeFile(QFile::encodeName(path).toStdString());
    EXPECT_EQ(saved, PhonebookFileText(tab->state().abonents, tab->state().ranges).bytes);

    SimPhone empty("C350", false);
    Connect(empty);
    QTimer::singleShot(0, tab.get(),
                       [this, path] { test::acceptFileDialog(tab->OpenDialog1, path); });
    tab->pmLoadRecord->trigger();
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_EQ(empty.phonebook().size(), source.phonebook().size());
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), static_cast<int>(source.phonebook().size()));
    EXPECT_FALSE(tab->sbStop->isVisible());
    QFile::remove(path);
}

TEST_F(PhonebookTab, ASaveThatFailsHalfWayLeavesTheOldFile) {
    SimPhone phone("C350");
    ReadAll(phone);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("orlin_pb_tab_full_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "book.csv").string();
    const std::string old(3000, 'o');
    WriteWholeFile(path, old);
    QTimer::singleShot(0, tab.get(), [this, path] {
        tab->SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
        test::acceptFileDialog(tab->SaveDialog1, QString::fromStdString(path));
    });
    {
        test::FileSizeLimit diskFullAt(100);
        tab->pmSaveBook->trigger();
    }
    EXPECT_EQ(ReadWholeFile(path), old);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text, QStringLiteral("Файл слишком велик."));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

TEST_F(PhonebookTab, CancelledLoadStillReadsAndEnablesAdding) {
    SimPhone phone("C350");
    Connect(phone);
    tab->DisableAddUntilRead();  // as the window starts with an empty list
    ASSERT_FALSE(tab->sbAddRecord->isEnabled());
    QTimer::singleShot(0, tab.get(), [this] { tab->OpenDialog1->reject(); });
    phone.mark();
    tab->Restore();
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), static_cast<int>(phone.phonebook().size()));
    EXPECT_TRUE(tab->sbAddRecord->isEnabled());
}

TEST_F(PhonebookTab, LoadIntoAModelInNoFamilySaysNothingWasWritten) {
    const QString path =
        QDir::temp().filePath(QStringLiteral("orlin_pb_nofamily_%1.csv").arg(::getpid()));
    WriteWholeFile(QFile::encodeName(path).toStdString(), "PHONE;3;A;+1;2;0;255;0;1;0;0;255;0\r\n");
    SimPhone phone("V3", false);
    Connect(phone);
    QTimer::singleShot(0, tab.get(),
                       [this, path] { test::acceptFileDialog(tab->OpenDialog1, path); });
    phone.mark();
    tab->pmLoadRecord->trigger();
    QFile::remove(path);
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, MessageBoxes::Kind::Error);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("V3"))) << boxes[0].text.toStdString();
    EXPECT_FALSE(tab->sbStop->isVisible());
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
        if (!c.dialogShown) EXPECT_TRUE(phone.since().empty());
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

// The sort mark stands right of the caption of the sorted column, and a new read (in the
// phone's order) takes it away. "Занято:" shows figures only once there is a slot table.
TEST_F(PhonebookTab, SortMarkAndOccupiedFigures) {
    EXPECT_FALSE(tab->pbFullRecord->isTextVisible());
    SimPhone phone("T720");
    ReadAll(phone);
    const int slotCount = static_cast<int>(tab->state().abonents.size());
    EXPECT_TRUE(tab->pbFullRecord->isTextVisible());
    EXPECT_EQ(tab->pbFullRecord->text(),
              QStringLiteral("%1 / %2").arg(tab->state().OccupiedCount()).arg(slotCount));

    QHeaderView* header = tab->ListView1->header();
    for (int column : {1, 4}) {
        SCOPED_TRACE(column);
        tab->ListView1ColumnClick(column);
        const int mark = host.sort.descending ? 40 : 41;
        ASSERT_TRUE(SameImage(tab->ListView1->headerItem()->icon(column), mark));
        const QImage picture = header->grab().toImage();
        const QRgb markColour = host.images().smallIcons[mark].toImage().pixel(8, 8);
        const int left = header->sectionViewportPosition(column);
        const int right = left + header->sectionSize(column);
        int firstMarkPixel = -1;
        for (int x = left; x < right && firstMarkPixel < 0; ++x)
            for (int y = 0; y < picture.height(); ++y)
                if (picture.pixel(x, y) == markColour) {
                    firstMarkPixel = x;
                    break;
                }
        ASSERT_GE(firstMarkPixel, 0) << "no sort mark drawn";
        const QString caption = tab->ListView1->headerItem()->text(column);
        const int captionWidth = header->fontMetrics().horizontalAdvance(caption);
        const int captionRight = column == 4
                                     ? left + (header->sectionSize(column) + captionWidth) / 2
                                     : left + captionWidth;
        EXPECT_GT(firstMarkPixel, captionRight) << "the mark must stand right of the caption";
    }

    ReadAll(phone);
    for (int c = 0; c < tab->ListView1->columnCount(); ++c)
        EXPECT_TRUE(tab->ListView1->headerItem()->icon(c).isNull()) << c;
}

// A read that fails (a time-out in the middle) leaves its progress bar at 0, also the reads
// after deleting several rows and after loading a file.
TEST_F(PhonebookTab, ProgressGoesBackToZeroWhenAReadFails) {
    struct Case {
        const char* name;
        std::function<void(PhoneBookTab&)> run;
    };
    const Case cases[] = {
        {"read", [](PhoneBookTab& t) { t.sbReadAll->click(); }},
        {"after deleting several",
         [](PhoneBookTab& t) {
             for (int i = 0; i < 2; ++i) t.ListView1->topLevelItem(i)->setSelected(true);
             t.pmDelete->trigger();
         }},
        {"after loading a file",
         [](PhoneBookTab& t) {
             QTimer::singleShot(0, &t, [&t] { t.OpenDialog1->reject(); });
             t.pmLoadRecord->trigger();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimPhone phone("C350");
        ReadAll(phone);
        boxes.clear();
        phonesim::FaultOptions faults;
        faults.silentOn = "AT+MPBR=31,";
        phone.sim().setFaults(faults);
        int highest = 0;
        const QMetaObject::Connection watch =
            QObject::connect(tab->pbReadAllRecords, &QProgressBar::valueChanged,
                             [&highest](int value) { highest = std::max(highest, value); });
        c.run(*tab);
        QObject::disconnect(watch);
        EXPECT_GT(highest, 0) << "the read came some way before it failed";
        EXPECT_EQ(tab->pbReadAllRecords->value(), 0);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].kind, MessageBoxes::Kind::Error);
        EXPECT_FALSE(host.busy().isBusy());
    }
}

TEST_F(PhonebookTab, VCardExportAndImportHoldTheBusyStateAndAskWhenSlotsAreShort) {
    SimPhone source("C350");
    Connect(source);
    const QString path =
        QDir::temp().filePath(QStringLiteral("orlin_pb_tab_%1.vcf").arg(::getpid()));
    QFile::remove(path);
    // Before any read the export reads the phonebook itself.
    bool busyWhileAsked = false;
    QTimer::singleShot(0, tab.get(), [&] {
        busyWhileAsked = !tab->sbReadAll->isEnabled() && !tab->pmImportVCard->isEnabled();
        test::acceptFileDialog(tab->ExportVCardDialog, path);
    });
    tab->pmExportVCard->trigger();
    EXPECT_TRUE(busyWhileAsked);
    EXPECT_EQ(ReadWholeFile(QFile::encodeName(path).toStdString()), VCardText(tab->state()));

    SimPhone empty("C350", false);
    Connect(empty);
    QTimer::singleShot(0, tab.get(), [&] { test::acceptFileDialog(tab->ImportVCardDialog, path); });
    tab->pmImportVCard->trigger();
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_EQ(empty.phonebook(), source.phonebook());
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), static_cast<int>(source.phonebook().size()));
    EXPECT_TRUE(tab->sbReadAll->isEnabled());
    EXPECT_FALSE(tab->sbStop->isVisible());

    // Three slots for the source's numbers: asked first, No writes nothing, Yes what fits.
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", false);
    options.meLast = 2;
    options.smSize = 1;
    SimPhone tiny(options);
    Connect(tiny);
    for (MessageBoxes::Answer answer : {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes}) {
        boxes.clear();
        recorder.answers = {answer};
        QTimer::singleShot(0, tab.get(),
                           [&] { test::acceptFileDialog(tab->ImportVCardDialog, path); });
        tab->pmImportVCard->trigger();
        ASSERT_FALSE(boxes.empty());
        EXPECT_TRUE(
            boxes[0].text.startsWith(QStringLiteral("Свободных ячеек не хватает: %1 номеров")
                                         .arg(source.phonebook().size() - 2)))
            << boxes[0].text.toStdString();
    }
    EXPECT_EQ(tiny.phonebook().size(), 2u) << "the file's SIM entries do not fit the SIM slot";
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].text.contains(QStringLiteral("нет свободной ячейки")));
    QFile::remove(path);
}

}  // namespace
}  // namespace orlin
