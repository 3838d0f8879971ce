#include "messages/messages_tab.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

#include "link/connection_lost.h"
#include "link/phone_session.h"
#include "link/plural.h"
#include "link/text_utils.h"
#include "link/whole_file.h"
#include "messages/message_delete.h"
#include "messages/message_export.h"
#include "messages/save_sms_dialog.h"
#include "ui/file_dialogs.h"
#include "ui/image_library.h"
#include "ui/list_columns.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/progress.h"
#include "ui/sort_mark.h"
#include "ui/window_context.h"

using orlin::MessageFolder;
using orlin::MessageRow;

namespace {

constexpr int kButtonWidth = 150;  // at least; wider when a folder caption needs it
constexpr int kButtonHeight = 32;
constexpr int kMemoHeight = 90;
constexpr int kStateRole = Qt::UserRole + 1;
constexpr int kKindRole = Qt::UserRole + 2;
constexpr int kMessageStateRole = Qt::UserRole + 3;

// The icons of the "Тип" and "Статус" cells; rows of the archive have none.
int IconOf(orlin::MessageKind kind) {
    namespace icon = orlin::SmallIcon;
    switch (kind) {
        case orlin::MessageKind::Incoming:
            return icon::Incoming;
        case orlin::MessageKind::Outgoing:
            return icon::Outgoing;
        case orlin::MessageKind::Draft:
            return icon::Draft;
        default:
            return -1;
    }
}

int IconOf(orlin::MessageState state) {
    namespace icon = orlin::SmallIcon;
    switch (state) {
        case orlin::MessageState::Read:
            return icon::StateRead;
        case orlin::MessageState::Unread:
            return icon::StateUnread;
        case orlin::MessageState::Sent:
            return icon::StateSent;
        case orlin::MessageState::Unsent:
            return icon::StateUnsent;
        default:
            return -1;
    }
}

enum Column { ColIndex = 0, ColNumber, ColDateTime, ColType, ColSize, ColStatus, ColText };

// Icons of the nodes in the small-icon list: normal and selected.
struct NodeIcons {
    int normal;
    int selected;
};
constexpr NodeIcons kNodeIcons[] = {{32, 32}, {26, 27}, {28, 29}, {33, 33}, {30, 30}, {31, 31}};

const char* const kNodeCaptions[] = {
    QT_TRANSLATE_NOOP("MessagesTab", "Телефон"),   QT_TRANSLATE_NOOP("MessagesTab", "Входящие"),
    QT_TRANSLATE_NOOP("MessagesTab", "Исходящие"), QT_TRANSLATE_NOOP("MessagesTab", "Отправленные"),
    QT_TRANSLATE_NOOP("MessagesTab", "Черновики"), QT_TRANSLATE_NOOP("MessagesTab", "Архив")};

// The caption of the tree's node `state` (0 the phone, 1-4 its folders, 5 the archive).
QString NodeCaption(int state) {
    return QCoreApplication::translate("MessagesTab", kNodeCaptions[state]);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setIconSize(QSize(16, 16));
    return b;
}

// Two rows compare by the text of the sorted column in the lists' order (folding only the
// Latin letters' case); numbers compare as text, so 10 comes before 9.
bool lvSMSCompare(const QTreeWidgetItem& a, const QTreeWidgetItem& b, int column) {
    const QString x = a.text(column), y = b.text(column);
    return orlin::CompareListTexts(
               std::u16string_view(reinterpret_cast<const char16_t*>(x.utf16()), x.size()),
               std::u16string_view(reinterpret_cast<const char16_t*>(y.utf16()), y.size())) < 0;
}

class MessageItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        return lvSMSCompare(*this, other, treeWidget() ? treeWidget()->sortColumn() : 0);
    }
};

// Beside the text blocks that "CSV File" writes (Windows-1251, which a spreadsheet shows as
// garbage), a real table: RFC 4180 CSV in UTF-8, as orlin-cli --format csv writes it.
const char* const kCsvTableFilter = QT_TRANSLATE_NOOP("MessagesTab", "Таблица CSV (UTF-8) (*.csv)");

QString CsvTableFilter() {
    return QCoreApplication::translate("MessagesTab", kCsvTableFilter);
}

// A folder node's caption with the count of the list's rows, set when the scope ends.
struct FolderCaption {
    QTreeWidgetItem* node;
    int state;
    const QTreeWidget* list;
    ~FolderCaption() {
        node->setText(
            0, QStringLiteral("%1 (%2)").arg(NodeCaption(state)).arg(list->topLevelItemCount()));
    }
};

}  // namespace

MessagesTab::MessagesTab(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    buildList();
    buildButtons();
    buildMenu();

    SaveDialog1 = orlin::MakeFileDialog(
        this, true,
        {QStringLiteral("All files (*.*)"), QStringLiteral("Text File (*.txt)"),
         QStringLiteral("CSV File (*.csv)"), CsvTableFilter()},
        QStringLiteral("CSV File (*.csv)"), QStringLiteral("csv"));
    SaveDialog1->setObjectName("SaveDialog1");

    // Phone commands wait while another operation holds the port.
    BusyState& busy = context_.busy();
    busy.add(tvSMS);
    for (QPushButton* b : {sbSMSNew, sbDeleteSMS, sbSMSDeleteAll}) busy.add(b);
    busy.add(pmSMSRead, false);
    for (QAction* a : {pmSMSDelete, pmSendSMS, pmMarkasRead}) busy.add(a, false);
    busy.add(pmSMSNew);
}

void MessagesTab::buildList() {
    tvSMS = new QTreeWidget(this);
    tvSMS->setObjectName("tvSMS");
    tvSMS->setHeaderHidden(true);
    tvSMS->setRootIsDecorated(false);
    tvSMS->setItemsExpandable(false);
    tvSMS->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvSMS->setMouseTracking(true);  // hot tracking
    auto node = [this](QTreeWidgetItem* parentNode, int state) {
        const QString caption = NodeCaption(state);
        auto* item = parentNode ? new QTreeWidgetItem(parentNode, {caption})
                                : new QTreeWidgetItem(tvSMS, {caption});
        item->setData(0, kStateRole, state);
        return item;
    };
    nodePhone = node(nullptr, 0);
    nodeInbox = node(nodePhone, 1);
    nodeOutbox = node(nodePhone, 2);
    nodeSent = node(nodePhone, 3);
    nodeDrafts = node(nodePhone, 4);
    nodeArchive = node(nullptr, 5);
    connect(tvSMS, &QTreeWidget::itemClicked, this, &MessagesTab::tvSMSClick);

    edtSearch = new QLineEdit(this);
    edtSearch->setObjectName("edtSearch");
    edtSearch->setPlaceholderText(tr("Поиск"));
    edtSearch->setClearButtonEnabled(true);
    connect(edtSearch, &QLineEdit::textChanged, this, &MessagesTab::edtSearchChange);

    lvSMS = new QTreeWidget(this);
    lvSMS->setHeader(new orlin::SortMarkHeader(lvSMS));
    lvSMS->header()->setStretchLastSection(true);  // as the tree view's own header
    lvSMS->setObjectName("lvSMS");
    lvSMS->setRootIsDecorated(false);
    lvSMS->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvSMS->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvSMS->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvSMS->setAllColumnsShowFocus(true);
    lvSMS->setHeaderLabels({QStringLiteral("#"), tr("Номер"), tr("Дата/Время"), tr("Тип"),
                            tr("Размер"), tr("Статус"), tr("Тема")});
    lvSMS->header()->setMinimumSectionSize(1);
    // Typical widest cells: an international number, the phone's date and time, the longest
    // type and status words with their icons.
    orlin::FitColumns(lvSMS, {{1, {}},
                              {100, QStringLiteral("+380501234567")},
                              {120, QStringLiteral("2006/12/26,09:05:07")},
                              {85, QStringLiteral("исходящее"), true},
                              {60, QStringLiteral("160")},
                              {90, QStringLiteral("не отправлено"), true},
                              {200, {}}});
    for (int centred : {ColDateTime, ColType, ColSize, ColStatus})
        lvSMS->headerItem()->setTextAlignment(centred, Qt::AlignCenter);
    lvSMS->header()->setSectionsClickable(true);
    lvSMS->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lvSMS, &QTreeWidget::itemSelectionChanged, this, &MessagesTab::lvSMSClick);
    connect(lvSMS->header(), &QHeaderView::sectionClicked, this, &MessagesTab::lvSMSColumnClick);

    Label7 = new QLabel(tr("Текст сообщения"), this);
    Label7->setObjectName("Label7");
    mmSMS = new QPlainTextEdit(this);
    mmSMS->setObjectName("mmSMS");
    mmSMS->setReadOnly(true);
}

void MessagesTab::buildButtons() {
    pbReadSMS = new QProgressBar(this);
    pbReadSMS->setObjectName("pbReadSMS");
    pbReadSMS->setValue(0);
    pbReadSMS->setTextVisible(false);

    sbSMSNew = button(this, "sbSMSNew", tr("Новое"));
    sbSMSSave = button(this, "sbSMSSave", tr("Сохранить"));
    SpeedButton12 = button(this, "SpeedButton12", tr("Очистить"));
    sbDeleteSMS = button(this, "sbDeleteSMS", tr("Удалить"));
    sbSMSDeleteAll = button(this, "sbSMSDeleteAll", tr("Удалить все"));
    connect(sbSMSNew, &QPushButton::clicked, this, &MessagesTab::sbSMSNewClick);
    connect(sbSMSSave, &QPushButton::clicked, this, &MessagesTab::sbSMSSaveClick);
    connect(SpeedButton12, &QPushButton::clicked, this, &MessagesTab::SpeedButton12Click);
    connect(sbDeleteSMS, &QPushButton::clicked, this, &MessagesTab::sbDeleteSMSClick);
    connect(sbSMSDeleteAll, &QPushButton::clicked, this, &MessagesTab::sbSMSDeleteAllClick);
}

void MessagesTab::buildMenu() {
    pmSMS = new QMenu(this);
    pmSMS->setObjectName("pmSMS");
    auto item = [this](const char* name, const QString& caption, void (MessagesTab::*slot)()) {
        QAction* action = pmSMS->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    pmSMSRead = item("pmSMSRead", tr("Прочитать"), &MessagesTab::pmSMSReadClick);
    pmSMSDelete = item("pmSMSDelete", tr("Удалить"), &MessagesTab::pmSMSDeleteClick);
    pmSMSNew = item("pmSMSNew", tr("Новое"), &MessagesTab::pmSMSNewClick);
    pmSMSSave = item("pmSMSSave", tr("Сохранить"), &MessagesTab::pmSMSSaveClick);
    pmSendSMS = item("pmSendSMS", tr("Отправить"), &MessagesTab::pmSendSMSClick);
    pmSMSClear = item("pmSMSClear", tr("Очистить"), &MessagesTab::pmSMSClearClick);
    pmMarkasRead =
        item("pmMarkasRead", QStringLiteral("Mark as Read"), &MessagesTab::pmMarkasReadClick);
    connect(pmSMS, &QMenu::aboutToShow, this, &MessagesTab::pmSMSPopup);
    connect(lvSMS, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { pmSMS->popup(lvSMS->viewport()->mapToGlobal(pos)); });
}

int MessagesTab::StateIndex(const QTreeWidgetItem* node) {
    return node ? node->data(0, kStateRole).toInt() : -1;
}

void MessagesTab::ApplySmallIcons() {
    const ImageLists& images = context_.images();
    QTreeWidgetItem* nodes[] = {nodePhone, nodeInbox,  nodeOutbox,
                                nodeSent,  nodeDrafts, nodeArchive};
    for (int i = 0; i < 6; ++i) {
        QIcon icon = images.small(kNodeIcons[i].normal);
        if (kNodeIcons[i].selected != kNodeIcons[i].normal) {
            const QIcon selected = images.small(kNodeIcons[i].selected);
            if (!selected.isNull()) icon.addPixmap(selected.pixmap(16, 16), QIcon::Selected);
        }
        nodes[i]->setIcon(0, icon);
    }
    tvSMS->setIconSize(QSize(16, 16));
    lvSMS->setIconSize(QSize(16, 16));
}

void MessagesTab::ApplyGlyphs(const orlin::ButtonGlyphs& glyphs) {
    glyphs.apply("SB_05", SpeedButton12);
    glyphs.apply("SB_08", sbDeleteSMS);
    glyphs.apply("SB_09", sbSMSNew);
    glyphs.apply("SB_10", sbSMSSave);
}

// The folder tree and the buttons below it are as wide as the longest folder caption with its
// count needs ("Отправленные (999)"); the list as wide as its columns.
int MessagesTab::leftWidth() const {
    const int caption =
        tvSMS->fontMetrics().horizontalAdvance(QStringLiteral("Отправленные (999)"));
    return std::max(kButtonWidth, caption + tvSMS->indentation() + 16 + 24);
}

QSize MessagesTab::sizeHint() const {
    const int list = lvSMS->header()->length() + 2 * lvSMS->frameWidth() +
                     lvSMS->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {2 + leftWidth() + 6 + list + 2, QWidget::sizeHint().height()};
}

void MessagesTab::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    const int kButtonWidth = leftWidth();
    // The five buttons stacked upwards from the bottom edge at the left.
    QPushButton* stack[] = {sbSMSDeleteAll, sbDeleteSMS, SpeedButton12, sbSMSSave, sbSMSNew};
    int bottom = h - 2;
    for (QPushButton* b : stack) {
        b->setGeometry(2, bottom - kButtonHeight, kButtonWidth, kButtonHeight);
        bottom = b->geometry().top() - 2;
    }
    pbReadSMS->setGeometry(2, bottom - 14, kButtonWidth, 14);
    tvSMS->setGeometry(2, 2, kButtonWidth, pbReadSMS->geometry().top() - 2 - 2);
    // The search field, the list, its caption and the text memo on the right.
    const int left = kButtonWidth + 6;
    const int memoWidth = w - kButtonWidth - 6 - 2;
    mmSMS->setGeometry(left, h - 2 - kMemoHeight, memoWidth, kMemoHeight);
    const int labelHeight = Label7->sizeHint().height();
    Label7->setGeometry(left, mmSMS->geometry().top() - 2 - labelHeight, memoWidth, labelHeight);
    const int searchHeight = edtSearch->sizeHint().height();
    edtSearch->setGeometry(left, 2, memoWidth, searchHeight);
    const int listTop = 2 + searchHeight + 2;
    lvSMS->setGeometry(left, listTop, memoWidth, Label7->geometry().top() - 2 - listTop);
}

// --- the folders ---

void MessagesTab::tsSMSShow() {
    tvSMS->expandAll();
}

void MessagesTab::tvSMSClick() {
    if (context_.busy().isBusy()) return;
    readNode(tvSMS->currentItem());
}

void MessagesTab::pmSMSReadClick() {
    if (context_.busy().isBusy() || tvSMS->currentItem() == nullptr) return;
    readNode(tvSMS->currentItem());
}

void MessagesTab::N18Click() {
    pmSMSReadClick();
}

void MessagesTab::readNode(QTreeWidgetItem* node) {
    const int state = StateIndex(node);
    const bool folder = state >= 1 && state <= 5;
    context_.busy().setAvailable(pmSMSRead, folder);
    emit readAvailableChanged(folder);
    if (!folder) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([&] {
        // The caption counts the rows the list shows, however the read ends.
        const FolderCaption caption{node, state, lvSMS};
        if (state == static_cast<int>(MessageFolder::Archive))
            ShowMessageArchive();
        else
            ReadMessageFolder(static_cast<MessageFolder>(state));
    });
}

void MessagesTab::ReadMessageFolder(MessageFolder folder) {
    orlin::ProgressBarInteraction interaction(pbReadSMS);
    const orlin::ProgressReset reset(pbReadSMS);
    orlin::RowSink sink;
    bool listed = false;  // the phone was talked with and the list emptied for its rows
    sink.cleared = [this, &listed] {
        lvSMS->clear();
        listed = true;
    };
    sink.added = [this](const MessageRow& row) { addRow(row); };
    orlin::PhoneSession::Options options;
    options.useSettingsTimeout = true;
    orlin::PhoneSession session(context_.portSettings(), options);
    const orlin::FolderReport report = orlin::ReadMessageFolder(session, folder, interaction, sink);
    try {
        report.RaiseFailure();
    } catch (const orlin::ESynaSerError& error) {
        if (!listed || !orlin::IsConnectionLost(error)) throw;
        const int rows = lvSMS->topLevelItemCount();
        MessageBoxes::error(
            this,
            QString::fromStdString(orlin::ConnectionLostText(
                error, orlin::CountedText(rows, "MessagesTab",
                                          ORLIN_TRANSLATE_NOOP("MessagesTab", "сообщение"),
                                          ORLIN_TRANSLATE_NOOP("MessagesTab", "сообщения"),
                                          ORLIN_TRANSLATE_NOOP("MessagesTab", "сообщений")))));
        return;
    }
    const std::string status = orlin::StatusText(report);
    if (!status.empty()) MessageBoxes::error(this, QString::fromStdString(status));
    showWarnings(report);
}

void MessagesTab::ShowMessageArchive() {
    orlin::PhoneSession session(context_.portSettings());
    const orlin::FolderReport report = orlin::ReadMessageArchive(session);
    report.RaiseFailure();
    lvSMS->clear();
    for (const MessageRow& row : report.rows) addRow(row);
    showWarnings(report);
}

void MessagesTab::showWarnings(const orlin::FolderReport& report) {
    for (const std::string& text : orlin::WarningTexts(report))
        MessageBoxes::warning(this, QString::fromStdString(text));
}

void MessagesTab::SpeedButton12Click() {
    lvSMS->clear();
    mmSMS->clear();
    QTreeWidgetItem* folders[] = {nodeInbox, nodeOutbox, nodeSent, nodeDrafts};
    for (int i = 0; i < 4; ++i) folders[i]->setText(0, NodeCaption(i + 1));
}

// The rows go; the text below the list stays (emptying the list deselects every row, which
// would empty it otherwise).
void MessagesTab::pmSMSClearClick() {
    const QString text = mmSMS->toPlainText();
    lvSMS->clear();
    mmSMS->setPlainText(text);
}

// --- the rows ---

QTreeWidgetItem* MessagesTab::addRow(const MessageRow& row) {
    auto* item = new MessageItem(lvSMS);
    item->setText(ColIndex, QString::fromStdString(row.index));
    item->setText(ColNumber, QString::fromStdString(row.number));
    item->setText(ColDateTime, QString::fromStdString(row.dateTime));
    item->setText(ColType, QString::fromStdString(row.typeText));
    item->setData(ColType, kKindRole, static_cast<int>(row.kind));
    item->setIcon(ColType, context_.images().small(IconOf(row.kind)));
    item->setText(ColSize, QString::number(row.size()));
    item->setText(ColText, QString::fromStdString(row.text));
    for (int centred : {ColDateTime, ColType, ColSize, ColStatus})
        item->setTextAlignment(centred, Qt::AlignCenter);
    showStatus(item, row);
    if (!matchesSearch(item)) item->setHidden(true);
    return item;
}

MessageRow MessagesTab::rowOf(const QTreeWidgetItem* item) {
    MessageRow row;
    row.index = item->text(ColIndex).toStdString();
    row.number = item->text(ColNumber).toStdString();
    row.dateTime = item->text(ColDateTime).toStdString();
    row.typeText = item->text(ColType).toStdString();
    row.kind = static_cast<orlin::MessageKind>(item->data(ColType, kKindRole).toInt());
    row.statusText = item->text(ColStatus).toStdString();
    row.state = static_cast<orlin::MessageState>(item->data(ColStatus, kMessageStateRole).toInt());
    row.text = item->text(ColText).toStdString();
    return row;
}

void MessagesTab::showStatus(QTreeWidgetItem* item, const MessageRow& row) {
    item->setText(ColStatus, QString::fromStdString(row.statusText));
    item->setData(ColStatus, kMessageStateRole, static_cast<int>(row.state));
    item->setIcon(ColStatus, context_.images().small(IconOf(row.state)));
    lvSMSCustomDrawSubItem(item);
}

// Unread rows are drawn bold, every other row in regular weight.
void MessagesTab::lvSMSCustomDrawSubItem(QTreeWidgetItem* item) {
    const bool bold = rowOf(item).unread();
    for (int c = 0; c < lvSMS->columnCount(); ++c) {
        QFont font = item->font(c);
        font.setBold(bold);
        item->setFont(c, font);
    }
}

void MessagesTab::lvSMSClick() {
    const std::vector<QTreeWidgetItem*> rows = selectedRows();
    mmSMS->setPlainText(rows.empty() ? QString() : rows.front()->text(ColText));
}

void MessagesTab::lvSMSColumnClick(int column) {
    orlin::SortByColumn(lvSMS, context_, column);
}

bool MessagesTab::matchesSearch(const QTreeWidgetItem* item) const {
    const QString wanted = edtSearch->text();
    return wanted.isEmpty() || item->text(ColNumber).contains(wanted, Qt::CaseInsensitive) ||
           item->text(ColText).contains(wanted, Qt::CaseInsensitive);
}

// The search shows the rows whose number or text holds the typed text; the rows it hides are
// deselected, so that every command acts on what can be seen.
void MessagesTab::edtSearchChange() {
    for (int i = 0; i < lvSMS->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lvSMS->topLevelItem(i);
        const bool shown = matchesSearch(item);
        if (!shown) item->setSelected(false);
        item->setHidden(!shown);
    }
}

std::vector<QTreeWidgetItem*> MessagesTab::visibleRows() const {
    std::vector<QTreeWidgetItem*> rows;
    for (int i = 0; i < lvSMS->topLevelItemCount(); ++i)
        if (!lvSMS->topLevelItem(i)->isHidden()) rows.push_back(lvSMS->topLevelItem(i));
    return rows;
}

std::vector<QTreeWidgetItem*> MessagesTab::selectedRows() const {
    std::vector<QTreeWidgetItem*> rows = visibleRows();
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const QTreeWidgetItem* item) { return !item->isSelected(); }),
               rows.end());
    return rows;
}

void MessagesTab::pmSMSPopup() {
    const std::vector<QTreeWidgetItem*> rows = selectedRows();
    const bool any = !rows.empty();
    BusyState& busy = context_.busy();
    busy.setAvailable(pmSMSDelete, any);
    busy.setAvailable(pmSMSSave, any);
    busy.setAvailable(pmSendSMS, any);
    if (any) busy.setAvailable(pmMarkasRead, rowOf(rows.front()).unread());
}

// --- composing and sending ---

void MessagesTab::sbSMSNewClick() {
    if (context_.busy().isBusy() || !dialog_) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] { compose(nullptr); });
}

void MessagesTab::pmSMSNewClick() {
    sbSMSNewClick();
}

void MessagesTab::N19Click() {
    sbSMSNewClick();
}

void MessagesTab::mnuSendSMSClick(const OfferedContact& contact) {
    if (context_.busy().isBusy() || !dialog_) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([&] { compose(&contact); });
}

// A new message (to the contact given, or to anyone): the phone keeps the port while the
// dialog is open, then stores the message and sends it as the dialog's action says.
void MessagesTab::compose(const OfferedContact* contact) {
    struct Reset {
        TfrmSaveSMS* dialog;
        bool afterContact;
        ~Reset() {
            if (afterContact) dialog->reset();
        }
    } reset{dialog_, contact != nullptr};
    if (contact) {
        dialog_->prepareFor({contact->nameText.toStdString(), contact->numberText.toStdString()},
                            contact->icon);
    } else {
        std::vector<orlin::Contact> contacts;
        QList<QIcon> icons;
        for (const OfferedContact& offered :
             contactOffer_ ? contactOffer_() : std::vector<OfferedContact>()) {
            // Every letter of the name, whatever the code page holds.
            contacts.push_back({offered.nameText.toStdString(), offered.numberText.toStdString()});
            icons << offered.icon;
        }
        dialog_->prepareNew(contacts, icons);
    }
    orlin::PhoneSession::Options options;
    options.useSettingsTimeout = true;
    orlin::PhoneSession session(context_.portSettings(), options);
    orlin::BeginCompose(session);
    if (!dialog_->execute()) return;
    const orlin::SendOutcome outcome = orlin::SendNewMessage(
        session, dialog_->recipientNumber, dialog_->messageText, dialog_->action());
    const QString text = QString::fromStdString(orlin::SendOutcomeText(outcome));
    if (outcome == orlin::SendOutcome::SentNotDeleted)
        MessageBoxes::warning(this, text);
    else if (orlin::IsSendFailure(outcome))
        MessageBoxes::error(this, text);
    else
        MessageBoxes::information(this, text);
}

void MessagesTab::pmSendSMSClick() {
    if (context_.busy().isBusy()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] {
        const std::vector<QTreeWidgetItem*> rows = selectedRows();
        if (rows.empty()) {
            MessageBoxes::error(this, QString::fromStdString(orlin::NothingSelectedText()));
            return;
        }
        const MessageRow row = rowOf(rows.front());
        if (row.fromArchive()) {
            MessageBoxes::information(this, QString::fromStdString(orlin::ArchiveRowText()));
            return;
        }
        context_.LoadPortSettings();
        orlin::PhoneSession::Options options;
        options.useSettingsTimeout = true;
        orlin::PhoneSession session(context_.portSettings(), options);
        const bool sent = orlin::SendStored(session, row.index);
        const QString text = QString::fromStdString(orlin::SendStoredText(sent));
        if (sent)
            MessageBoxes::information(this, text);
        else
            MessageBoxes::error(this, text);
    });
}

// --- deleting, marking, exporting ---

void MessagesTab::sbDeleteSMSClick() {
    if (context_.busy().isBusy()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] { deleteSelected(); });
}

void MessagesTab::pmSMSDeleteClick() {
    sbDeleteSMSClick();
}

void MessagesTab::N20Click() {
    pmSMSDeleteClick();
}

// One delete per selected row; a row goes only when the phone deleted its message. Several
// rows are read again from the phone afterwards.
void MessagesTab::deleteSelected() {
    const std::vector<QTreeWidgetItem*> rows = selectedRows();
    if (rows.empty()) {
        MessageBoxes::error(this, QString::fromStdString(orlin::NothingSelectedText()));
        return;
    }
    std::vector<QTreeWidgetItem*> onPhone;
    for (QTreeWidgetItem* item : rows)
        if (!item->text(ColIndex).isEmpty()) onPhone.push_back(item);
    orlin::MessagesChange change;
    if (!onPhone.empty()) {
        context_.LoadPortSettings();
        orlin::PhoneSession::Options options;
        options.useSettingsTimeout = true;
        orlin::PhoneSession session(context_.portSettings(), options);
        change = orlin::DeleteMessages(session, indexesOf(onPhone));
    }
    removeDeleted(onPhone, change);
    change.RaiseFailure();
    if (onPhone.size() > 1) {
        QTreeWidgetItem* node = tvSMS->currentItem();
        const int state = StateIndex(node);
        if (state >= 1 && state <= 4) {
            ReadMessageFolder(static_cast<MessageFolder>(state));
            node->setText(
                0,
                QStringLiteral("%1 (%2)").arg(NodeCaption(state)).arg(lvSMS->topLevelItemCount()));
        }
    }
    if (!change.refused.empty())
        MessageBoxes::error(this, QString::fromStdString(orlin::DeleteMessagesText(change)));
    if (onPhone.size() < rows.size())
        MessageBoxes::information(this, QString::fromStdString(orlin::ArchiveRowText()));
}

std::vector<std::string> MessagesTab::indexesOf(const std::vector<QTreeWidgetItem*>& rows) {
    std::vector<std::string> indexes;
    for (const QTreeWidgetItem* item : rows) indexes.push_back(item->text(ColIndex).toStdString());
    return indexes;
}

// The rows whose message the phone deleted go; the others stay as they were.
void MessagesTab::removeDeleted(const std::vector<QTreeWidgetItem*>& rows,
                                const orlin::MessagesChange& change) {
    std::vector<std::string> done = change.done;
    for (QTreeWidgetItem* item : rows) {
        const auto found = std::find(done.begin(), done.end(), item->text(ColIndex).toStdString());
        if (found == done.end()) continue;
        done.erase(found);
        delete item;
    }
}

void MessagesTab::sbSMSDeleteAllClick() {
    if (context_.busy().isBusy()) return;
    if (!MessageBoxes::confirm(this, QStringLiteral("Delete all messages?!"))) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] { deleteAll(); });
}

void MessagesTab::N22Click() {
    sbSMSDeleteAllClick();
}

// Every visible row from the last to the first, in the storage the phone has selected.
void MessagesTab::deleteAll() {
    context_.LoadPortSettings();
    const std::vector<QTreeWidgetItem*> rows = visibleRows();
    std::vector<QTreeWidgetItem*> onPhone;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (!(*it)->text(ColIndex).isEmpty()) onPhone.push_back(*it);
    const bool archiveRows = onPhone.size() < rows.size();
    orlin::MessagesChange change;
    {
        orlin::PhoneSession::Options options;
        options.useSettingsTimeout = true;
        orlin::PhoneSession session(context_.portSettings(), options);
        change =
            orlin::DeleteMessages(session, indexesOf(onPhone), orlin::DeleteFrom::SelectedStorage);
    }
    removeDeleted(onPhone, change);
    change.RaiseFailure();
    if (!change.refused.empty())
        MessageBoxes::error(this, QString::fromStdString(orlin::DeleteMessagesText(change)));
    if (archiveRows)
        MessageBoxes::information(this, QString::fromStdString(orlin::ArchiveRowText()));
}

void MessagesTab::pmMarkasReadClick() {
    if (context_.busy().isBusy()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] {
        const std::vector<QTreeWidgetItem*> rows = selectedRows();
        if (rows.empty()) {
            MessageBoxes::error(this, QString::fromStdString(orlin::NothingSelectedText()));
            return;
        }
        QTreeWidgetItem* item = rows.front();
        MessageRow row = rowOf(item);
        if (row.fromArchive()) {
            MessageBoxes::information(this, QString::fromStdString(orlin::ArchiveRowText()));
            return;
        }
        orlin::PhoneSession::Options options;
        options.useSettingsTimeout = true;
        orlin::PhoneSession session(context_.portSettings(), options);
        if (!orlin::MarkAsRead(session, row.index)) return;
        orlin::MarkRowRead(row);
        showStatus(item, row);
    });
}

void MessagesTab::sbSMSSaveClick() {
    const bool chosen = SaveDialog1->exec() == QDialog::Accepted;
    const QStringList files = SaveDialog1->selectedFiles();
    if (chosen && !files.isEmpty()) orlin::Guarded([&] { exportSelected(files.first()); });
    // Written or not, the rows are deselected; the text below the list stays.
    const QString text = mmSMS->toPlainText();
    lvSMS->clearSelection();
    mmSMS->setPlainText(text);
}

void MessagesTab::pmSMSSaveClick() {
    sbSMSSaveClick();
}

void MessagesTab::exportSelected(const QString& path) {
    std::vector<MessageRow> rows;
    for (const QTreeWidgetItem* item : selectedRows()) rows.push_back(rowOf(item));
    const bool table = SaveDialog1->selectedNameFilter() == CsvTableFilter();
    size_t changed = 0;
    orlin::WriteWholeFile(orlin::Utf8Path(path),
                          table ? orlin::ExportCsv(rows) : orlin::ExportBlocks(rows, &changed));
    // The text blocks are Windows-1251: the messages that lost a character are said.
    if (changed > 0)
        MessageBoxes::warning(this, QString::fromStdString(orlin::BlocksChangedText(changed)));
}
