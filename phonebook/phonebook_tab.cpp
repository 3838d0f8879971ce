#include "phonebook/phonebook_tab.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/window_context.h"

PhoneBookTab::PhoneBookTab(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    auto* layout = new QVBoxLayout(this);
    ListView1 = new QTreeWidget(this);
    layout->addWidget(ListView1);
    PopupMenu1 = new QMenu(this);
    pmLoadRecord = PopupMenu1->addAction(QString());
    pmSaveBook = PopupMenu1->addAction(QString());
    N2 = PopupMenu1->addSeparator();
    pmRefresh = PopupMenu1->addAction(QString());
    pmDelete = PopupMenu1->addAction(QString());
    N5 = PopupMenu1->addSeparator();
    mnuSendSMS = PopupMenu1->addAction(QString());
    sbReadAll = new QToolButton(this);
    sbWriteAll = new QToolButton(this);
    sbAddRecord = new QToolButton(this);
    sbStop = new QToolButton(this);
}

PhoneBookTab::~PhoneBookTab() = default;

void PhoneBookTab::setDialogs(TfrmAddRecord* addRecord, TfrmOption* options) {
    addRecord_ = addRecord;
    options_ = options;
}

void PhoneBookTab::sbReadAllClick() {}
void PhoneBookTab::sbWriteAllClick() {}
void PhoneBookTab::sbAddRecordClick() {}
void PhoneBookTab::sbStopClick() {}
void PhoneBookTab::pmLoadRecordClick() {}
void PhoneBookTab::pmSaveBookClick() {}
void PhoneBookTab::pmRefreshClick() {}
void PhoneBookTab::pmDeleteClick() {}
void PhoneBookTab::mnuSendSMSClick() {}
void PhoneBookTab::BackUp() { pmSaveBookClick(); }
void PhoneBookTab::Restore() { pmLoadRecordClick(); }
