#include "phonebook/phonebook_tab.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

#include "link/answers.h"
#include "link/errors.h"
#include "link/interaction.h"
#include "link/phone_session.h"
#include "link/plural.h"
#include "link/slot_list.h"
#include "link/text_utils.h"
#include "link/whole_file.h"
#include "phonebook/add_record_dialog.h"
#include "phonebook/entry_codec.h"
#include "phonebook/option_dialog.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "phonebook/phonebook_write.h"
#include "ui/file_dialogs.h"
#include "ui/image_library.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/progress.h"
#include "ui/sort_mark.h"
#include "ui/window_context.h"
#include "ui/write_broken_off.h"

using orlin::ModelFamily;

namespace {

enum Column { ColSlot = 0, ColName, ColNumber, ColType, ColIds, ColIcon, ColGroup };

// Rows compare by the text of the sorted column in the lists' order (CompareListTexts: Latin
// case folded, Windows-1251 letters by their byte, other letters after them); slots compare
// as text too, so 10 comes before 2.
class PhonebookItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QString a = text(column), b = other.text(column);
        return orlin::CompareListTexts(
                   std::u16string_view(reinterpret_cast<const char16_t*>(a.utf16()), a.size()),
                   std::u16string_view(reinterpret_cast<const char16_t*>(b.utf16()), b.size())) < 0;
    }
};

// "из 5 записей" / "of 5 entries": the count of entries sent, in the language shown.
std::string RefusedOf(long long sent) {
    return orlin::CountedText(sent, "PhoneBookTab", ORLIN_TRANSLATE_NOOP("PhoneBookTab", "записи"),
                              ORLIN_TRANSLATE_NOOP("PhoneBookTab", "записей"),
                              ORLIN_TRANSLATE_NOOP("PhoneBookTab", "записей"));
}

}  // namespace

// What the core's long operations ask of the tab: the progress bar, the Stop button, and
// the questions in message boxes.
class PhoneBookTab::Interaction : public orlin::ProgressBarInteraction {
public:
    enum class Question { StopWriting, AfterTimeout };
    Interaction(PhoneBookTab& tab, bool pumpEvents, Question question = Question::StopWriting)
        : ProgressBarInteraction(tab.pbReadAllRecords, pumpEvents),
          tab_(tab),
          question_(question) {}

    bool confirm(const std::string& text) override {
        if (question_ == Question::AfterTimeout)
            return MessageBoxes::warningYesNo(&tab_, QString::fromStdString(text));
        const MessageBoxes::Answer answer = MessageBoxes::show(
            &tab_, MessageBoxes::Kind::Confirmation, QString::fromStdString(text), true);
        // No goes on and asks again after the next Stop; a box closed otherwise asks again
        // after the next row.
        if (answer == MessageBoxes::Answer::No) tab_.context_.KeepRunning() = true;
        return answer == MessageBoxes::Answer::Yes;
    }
    void inform(const std::string& text) override {
        MessageBoxes::show(&tab_, MessageBoxes::Kind::Note, QString::fromStdString(text));
    }
    bool keepRunning() override { return tab_.context_.KeepRunning(); }

private:
    PhoneBookTab& tab_;
    Question question_;
};

PhoneBookTab::PhoneBookTab(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    buildList();
    buildButtons();
    buildMenu();

    SaveDialog1 = orlin::MakeFileDialog(
        this, true,
        {QStringLiteral("All files (*.*)"), QStringLiteral("Text File (*.txt)"),
         QStringLiteral("CSV File (*.csv)")},
        QStringLiteral("CSV File (*.csv)"), QStringLiteral("csv"));
    OpenDialog1 = orlin::MakeFileDialog(
        this, false,
        {QStringLiteral("All files (*.*)"), QStringLiteral("Text file (*.txt)"),
         QStringLiteral("CSV file (*.csv)")},
        QStringLiteral("CSV file (*.csv)"), QStringLiteral("csv"));
    ExportVCardDialog = makeVCardDialog(true);
    ImportVCardDialog = makeVCardDialog(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(ListView1, 1);
    layout->addWidget(Bevel1);

    // The phone commands of the tab join the window's busy state; "Очистить" too, since it
    // would empty the list under a running operation. The Stop button stays usable.
    BusyState& busy = context_.busy();
    for (QWidget* button : {static_cast<QWidget*>(sbAddRecord), static_cast<QWidget*>(sbReadAll),
                            static_cast<QWidget*>(sbWriteAll), static_cast<QWidget*>(SpeedButton3)})
        busy.add(button);
    for (QAction* item : {N2, pmDelete, mnuSendSMS, pmRefresh, N5, pmSaveBook, pmLoadRecord,
                          pmExportVCard, pmImportVCard})
        busy.add(item);
}

PhoneBookTab::~PhoneBookTab() = default;

void PhoneBookTab::withInteraction(const std::function<void(orlin::Interaction&)>& fn) {
    Interaction interaction(*this, true);
    fn(interaction);
}

void PhoneBookTab::setDialogs(TfrmAddRecord* addRecord, TfrmOption* options) {
    addRecord_ = addRecord;
    options_ = options;
}

void PhoneBookTab::buildList() {
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setHeader(new orlin::SortMarkHeader(ListView1));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSortingEnabled(false);
    // Grid lines. An item rule takes the item's drawing over from the style, so the selected
    // rows name their colours too (the palette's, the same whether or not the window is active).
    ListView1->setStyleSheet(
        QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; "
                       "border-bottom: 1px solid #d0d0d0; }"
                       "QTreeView::item:selected { background-color: palette(highlight); "
                       "color: palette(highlighted-text); }"));
    ListView1->setColumnCount(orlin::kBaseColumnCount);
    ListView1->setHeaderLabels({QStringLiteral("#"), tr("Имя, Фамилия"), tr("Номер телефона"),
                                tr("Тип"), QStringLiteral("IDs")});
    const int widths[] = {45, 150, 120, 120, 100};
    for (int c = 0; c < orlin::kBaseColumnCount; ++c) ListView1->setColumnWidth(c, widths[c]);
    ListView1->headerItem()->setTextAlignment(ColIds, Qt::AlignCenter);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(false);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            &PhoneBookTab::ListView1ColumnClick);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1DblClick(); });
}

void PhoneBookTab::buildButtons() {
    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::StyledPanel);
    Bevel1->setFrameShadow(QFrame::Sunken);
    auto makeButton = [this](const char* name, const QString& text) {
        auto* button = new QToolButton(Bevel1);
        button->setObjectName(QLatin1String(name));
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(false);
        return button;
    };
    sbAddRecord = makeButton("sbAddRecord", tr("Добавить"));
    sbReadAll = makeButton("sbReadAll", tr("Читать\nвсе..."));
    sbWriteAll = makeButton("sbWriteAll", tr("Записать\nвсе..."));
    sbStop = makeButton("sbStop", tr("Остановить"));
    sbStop->setVisible(false);
    SpeedButton3 = makeButton("SpeedButton3", tr("Очистить"));
    Label4 = new QLabel(tr("Занято:"), Bevel1);
    pbFullRecord = new QProgressBar(Bevel1);
    pbFullRecord->setRange(0, 1);
    pbFullRecord->setValue(0);
    pbFullRecord->setFormat(QStringLiteral("%v / %m"));
    pbFullRecord->setTextVisible(false);
    pbReadAllRecords = new QProgressBar(Bevel1);
    pbReadAllRecords->setRange(0, 1);
    pbReadAllRecords->setValue(0);

    auto* row = new QHBoxLayout(Bevel1);
    row->setContentsMargins(4, 4, 4, 4);
    row->addWidget(sbAddRecord);
    row->addWidget(sbReadAll);
    row->addWidget(sbWriteAll);
    row->addWidget(sbStop);
    row->addSpacing(8);
    row->addWidget(Label4, 0, Qt::AlignTop);
    row->addWidget(pbFullRecord, 1, Qt::AlignTop);
    row->addWidget(pbReadAllRecords, 1, Qt::AlignTop);
    row->addWidget(SpeedButton3);

    connect(sbAddRecord, &QToolButton::clicked, this, &PhoneBookTab::sbAddRecordClick);
    connect(sbReadAll, &QToolButton::clicked, this, &PhoneBookTab::sbReadAllClick);
    connect(sbWriteAll, &QToolButton::clicked, this, &PhoneBookTab::sbWriteAllClick);
    connect(sbStop, &QToolButton::clicked, this, &PhoneBookTab::sbStopClick);
    connect(SpeedButton3, &QToolButton::clicked, this, &PhoneBookTab::SpeedButton3Click);
}

void PhoneBookTab::buildMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N2 = PopupMenu1->addAction(tr("Редактировать"));
    pmDelete = PopupMenu1->addAction(tr("Удалить"));
    mnuSendSMS = PopupMenu1->addAction(tr("Отправить сообщение"));
    pmRefresh = PopupMenu1->addAction(tr("Обновить список"));
    N5 = PopupMenu1->addAction(tr("Добавить"));
    PopupMenu1->addSeparator();
    pmSaveBook = PopupMenu1->addAction(tr("Сохранить телефонную книгу"));
    pmLoadRecord = PopupMenu1->addAction(tr("Загрузить телефонную книгу"));
    pmExportVCard = PopupMenu1->addAction(tr("Экспорт в vCard..."));
    pmImportVCard = PopupMenu1->addAction(tr("Импорт из vCard..."));
    connect(N2, &QAction::triggered, this, &PhoneBookTab::N2Click);
    connect(pmDelete, &QAction::triggered, this, &PhoneBookTab::pmDeleteClick);
    connect(mnuSendSMS, &QAction::triggered, this, &PhoneBookTab::mnuSendSMSClick);
    connect(pmRefresh, &QAction::triggered, this, &PhoneBookTab::pmRefreshClick);
    connect(N5, &QAction::triggered, this, &PhoneBookTab::N5Click);
    connect(pmSaveBook, &QAction::triggered, this, &PhoneBookTab::pmSaveBookClick);
    connect(pmLoadRecord, &QAction::triggered, this, &PhoneBookTab::pmLoadRecordClick);
    connect(pmExportVCard, &QAction::triggered, this, &PhoneBookTab::ExportVCardClick);
    connect(pmImportVCard, &QAction::triggered, this, &PhoneBookTab::ImportVCardClick);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &PhoneBookTab::PopupMenu1Popup);
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1->popup(ListView1->viewport()->mapToGlobal(pos));
    });
}

bool PhoneBookTab::isBusy() const {
    return context_.busy().isBusy();
}

// --- the list ---

// The models with categories have the columns "Иконка" and "Группа". A read adds them and
// leaves them for other models; loading a file also takes them away for the 9-field family.
void PhoneBookTab::applyColumns(ModelFamily family) {
    if (orlin::HasCategories(family)) {
        if (ListView1->columnCount() == orlin::kCategoryColumnCount)
            ListView1->setColumnCount(orlin::kBaseColumnCount);
        if (ListView1->columnCount() == orlin::kBaseColumnCount) {
            ListView1->setColumnCount(orlin::kCategoryColumnCount);
            ListView1->headerItem()->setText(ColIcon, tr("Иконка"));
            ListView1->headerItem()->setText(ColGroup, tr("Группа"));
            ListView1->setColumnWidth(ColIcon, 100);
            ListView1->setColumnWidth(ColGroup, 100);
        }
    }
}

void PhoneBookTab::fillRow(QTreeWidgetItem* item, const orlin::TAbonentInfo& record,
                           ModelFamily family, const std::string& model) {
    const orlin::PhonebookRow row = orlin::MakeRow(record, family, model, state_.groupNames);
    const ImageLists& images = context_.images();
    item->setText(ColSlot, QString::fromStdString(row.caption));
    item->setText(ColName, QString::fromStdString(row.name));
    item->setText(ColNumber, QString::fromStdString(row.number));
    item->setText(ColType, QString::fromStdString(row.typeText));
    item->setIcon(ColType, row.typeKind ? images.small(orlin::SmallIcon::NumberTypeFirst +
                                                       static_cast<int>(*row.typeKind))
                                        : QIcon());
    item->setText(ColIds, QString::fromStdString(row.idsText));
    item->setTextAlignment(ColIds, Qt::AlignCenter);
    if (orlin::HasCategories(family) && ListView1->columnCount() >= orlin::kCategoryColumnCount) {
        item->setText(ColIcon, QString::fromStdString(row.iconText));
        item->setIcon(ColIcon, row.icon
                                   ? images.small(orlin::SmallIcon::PhonebookIconFirst + *row.icon)
                                   : QIcon());
        item->setText(ColGroup, QString::fromStdString(row.groupText));
    }
}

QTreeWidgetItem* PhoneBookTab::addRow(const orlin::TAbonentInfo& record, ModelFamily family,
                                      const std::string& model) {
    auto* item = new PhonebookItem(ListView1);
    fillRow(item, record, family, model);
    return item;
}

QTreeWidgetItem* PhoneBookTab::rowOfSlot(int32_t slot) const {
    const QString caption = QString::number(slot);
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->text(ColSlot) == caption) return ListView1->topLevelItem(i);
    return nullptr;
}

// The rows of a read stand in the phone's order, so no column shows a sort mark.
void PhoneBookTab::showRows() {
    clearSortMark();
    ListView1->clear();
    for (int32_t slot : state_.readOrder)
        if (const orlin::TAbonentInfo* record = orlin::SlotRecord(state_.abonents, slot))
            addRow(*record, state_.family, state_.model);
}

// "Занято:" counts the occupied slots of the slot table; without one (nothing read yet) the
// bar shows no figures.
void PhoneBookTab::updateOccupied() {
    const int slotCount = static_cast<int>(state_.abonents.size());
    pbFullRecord->setRange(0, std::max(1, slotCount));
    pbFullRecord->setValue(state_.OccupiedCount());
    pbFullRecord->setTextVisible(slotCount > 0);
}

void PhoneBookTab::clearSortMark() {
    orlin::ClearSortMark(ListView1);
}

void PhoneBookTab::ListView1ColumnClick(int column) {
    orlin::SortByColumn(ListView1, context_, column);
}

void PhoneBookTab::PopupMenu1Popup() {
    const bool enable = ListView1->topLevelItemCount() > 0 && !ListView1->selectedItems().isEmpty();
    for (QAction* action : {N2, pmDelete, pmSaveBook, mnuSendSMS})
        context_.busy().setAvailable(action, enable);
}

void PhoneBookTab::SpeedButton3Click() {
    if (isBusy()) return;
    ListView1->clear();
    pbFullRecord->setValue(0);
    context_.busy().setAvailable(sbAddRecord, ListView1->topLevelItemCount() > 0);
}

void PhoneBookTab::sbStopClick() {
    context_.KeepRunning() = false;
}

void PhoneBookTab::N2Click() {
    if (ListView1->topLevelItemCount() > 0) ListView1DblClick();
}

void PhoneBookTab::N5Click() {
    sbAddRecordClick();
}

void PhoneBookTab::pmRefreshClick() {
    sbReadAllClick();
}

void PhoneBookTab::mnuSendSMSClick() {
    if (isBusy()) return;
    const QTreeWidgetItem* row = ListView1->currentItem();
    if (!row || !row->isSelected()) {
        const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
        row = selected.isEmpty() ? nullptr : selected.first();
    }
    if (!row) return;  // no rows, or none selected
    emit sendMessageRequested(ContactOf(row));
}

OfferedContact PhoneBookTab::ContactOf(const QTreeWidgetItem* row) {
    const QString name = row->text(ColName), number = row->text(ColNumber);
    return {row->icon(ColType), name, number};
}

std::vector<OfferedContact> PhoneBookTab::OfferedContacts() const {
    std::vector<OfferedContact> contacts;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        contacts.push_back(ContactOf(ListView1->topLevelItem(i)));
    return contacts;
}

void PhoneBookTab::BackUp() {
    pmSaveBookClick();
}

void PhoneBookTab::Restore() {
    pmLoadRecordClick();
}

// --- reading ---

void PhoneBookTab::sbReadAllClick() {
    orlin::GuardedOperation(context_.busy(), [this] { readAll(); });
}

// The read processes no window events: nothing else can start while it runs. Every read,
// also the one after deleting several entries or loading a file, enables adding. Its
// progress bar goes back to 0 however the read ends.
bool PhoneBookTab::readAll() {
    context_.busy().setAvailable(sbAddRecord, true);
    context_.KeepRunning() = true;
    orlin::ProgressReset progressReset(pbReadAllRecords);
    orlin::PhoneSession session(context_.portSettings());
    Interaction interaction(*this, false);
    const orlin::PhonebookReport report = orlin::ReadPhonebook(
        session, state_, interaction, [this](ModelFamily family) { applyColumns(family); });
    report.RaiseFailure();
    // A model in no family whose lines showed the 16-field layout gets its columns now.
    if (state_.unverifiedModel) applyColumns(state_.family);
    pbReadAllRecords->setValue(0);
    switch (report.status) {
        case orlin::PhonebookReadStatus::NoAccess:
        case orlin::PhonebookReadStatus::NoSlotInfo:
            MessageBoxes::error(this, QString::fromStdString(orlin::StatusText(report)));
            return false;
        case orlin::PhonebookReadStatus::CharsetRefused:
            return false;
        case orlin::PhonebookReadStatus::Done:
            break;
    }
    showRows();
    updateOccupied();
    const std::string unread = orlin::UnreadEntriesText(report);
    if (!unread.empty()) MessageBoxes::warning(this, QString::fromStdString(unread));
    return true;
}

// --- adding and editing ---

// On an empty list the user is advised to read first: No cancels; OK goes on, and reads the
// phonebook first when nothing has been read yet (there are no free slots to offer without
// the slot table, and a phone whose phonebook is empty must still take its first entry).
void PhoneBookTab::sbAddRecordClick() {
    if (isBusy() || !addRecord_) return;
    if (ListView1->topLevelItemCount() == 0 &&
        !MessageBoxes::informationOkNo(
            this,
            tr("Перед добавлением новой записи рекомендуется прочитать записи из справочника.")))
        return;
    orlin::GuardedOperation(context_.busy(), [this] {
        if (state_.abonents.empty()) readAll();
        if (!state_.abonents.empty()) writeOneEntry(false);
    });
}

void PhoneBookTab::ListView1DblClick() {
    if (isBusy() || !addRecord_ || ListView1->topLevelItemCount() == 0) return;
    QTreeWidgetItem* item = ListView1->currentItem();
    if (!item || !item->isSelected()) return;
    orlin::GuardedOperation(context_.busy(), [this] { writeOneEntry(true); });
}

// Adding and editing share everything but how the dialog is filled: the phone keeps the
// port while the dialog is open, and the list and the slot table change only after the
// phone took the entry.
void PhoneBookTab::writeOneEntry(bool editing) {
    std::string model;
    std::optional<orlin::PhoneSession> session;
    QTreeWidgetItem* item = editing ? ListView1->currentItem() : nullptr;
    if (editing) {
        {
            orlin::PhoneSession first(context_.portSettings());
            model = orlin::ModelAfterEquals(first.AtCommand("AT+CGMM"));
        }
    } else {
        context_.LoadPortSettings();
        session.emplace(context_.portSettings());
        const std::optional<std::string> added = orlin::BeginAdd(*session);
        if (!added) return;
        model = *added;
    }
    const ModelFamily family = state_.LayoutOfModel(model);
    if (family == ModelFamily::None) {
        MessageBoxes::error(
            this, tr("Модель телефона не поддерживается: ") + QString::fromStdString(model));
        return;
    }

    std::optional<int32_t> oldSlot;
    if (editing) {
        TfrmAddRecord::RowTexts row{item->text(ColSlot), item->text(ColName), item->text(ColNumber),
                                    item->text(ColType), item->text(ColIds),  item->text(ColIcon),
                                    item->text(ColGroup)};
        oldSlot = row.slot.toInt();
        addRecord_->prepareEdit(QString::fromStdString(model), state_, row);
        session.emplace(context_.portSettings());
        if (!orlin::BeginEdit(*session)) return;
    } else {
        addRecord_->prepareAdd(QString::fromStdString(model), state_);
    }
    if (addRecord_->exec() != QDialog::Accepted) return;

    const orlin::TAbonentInfo record = addRecord_->confirmedRecord();
    // An emoji cannot go to the phone: it is sent as '?', and the user hears so first.
    if (const orlin::Utf8Text beyond = orlin::EntriesBeyondUcs2Text({record}); !beyond.empty())
        MessageBoxes::warning(this, QString::fromStdString(beyond));
    const orlin::EntryWriteResult result =
        orlin::WriteEntry(*session, state_, family, record, oldSlot);
    if (!result.written) {
        MessageBoxes::error(
            this, tr("Телефон не принял запись %1: %2")
                      .arg(record.Index)
                      .arg(QString::fromStdString(orlin::AnswerText(orlin::Trim(result.answer)))));
        return;
    }
    const orlin::TAbonentInfo& stored = state_.abonents[static_cast<size_t>(record.Index) - 1];
    QTreeWidgetItem* shown = rowOfSlot(record.Index);
    if (editing) {
        // A row that showed the overwritten slot goes; the edited row shows the entry.
        if (shown && shown != item) delete shown;
        fillRow(item, stored, state_.family, state_.model);
        if (!result.oldSlotEmptied) {
            MessageBoxes::warning(this,
                                  tr("Запись перенесена в %1, но телефон не удалил запись %2.")
                                      .arg(record.Index)
                                      .arg(*oldSlot));
            if (const orlin::TAbonentInfo* old = orlin::SlotRecord(state_.abonents, *oldSlot))
                addRow(*old, state_.family, state_.model);
        }
    } else if (shown) {
        fillRow(shown, stored, state_.family, state_.model);
    } else {
        addRow(stored, state_.family, state_.model);
    }
    updateOccupied();
}

// --- writing all and deleting ---

void PhoneBookTab::sbWriteAllClick() {
    if (isBusy() || ListView1->topLevelItemCount() == 0) return;
    context_.KeepRunning() = true;
    BusyScope busy(context_.busy());
    orlin::StopButtonShown stop(sbStop);
    orlin::ProgressReset progressReset(pbReadAllRecords);
    orlin::Guarded([this] {
        orlin::PhoneSession session(context_.portSettings(),
                                    orlin::PhoneSession::Options{true, true});
        std::vector<orlin::ListRow> rows;
        for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = ListView1->topLevelItem(i);
            rows.push_back({item->text(ColSlot).toStdString(), item->text(ColName).toStdString(),
                            item->text(ColNumber).toStdString(), item->text(ColType).toStdString(),
                            item->text(ColIds).toStdString()});
        }
        Interaction interaction(*this, true);
        const orlin::SlotChange change = orlin::WriteAllRows(session, rows, state_, interaction);
        if (orlin::ShowWriteBrokenOff(this, change, rows.size())) return;
        const auto sent = static_cast<long long>(change.done.size() + change.refused.size());
        if (!change.refused.empty())
            MessageBoxes::warning(
                this, tr("Телефон не принял %1 из %2: %3.")
                          .arg(change.refused.size())
                          .arg(QString::fromStdString(RefusedOf(sent)))
                          .arg(QString::fromStdString(orlin::SlotList(change.refused))));
    });
}

void PhoneBookTab::pmDeleteClick() {
    if (isBusy()) return;
    std::vector<std::string> captions;
    std::vector<QTreeWidgetItem*> items;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (!item->isSelected()) continue;
        items.push_back(item);
        captions.push_back(item->text(ColSlot).toStdString());
    }
    if (items.empty()) return;

    BusyScope busy(context_.busy());
    orlin::SlotChange change;
    try {
        const std::vector<int32_t> chosen = orlin::SlotsOfCaptions(captions);
        orlin::PhoneSession session(context_.portSettings(),
                                    orlin::PhoneSession::Options{true, true});
        change = orlin::DeletePhonebookEntries(session, state_, chosen);
        change.RaiseFailure();
    } catch (const std::exception&) {
        MessageBoxes::error(this, tr("Нет выделенной записи..."));
    }
    if (items.size() == 1 && !change.done.empty()) delete items.front();
    const std::string refused = orlin::DeletePhonebookText(change);
    if (!refused.empty()) MessageBoxes::warning(this, QString::fromStdString(refused));
    updateOccupied();
    if (items.size() > 1) orlin::Guarded([this] { readAll(); });
}

// --- files ---

void PhoneBookTab::pmSaveBookClick() {
    if (isBusy()) return;
    if (ListView1->topLevelItemCount() == 0 || state_.abonents.empty()) {
        MessageBoxes::information(this, tr("Список пуст, сохранять нечего !"));
        return;
    }
    orlin::GuardedOperation(context_.busy(), [this] {
        {
            orlin::PhoneSession session(context_.portSettings());
            orlin::PrepareSave(session, state_);
        }
        if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
            return;
        if (options_ && options_->ownFormatSelected()) {
            MessageBoxes::information(this, tr("Пока не работает"));
            return;
        }
        const orlin::FileText text = orlin::PhonebookFileText(state_.abonents, state_.ranges);
        orlin::WriteWholeFile(orlin::Utf8Path(SaveDialog1->selectedFiles().first()), text.bytes);
        const orlin::Utf8Text note = orlin::SaveChangeNote(text);
        if (!note.empty()) MessageBoxes::information(this, QString::fromStdString(note));
    });
}

void PhoneBookTab::pmLoadRecordClick() {
    if (isBusy()) return;
    context_.KeepRunning() = true;
    BusyScope busy(context_.busy());
    std::optional<orlin::StopButtonShown> stop(sbStop);
    orlin::ProgressReset progressReset(pbReadAllRecords);
    orlin::Guarded([&] {
        Interaction interaction(*this, true, Interaction::Question::AfterTimeout);
        const orlin::LoadTarget target = orlin::PrepareLoad(context_.portSettings(), interaction);
        if (!target.connected) return;

        std::vector<orlin::TAbonentInfo> records;
        if (OpenDialog1->exec() == QDialog::Accepted && !OpenDialog1->selectedFiles().isEmpty()) {
            ListView1->clear();
            // A file saved as UTF-8 by a text editor is converted; the note says so once.
            const orlin::FileEntries entries = orlin::ParsePhonebookFile(
                orlin::ReadPhonebookFile(orlin::Utf8Path(OpenDialog1->selectedFiles().first()),
                                         interaction),
                target.family, target.ranges,
                QFileInfo(OpenDialog1->selectedFiles().first()).fileName().toStdString());
            if (target.family == ModelFamily::Fields9 &&
                ListView1->columnCount() == orlin::kCategoryColumnCount)
                ListView1->setColumnCount(orlin::kBaseColumnCount);
            applyColumns(target.family);
            records = entries.records;
        }

        orlin::LoadReport report;
        QString failure;
        try {
            report = orlin::WriteFileEntries(context_.portSettings(), records, target.family,
                                             interaction, [&](const orlin::TAbonentInfo& record) {
                                                 addRow(record, target.family, target.model);
                                             });
        } catch (const orlin::OrlinError& e) {
            failure = QString::fromStdString(e.what());
        }
        pbReadAllRecords->setValue(0);
        if (ListView1->topLevelItemCount() > 0) context_.busy().setAvailable(sbAddRecord, true);
        stop.reset();
        if (!failure.isEmpty()) MessageBoxes::error(this, orlin::ErrorBoxText(failure));
        // No command layout is known for the model: say so rather than end as if written.
        if (target.family == ModelFamily::None && !records.empty())
            MessageBoxes::error(this, tr("Модель телефона не поддерживается: %1. "
                                         "Записи из файла не записаны.")
                                          .arg(QString::fromStdString(target.model)));
        // The phone lost half-way: one box says so and what went in; nothing more can be read.
        if (orlin::ShowWriteBrokenOff(this, report, records.size())) return;
        if (const orlin::Utf8Text beyond = orlin::EntriesBeyondUcs2Text(records); !beyond.empty())
            MessageBoxes::warning(this, QString::fromStdString(beyond));
        if (!report.refused.empty())
            MessageBoxes::warning(
                this, tr("Телефон не принял %1 из %2: %3.")
                          .arg(report.refused.size())
                          .arg(QString::fromStdString(RefusedOf(report.sent)))
                          .arg(QString::fromStdString(orlin::SlotList(report.refused))));
        // The list shows what the phone holds now.
        readAll();
    });
}

void PhoneBookTab::ApplyGlyphs(const orlin::ButtonGlyphs& glyphs) {
    glyphs.apply("SB_03", sbAddRecord);
    glyphs.apply("SB_04", sbReadAll);
    glyphs.apply("SB_05", SpeedButton3);
}

void PhoneBookTab::ApplySmallIcons() {
    ListView1->setIconSize(QSize(16, 16));
}

void PhoneBookTab::ApplyPopupIcons() {
    PopupMenu1->setStyleSheet(QStringLiteral("QMenu { icon-size: 24px; }"));
    const QList<QPixmap>& icons = context_.images().popupIcons;
    auto popupIcon = [&icons](QAction* item, int index) {
        if (index < icons.size()) item->setIcon(QIcon(icons[index]));
    };
    popupIcon(pmLoadRecord, 0);
    popupIcon(pmSaveBook, 1);
    popupIcon(pmRefresh, 2);
    popupIcon(pmDelete, 3);
    popupIcon(N2, 4);
    popupIcon(N5, 5);
    popupIcon(mnuSendSMS, 7);
}

void PhoneBookTab::ApplyCaptions() {
    sbReadAll->setText(tr("Читать\nвсе..."));
    sbWriteAll->setText(tr("Записать\nвсе..."));
}

void PhoneBookTab::DisableAddUntilRead() {
    if (ListView1->topLevelItemCount() == 0) context_.busy().setAvailable(sbAddRecord, false);
}
