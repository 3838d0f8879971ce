// The phonebook tab reading the phone: the rows, their icons, sorting, the progress bar.

#include "tests/phonebook/phonebook_tab_fixture.h"

namespace orlin {
namespace {

TEST_F(PhonebookTab, ReadAllFillsTheListWithIconsAndCategories) {
    SimPhone phone("C350");
    phone.edit([](phonesim::PhoneState& s) {
        phonesim::PhonebookEntry e;
        e.number = "+380501234567";
        e.numberFormat = 145;
        e.name = "Тарас Коваль";
        e.type = 3;
        e.ids = 7;
        e.category = 2;
        e.icon = 4;
        s.contents.phonebook[77] = e;
        s.contents.categories[2] = {"Друзі", 0};
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

// Names of every script the phone holds show as they are, sort Windows-1251 letters first
// (Latin, then Cyrillic, as before) and the others after them by code point, and go to the
// messages tab whole.
TEST_F(PhonebookTab, NamesOfEveryScriptShowSortAndAreOffered) {
    const std::vector<std::string> names = {"Müller", "Łukasz Żółć", "Ελένη",
                                            "עברית",  "中文",        "Оксана Їжакевич"};
    SimPhone phone("C350", false);
    phone.edit([&](phonesim::PhoneState& s) {
        for (size_t i = 0; i < names.size(); ++i) {
            phonesim::PhonebookEntry e;
            e.number = "+" + std::to_string(i + 1);
            e.name = names[i];
            s.contents.phonebook[static_cast<int>(i) + 1] = e;
        }
    });
    ReadAll(phone);
    for (size_t i = 0; i < names.size(); ++i) {
        const QTreeWidgetItem* row = Row(static_cast<int>(i) + 1);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->text(1), QString::fromStdString(names[i]));
    }
    tab->ListView1ColumnClick(1);
    EXPECT_EQ(Captions(), (std::vector<QString>{"1", "6", "2", "3", "4", "5"}));
    const std::vector<OfferedContact> offered = tab->OfferedContacts();
    ASSERT_EQ(offered.size(), names.size());
    EXPECT_EQ(offered[2].nameText, QStringLiteral("Łukasz Żółć"));
    EXPECT_EQ(offered[2].numberText, QStringLiteral("+2"));
    EXPECT_EQ(offered[1].nameText, QStringLiteral("Оксана Їжакевич"));
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

}  // namespace
}  // namespace orlin
