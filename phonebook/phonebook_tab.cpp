#include "phonebook/phonebook_tab.h"

#include <QAction>
#include <QMenu>
#include <QProgressBar>
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
    N2 = PopupMenu1->addAction(QStringLiteral("Редактировать"));
    pmDelete = PopupMenu1->addAction(QStringLiteral("Удалить"));
    mnuSendSMS = PopupMenu1->addAction(QStringLiteral("Отправить сообщение"));
    pmRefresh = PopupMenu1->addAction(QStringLiteral("Обновить список"));
    N5 = PopupMenu1->addAction(QStringLiteral("Добавить"));
    PopupMenu1->addSeparator();
    pmSaveBook = PopupMenu1->addAction(QStringLiteral("Сохранить телефонную книгу"));
    pmLoadRecord = PopupMenu1->addAction(QStringLiteral("Загрузить телефонную книгу"));
    sbReadAll = new QToolButton(this);
    sbWriteAll = new QToolButton(this);
    sbAddRecord = new QToolButton(this);
    sbStop = new QToolButton(this);
    SpeedButton3 = new QToolButton(this);
    pbFullRecord = new QProgressBar(this);
    pbReadAllRecords = new QProgressBar(this);
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
void PhoneBookTab::SpeedButton3Click() {}
void PhoneBookTab::N2Click() {}
void PhoneBookTab::N5Click() {}
void PhoneBookTab::ListView1DblClick() {}
void PhoneBookTab::pmLoadRecordClick() {}
void PhoneBookTab::pmSaveBookClick() {}
void PhoneBookTab::pmRefreshClick() {}
void PhoneBookTab::pmDeleteClick() {}
void PhoneBookTab::mnuSendSMSClick() { emit sendMessageRequested(); }
void PhoneBookTab::BackUp() { pmSaveBookClick(); }
void PhoneBookTab::Restore() { pmLoadRecordClick(); }
