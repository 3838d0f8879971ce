#pragma once
// The phonebook tab offscreen, on its own over a window of the test's own: real widgets, real
// dialogs, the simulated phone behind a real pseudo-terminal, and the message boxes answered
// through their seam. The fixture of phonebook_tab_{read,edit,files}_test.cpp.

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
#include "phonebook/phonebook_tab.h"
#include "phonebook/vcard.h"
#include "tests/support/fake_window.h"
#include "tests/support/fault_runs.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"
#include "tests/support/window_test.h"
#include "ui/message_boxes.h"
#include "ui/phone_text_qt.h"
#include "ui/window_context.h"

namespace orlin {

using test::SimPhone;
using test::W;

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
    bool SameImage(const QIcon& icon, int image) const { return host.sameImage(icon, image); }
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

    test::FakeWindow host;
    std::unique_ptr<PhoneBookTab> tab;
    TfrmAddRecord* dialog = nullptr;
    TfrmOption* options = nullptr;
};

}  // namespace orlin
