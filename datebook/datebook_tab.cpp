#include "datebook/datebook_tab.h"

#include <QAction>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextCharFormat>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "datebook/add_event_dialog.h"
#include "datebook/datebook_read.h"
#include "datebook/datebook_write.h"
#include "link/connection_lost.h"
#include "link/errors.h"
#include "link/interaction.h"
#include "link/language.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "link/plural.h"
#include "link/remembered_options.h"
#include "link/text_utils.h"
#include "ui/image_library.h"
#include "ui/list_columns.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/progress.h"
#include "ui/sort_mark.h"
#include "ui/window_context.h"

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumHeight(32);
    b->setIconSize(QSize(16, 16));
    return b;
}

// The hidden alarm date of a row.
constexpr int kAlarmDateRole = Qt::UserRole;

constexpr const char* kQuickReadKey = "DatebookQuickRead";

// Rows compare as lvEventCompare says.
class EventItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        return DateBookTab::lvEventCompare(*this, other,
                                           treeWidget() ? treeWidget()->sortColumn() : 0) < 0;
    }
};

}  // namespace

// The read's progress: the bar, the two labels, and the rows of the events found so far, so
// that the list fills while the phone is read.
class DateBookTab::ReadInteraction : public orlin::ProgressBarInteraction {
public:
    explicit ReadInteraction(DateBookTab& tab)
        : ProgressBarInteraction(tab.pbReadEvent), tab_(tab) {}

    // A note (the phone has no lock) waits for the end of the read, so that it does not
    // stop the read half-way.
    void inform(const std::string& text) override { notes_.push_back(text); }
    void showNotes() {
        for (const std::string& note : notes_)
            MessageBoxes::show(&tab_, MessageBoxes::Kind::Note, QString::fromStdString(note));
        notes_.clear();
    }
    void progress(int done, int slotCount) override {
        tab_.lblAllEvent->setText(
            QCoreApplication::translate("DateBookTab", "из %1").arg(slotCount));
        tab_.lblReadEvent->setText(QString::number(done));
        tab_.pbReadEvent->setRange(0, std::max(slotCount - 1, 1));
        tab_.pbReadEvent->setValue(std::max(done - 1, 0));
    }
    void showNewRows(const orlin::DatebookReport& read) {
        for (; shown_ < read.events.size(); ++shown_) tab_.addRow(read.events[shown_]);
    }

private:
    DateBookTab& tab_;
    size_t shown_ = 0;
    std::vector<std::string> notes_;
};

DateBookTab::DateBookTab(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    buildList();
    buildControls();
}

DateBookTab::~DateBookTab() = default;

QSize DateBookTab::sizeHint() const {
    QSize hint = QWidget::sizeHint();
    const int list = lvEvent->header()->length() + 2 * lvEvent->frameWidth() +
                     lvEvent->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    hint.setWidth(hint.width() + std::max(0, list - lvEvent->sizeHint().width()));
    return hint;
}

void DateBookTab::setDialog(TfrmAddEvent* dialog) {
    dialog_ = dialog;
}

void DateBookTab::buildList() {
    lvEvent = new QTreeWidget(this);
    lvEvent->setHeader(new orlin::SortMarkHeader(lvEvent));
    lvEvent->header()->setStretchLastSection(true);  // as the tree view's own header
    lvEvent->setObjectName("lvEvent");
    lvEvent->setRootIsDecorated(false);
    lvEvent->setUniformRowHeights(true);
    lvEvent->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvEvent->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvEvent->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvEvent->setAllColumnsShowFocus(true);
    lvEvent->setHeaderLabels({QStringLiteral("#"), tr("Заголовок"), tr("Начало"),
                              tr("Начать за ... "), tr("Дата"), tr("Длительность"), tr("Повтор"),
                              tr("Состояние")});
    lvEvent->header()->setMinimumSectionSize(1);
    lvEvent->header()->setSectionsClickable(true);
    // Typical widest cells: the times, a date, a day's duration and the longest repeat text.
    orlin::FitColumns(lvEvent, {{1, {}},
                                {150, {}},
                                {60, QStringLiteral("23:59")},
                                {80, QStringLiteral("23:59")},
                                {80, QStringLiteral("12-31-2026")},
                                {60, QStringLiteral("1440")},
                                {90, QStringLiteral("ежемесячно (день)")},
                                {70, QStringLiteral("выкл.")}});
    for (int centred : {3, 5, 6, 7})
        lvEvent->headerItem()->setTextAlignment(centred, Qt::AlignCenter);
    lvEvent->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lvEvent->header(), &QHeaderView::sectionClicked, this,
            &DateBookTab::lvEventColumnClick);
    connect(lvEvent, &QTreeWidget::itemDoubleClicked, this, [this] { lvEventDblClick(); });

    pmEvent = new QMenu(this);
    pmEvent->setObjectName("pmEvent");
    ppmReadAllEvents = pmEvent->addAction(tr("Прочитать все"));
    ppmAddEvent = pmEvent->addAction(tr("Добавить событие"));
    ppmEditEvent = pmEvent->addAction(tr("Редактировать"));
    ppmDelete = pmEvent->addAction(tr("Удалить"));
    ppmClear = pmEvent->addAction(tr("Очистить"));
    connect(pmEvent, &QMenu::aboutToShow, this, &DateBookTab::pmEventPopup);
    connect(lvEvent, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { pmEvent->popup(lvEvent->viewport()->mapToGlobal(pos)); });
    connect(ppmReadAllEvents, &QAction::triggered, this, &DateBookTab::sbReadAllEventsClick);
    connect(ppmAddEvent, &QAction::triggered, this, &DateBookTab::sbAddEventClick);
    connect(ppmEditEvent, &QAction::triggered, this, &DateBookTab::ppmEditEventClick);
    connect(ppmDelete, &QAction::triggered, this, &DateBookTab::sbDeleteEventClick);
    connect(ppmClear, &QAction::triggered, this, &DateBookTab::SpeedButton5Click);
}

void DateBookTab::buildControls() {
    sbReadAllEvents = button(this, "sbReadAllEvents", tr("Прочитать события"));
    sbAddEvent = button(this, "sbAddEvent", tr("Добавить событие"));
    sbDeleteEvent = button(this, "sbDeleteEvent", tr("Удалить"));
    SpeedButton5 = button(this, "SpeedButton5", tr("Очистить список"));

    Label5 = new QLabel(tr("Чтение записи:"), this);
    lblReadEvent = new QLabel(tr("хх"), this);
    lblReadEvent->setObjectName("lblReadEvent");
    lblAllEvent = new QLabel(tr("из "), this);
    lblAllEvent->setObjectName("lblAllEvent");
    Label8 = new QLabel(tr("Свободно: "), this);
    Label8->setObjectName("Label8");
    pbReadEvent = new QProgressBar(this);
    pbReadEvent->setObjectName("pbReadEvent");
    pbReadEvent->setRange(0, 100);
    pbReadEvent->setValue(0);
    pbReadEvent->setTextVisible(false);

    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setObjectName("MonthCalendar1");
    MonthCalendar1->setGridVisible(true);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(MonthCalendar1, &QCalendarWidget::currentPageChanged, this,
            [this] { updateBoldDays(); });
    CheckBox1 = new QCheckBox(tr("Показать календарь"), this);
    CheckBox1->setObjectName("CheckBox1");
    connect(CheckBox1, &QCheckBox::clicked, this, &DateBookTab::CheckBox1Click);
    cbQuickRead = new QCheckBox(tr("Быстрое чтение"), this);
    cbQuickRead->setObjectName("cbQuickRead");
    cbQuickRead->setToolTip(
        tr("Не спрашивать ячейки после того, как найдены все события телефона"));
    cbQuickRead->setChecked(orlin::RememberedOption(kQuickReadKey, "0") == "1");
    connect(cbQuickRead, &QCheckBox::toggled, this, [](bool on) {
        try {
            orlin::RememberOption(kQuickReadKey, on ? "1" : "0");
        } catch (const orlin::OrlinError&) {
            // A folder that cannot be written loses the choice for the next run, nothing more.
        }
    });

    Panel6 = new QGroupBox(this);
    Panel6->setObjectName("Panel6");
    RadioGroup1 = new QGroupBox(tr("Автоудаление сообщений"), Panel6);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1Items = new QButtonGroup(this);
    auto* radioLayout = new QVBoxLayout(RadioGroup1);
    const auto& items = orlin::AutoDeleteItemTexts();
    for (int i = 0; i < orlin::kAutoDeleteItemCount; ++i) {
        auto* radio = new QRadioButton(
            QString::fromUtf8(orlin::Tr("DatebookWrite", items[static_cast<size_t>(i)].c_str())),
            RadioGroup1);
        RadioGroup1Items->addButton(radio, i);
        radioLayout->addWidget(radio);
    }
    RadioGroup1Items->button(1)->setChecked(true);
    SpeedButton2 = button(Panel6, "SpeedButton2", tr("Применить параметры"));
    auto* panelLayout = new QVBoxLayout(Panel6);
    panelLayout->addWidget(RadioGroup1);
    panelLayout->addWidget(SpeedButton2);

    connect(sbReadAllEvents, &QPushButton::clicked, this, &DateBookTab::sbReadAllEventsClick);
    connect(sbAddEvent, &QPushButton::clicked, this, &DateBookTab::sbAddEventClick);
    connect(sbDeleteEvent, &QPushButton::clicked, this, &DateBookTab::sbDeleteEventClick);
    connect(SpeedButton2, &QPushButton::clicked, this, &DateBookTab::SpeedButton2Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &DateBookTab::SpeedButton5Click);

    // The phone commands of the tab join the window's busy state.
    BusyState& busy = context_.busy();
    for (QWidget* w : {static_cast<QWidget*>(sbReadAllEvents), static_cast<QWidget*>(sbAddEvent),
                       static_cast<QWidget*>(sbDeleteEvent), static_cast<QWidget*>(SpeedButton2)})
        busy.add(w);
    busy.add(ppmReadAllEvents);
    busy.add(ppmAddEvent);
    busy.add(ppmEditEvent, false);
    busy.add(ppmDelete, false);

    auto* progress = new QHBoxLayout();
    progress->addWidget(Label5);
    progress->addWidget(lblReadEvent);
    progress->addWidget(lblAllEvent);
    progress->addWidget(pbReadEvent, 1);
    progress->addSpacing(12);
    progress->addWidget(Label8);

    auto* buttons = new QHBoxLayout();
    buttons->addWidget(sbReadAllEvents);
    buttons->addWidget(sbAddEvent);
    buttons->addWidget(sbDeleteEvent);
    buttons->addWidget(SpeedButton5);
    buttons->addWidget(cbQuickRead);
    buttons->addStretch(1);

    auto* right = new QVBoxLayout();
    right->addWidget(CheckBox1);
    right->addWidget(MonthCalendar1);
    right->addWidget(Panel6);
    right->addStretch(1);

    auto* top = new QHBoxLayout();
    top->addWidget(lvEvent, 1);
    top->addLayout(right);

    // The progress line and the buttons run under the list and the calendar alike.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top, 1);
    layout->addLayout(progress);
    layout->addLayout(buttons);
}

void DateBookTab::ApplyGlyphs(const orlin::ButtonGlyphs& glyphs) {
    glyphs.apply("SB_05", SpeedButton5);
    glyphs.apply("SB_06", sbReadAllEvents);
    glyphs.apply("SB_07", sbAddEvent);
    glyphs.apply("SB_08", sbDeleteEvent);
}

// --- the list ---

void DateBookTab::addRow(const orlin::DatebookEvent& event) {
    auto* item = new EventItem(lvEvent);
    item->setText(0, QString::number(event.slot));
    const orlin::EventCells cells = orlin::CellsOfEvent(event);
    for (size_t i = 0; i < cells.size(); ++i)
        item->setText(static_cast<int>(i) + 1, QString::fromStdString(cells[i]));
    for (int centred : {3, 5, 6, 7}) item->setTextAlignment(centred, Qt::AlignCenter);
    item->setData(0, kAlarmDateRole, QString::fromStdString(event.alarmDate));
    rowEvents_[event.slot] = event;
}

orlin::DatebookEvent DateBookTab::eventOfRow(const QTreeWidgetItem* item) const {
    orlin::EventCells cells;
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i] = item->text(static_cast<int>(i) + 1).toStdString();
    orlin::DatebookEvent event = orlin::EventOfRow(
        item->text(0).toStdString(), cells, item->data(0, kAlarmDateRole).toString().toStdString());
    // What the cells do not show comes from the event as it was read.
    const auto read = rowEvents_.find(event.slot);
    if (read != rowEvents_.end()) {
        const orlin::DatebookEvent& e = read->second;
        event.firstFlag = e.firstFlag;
        if (orlin::IsUntimed(e)) event.startTime = e.startTime;
        event.extended = e.extended;
        event.durationFromEnd = e.durationFromEnd;
        event.endTime = e.endTime;
        event.endDate = e.endDate;
        event.extraFields = e.extraFields;
    }
    return event;
}

std::vector<orlin::DatebookEvent> DateBookTab::listedEvents() const {
    std::vector<orlin::DatebookEvent> events;
    for (int i = 0; i < lvEvent->topLevelItemCount(); ++i)
        events.push_back(eventOfRow(lvEvent->topLevelItem(i)));
    return events;
}

void DateBookTab::SpeedButton5Click() {
    lvEvent->clear();
    rowEvents_.clear();
    listComplete_ = false;
    Label8->setText(tr("Свободно: "));
    updateBoldDays();
}

// The lists' order: Windows-1251 texts by their bytes with only the Latin letters a..z folded
// to upper case (Cyrillic letters by their codes, digits as characters: "10" before "9"),
// other characters after them by code point.
int DateBookTab::lvEventCompare(const QTreeWidgetItem& a, const QTreeWidgetItem& b, int column) {
    const QString x = a.text(column), y = b.text(column);
    return orlin::CompareListTexts(
        std::u16string_view(reinterpret_cast<const char16_t*>(x.utf16()), size_t(x.size())),
        std::u16string_view(reinterpret_cast<const char16_t*>(y.utf16()), size_t(y.size())));
}

void DateBookTab::lvEventColumnClick(int column) {
    orlin::SortByColumn(lvEvent, context_, column);
}

void DateBookTab::CheckBox1Click() {
    MonthCalendar1->setVisible(CheckBox1->isChecked());
}

void DateBookTab::pmEventPopup() {
    const bool rowsSelected =
        lvEvent->topLevelItemCount() > 0 && !lvEvent->selectedItems().isEmpty();
    context_.busy().setAvailable(ppmEditEvent, rowsSelected);
    context_.busy().setAvailable(ppmDelete, rowsSelected);
}

// Bold: every day of the shown page on which an event of the list falls.
void DateBookTab::updateBoldDays() {
    MonthCalendar1->setDateTextFormat(QDate(), QTextCharFormat());
    const std::vector<orlin::DatebookEvent> events = listedEvents();
    if (events.empty()) return;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const QDate first(MonthCalendar1->yearShown(), MonthCalendar1->monthShown(), 1);
    // The page shows some days of the months before and after.
    for (QDate day = first.addDays(-7); day <= first.addMonths(1).addDays(14);
         day = day.addDays(1)) {
        const orlin::CivilDate date{day.year(), day.month(), day.day()};
        if (std::any_of(events.begin(), events.end(),
                        [&](const auto& e) { return orlin::EventFallsOn(e, date); }))
            MonthCalendar1->setDateTextFormat(day, bold);
    }
}

// --- reading ---

void DateBookTab::sbReadAllEventsClick() {
    if (context_.busy().isBusy()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] { readAll(); });
}

bool DateBookTab::readAll() {
    lvEvent->clear();
    rowEvents_.clear();
    listComplete_ = false;
    ReadInteraction interaction(*this);
    orlin::DatebookReport read;
    try {
        orlin::PhoneSession session(context_.portSettings());
        orlin::DatebookReadOptions options;
        options.quick = cbQuickRead->isChecked();
        read = orlin::ReadDatebook(
            session, interaction, options,
            [&](const orlin::DatebookReport& soFar) { interaction.showNewRows(soFar); });
    } catch (...) {
        finishRead(read);
        throw;
    }
    interaction.showNewRows(read);
    finishRead(read);
    try {
        read.RaiseFailure();
    } catch (const orlin::ESynaSerError& error) {
        // The line went away after the phone had answered: say so, and what the list holds.
        if (!read.rangeRead || !orlin::IsConnectionLost(error)) throw;
        MessageBoxes::error(this, QString::fromStdString(orlin::ConnectionLostText(
                                      error, orlin::EventsText(lvEvent->topLevelItemCount()))));
        return false;
    }
    interaction.showNotes();
    listComplete_ = read.status == orlin::DatebookReadStatus::Done && read.unreadSlots.empty();
    const std::string message = orlin::StatusText(read);
    if (!message.empty()) MessageBoxes::error(this, QString::fromStdString(message));
    const std::string unread = orlin::UnreadSlotsText(read);
    if (!unread.empty()) MessageBoxes::warning(this, QString::fromStdString(unread));
    return read.status == orlin::DatebookReadStatus::Done;
}

// The clean-up of every read, also a failed one.
void DateBookTab::finishRead(const orlin::DatebookReport& read) {
    pbReadEvent->setValue(0);
    const QString share = QString::fromStdString(orlin::FreeShareText(read))
                              .replace(QLatin1Char('.'), QLocale().decimalPoint());
    Label8->setText(tr("Свободно: %1%").arg(share));
    if (read.rangeRead) {
        titleLength_ = read.titleLength;
        if (dialog_) {
            dialog_->SlotUsed = read.slotUsed;
            dialog_->SetTitleLength(read.titleLength);
        }
    }
    updateBoldDays();
}

// --- adding, editing, deleting ---

// "Удаление прервано: <why>\r\nУдалены события в ячейках: 3, 5.\r\nНе удалены: 7, 9."
QString DateBookTab::DeleteStoppedText(const std::string& why, const std::vector<int>& chosen,
                                       const orlin::SlotChange& change) {
    auto list = [](const std::vector<int>& numbers) {
        QStringList words;
        for (int slot : numbers) words << QString::number(slot);
        return words.join(QStringLiteral(", "));
    };
    std::vector<int> kept;
    for (int slot : chosen)
        if (std::find(change.done.begin(), change.done.end(), slot) == change.done.end())
            kept.push_back(slot);
    QString text =
        tr("Удаление прервано: %1").arg(orlin::ErrorBoxText(QString::fromStdString(why)));
    text += change.done.empty() ? QStringLiteral("\r\n") + tr("Ни одно событие не удалено.")
                                : QStringLiteral("\r\n") +
                                      tr("Удалены события в ячейках: %1.").arg(list(change.done));
    if (!kept.empty()) text += QStringLiteral("\r\n") + tr("Не удалены: %1.").arg(list(kept));
    return text;
}

bool DateBookTab::haveSlotTable() {
    return !dialog_->SlotUsed.empty() || readAll();
}

// After a write that failed half-way the phone may hold what the table calls free: the next
// add reads the datebook first.
void DateBookTab::forgetSlotTable() {
    dialog_->SlotUsed.clear();
}

void DateBookTab::pauseBeforeReading() {
    QThread::msleep(500);
}

void DateBookTab::writeDialogEvent() {
    context_.LoadPortSettings();
    orlin::PhoneAnswer answer;
    try {
        orlin::PhoneSession session(context_.portSettings());
        answer = orlin::WriteEvent(session, dialog_->WriteCommand);
    } catch (...) {
        forgetSlotTable();
        pauseBeforeReading();
        throw;
    }
    if (!answer.taken)
        MessageBoxes::error(this, QString::fromStdString(
                                      orlin::WriteRefusedText(dialog_->EventIndex, answer.line)));
    else if (orlin::HasCharactersBeyondUcs2(dialog_->Title))
        MessageBoxes::warning(this,
                              QString::fromStdString(orlin::EventBeyondUcs2Text(dialog_->Title)));
    pauseBeforeReading();
    readAll();
}

void DateBookTab::sbAddEventClick() {
    if (context_.busy().isBusy() || !dialog_) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] {
        dialog_->Accepted = false;
        if (!haveSlotTable()) return;
        const int slot = orlin::FirstFreeSlot(dialog_->SlotUsed);
        if (slot < 0) {
            MessageBoxes::warning(this, QString::fromStdString(orlin::NoFreeSlotText()));
            return;
        }
        dialog_->PresetForAdd();
        dialog_->EventIndex = slot;
        dialog_->exec();
        if (dialog_->Accepted) writeDialogEvent();
    });
}

void DateBookTab::ppmEditEventClick() {
    lvEventDblClick();
}

void DateBookTab::lvEventDblClick() {
    if (context_.busy().isBusy() || !dialog_ || lvEvent->topLevelItemCount() == 0) return;
    QTreeWidgetItem* item = lvEvent->currentItem();
    if (!item || !item->isSelected()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this, item] {
        dialog_->Accepted = false;
        dialog_->PresetForEdit(orlin::EditValuesOfEvent(eventOfRow(item)));
        dialog_->exec();
        if (dialog_->Accepted) writeDialogEvent();
    });
}

void DateBookTab::sbDeleteEventClick() {
    if (context_.busy().isBusy()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] {
        QTreeWidgetItem* current = lvEvent->currentItem();
        if (lvEvent->topLevelItemCount() > 0 && current && current->isSelected())
            context_.LoadPortSettings();
        std::vector<int> chosen;
        for (int i = 0; i < lvEvent->topLevelItemCount(); ++i)
            if (lvEvent->topLevelItem(i)->isSelected())
                chosen.push_back(eventOfRow(lvEvent->topLevelItem(i)).slot);
        if (chosen.empty()) {
            MessageBoxes::error(this, tr("Нет выбранной записи..."));
            return;
        }
        // A port that does not open raises as it is: nothing was deleted.
        std::optional<orlin::PhoneSession> session(std::in_place, context_.portSettings());
        const orlin::EventsChange change = orlin::DeleteEvents(*session, chosen);
        session.reset();
        if (change.Failed()) {
            // Stopped half-way: which events went and which stay, then the list as the phone
            // now holds it, so that no row of a deleted event is left to edit.
            MessageBoxes::error(this,
                                DeleteStoppedText(orlin::FailureMessage(change), chosen, change));
            pauseBeforeReading();
            readAll();
            return;
        }
        const std::string refused = orlin::DeleteEventsText(change);
        if (!refused.empty()) MessageBoxes::error(this, QString::fromStdString(refused));
        pauseBeforeReading();
        readAll();
    });
}

void DateBookTab::SpeedButton2Click() {
    if (context_.busy().isBusy()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] {
        context_.LoadPortSettings();
        const int item = RadioGroup1Items->checkedId();
        orlin::PhoneSession session(context_.portSettings());
        const orlin::PhoneAnswer answer =
            orlin::SetAutoDelete(session, orlin::AutoDeleteCode(item));
        if (!answer.taken) {
            const auto& texts = orlin::AutoDeleteItemTexts();
            const std::string itemText = item >= 0 && item < static_cast<int>(texts.size())
                                             ? texts[static_cast<size_t>(item)]
                                             : std::string();
            MessageBoxes::error(
                this, QString::fromStdString(orlin::AutoDeleteRefusedText(itemText, answer.line)));
        }
    });
}
