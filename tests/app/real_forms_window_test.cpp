// The window's reads against a later model that answers in every form real phones use: the
// phonebook, the datebook (full and quick) and every message folder show exactly what they show
// for the same contents in the default form.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "datebook/datebook_tab.h"
#include "link/remembered_options.h"
#include "messages/messages_tab.h"
#include "phonebook/phonebook_tab.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class RealFormsWindow : public WindowTest {
protected:
    static QStringList Rows(const QTreeWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(i)->text(c);
            rows << cells.join('|');
        }
        return rows;
    }
    // What every tab shows after its read, and the boxes the reads raised.
    QStringList readEverything(phonesim::PhoneSimOptions options) {
        window_.reset();
        phone_.reset();
        startPhone(options);
        createWindow();
        QStringList shown;
        clickTab(TfrmMain::PhoneBookPage);
        window_->tsPhoneBook->sbReadAll->click();
        shown << Rows(window_->tsPhoneBook->ListView1);
        clickTab(TfrmMain::DateBookPage);
        for (bool quick : {false, true}) {
            window_->tsDateBook->cbQuickRead->setChecked(quick);
            QTest::mouseClick(window_->tsDateBook->findChild<QPushButton*>("sbReadAllEvents"),
                              Qt::LeftButton);
            shown << Rows(window_->tsDateBook->lvEvent) << window_->tsDateBook->Label8->text();
        }
        clickTab(TfrmMain::SMSPage);
        MessagesTab* sms = window_->tsSMS;
        for (QTreeWidgetItem* node :
             {sms->nodeInbox, sms->nodeOutbox, sms->nodeSent, sms->nodeDrafts, sms->nodeArchive}) {
            QTest::mouseClick(sms->tvSMS->viewport(), Qt::LeftButton, Qt::NoModifier,
                              sms->tvSMS->visualItemRect(node).center());
            shown << node->text(0) << Rows(sms->lvSMS);
        }
        return shown;
    }
};

TEST_F(RealFormsWindow, EveryTabReadsALaterModelAsItReadsTheDefaultForm) {
    ForgetFirstTimes();
    const QStringList expected = readEverything(PhoneOptions("V300"));
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    ASSERT_GT(expected.size(), 60);
    phonesim::PhoneSimOptions later = PhoneOptions("V3");
    later.forms = phonesim::AllRealForms();
    later.datebookLastSlot = 499;  // "+MDBR: 500,...": slots 0..499
    const QStringList shown = readEverything(later);
    EXPECT_EQ(shown, expected);
    // The notes of a later model, each once.
    EXPECT_EQ(boxTexts(),
              (QStringList{QStringLiteral("V3: модель не проверена; записи пишутся в 16 "
                                          "полях, как у C650 и V300."),
                           QStringLiteral("Телефон не поддерживает блокировку ежедневника; "
                                          "чтение без блокировки.")}));
}

}  // namespace
}  // namespace orlin::test
