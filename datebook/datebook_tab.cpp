#include "datebook/datebook_tab.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/image_library.h"
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

}  // namespace

DateBookTab::DateBookTab(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    lvEvent = new QTreeWidget(this);
    lvEvent->setObjectName("lvEvent");
    lvEvent->setRootIsDecorated(false);
    lvEvent->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvEvent->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvEvent->setAllColumnsShowFocus(true);
    lvEvent->setHeaderLabels({QStringLiteral("#"), QStringLiteral("Заголовок"),
                              QStringLiteral("Начало"), QStringLiteral("Начать за ... "),
                              QStringLiteral("Дата"), QStringLiteral("Длительность"),
                              QStringLiteral("Повтор"), QStringLiteral("Состояние")});
    lvEvent->header()->setMinimumSectionSize(1);
    const int widths[] = {1, 150, 60, 80, 80, 60, 90, 70};
    for (int i = 0; i < 8; ++i) lvEvent->setColumnWidth(i, widths[i]);
    for (int centred : {3, 5, 6, 7})
        lvEvent->headerItem()->setTextAlignment(centred, Qt::AlignCenter);
    lvEvent->setContextMenuPolicy(Qt::CustomContextMenu);

    pmEvent = new QMenu(this);
    pmEvent->setObjectName("pmEvent");
    ppmReadAllEvents = pmEvent->addAction(QStringLiteral("Прочитать все"));
    ppmAddEvent = pmEvent->addAction(QStringLiteral("Добавить событие"));
    ppmEditEvent = pmEvent->addAction(QStringLiteral("Редактировать"));
    ppmDelete = pmEvent->addAction(QStringLiteral("Удалить"));
    ppmClear = pmEvent->addAction(QStringLiteral("Очистить"));
    connect(pmEvent, &QMenu::aboutToShow, this, &DateBookTab::pmEventPopup);
    connect(lvEvent, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { pmEvent->popup(lvEvent->viewport()->mapToGlobal(pos)); });

    sbReadAllEvents = button(this, "sbReadAllEvents", QStringLiteral("Прочитать события"));
    sbAddEvent = button(this, "sbAddEvent", QStringLiteral("Добавить событие"));
    sbDeleteEvent = button(this, "sbDeleteEvent", QStringLiteral("Удалить"));
    SpeedButton5 = button(this, "SpeedButton5", QStringLiteral("Очистить список"));

    Label5 = new QLabel(QStringLiteral("Чтение записи:"), this);
    lblReadEvent = new QLabel(QStringLiteral("хх"), this);
    lblReadEvent->setObjectName("lblReadEvent");
    lblAllEvent = new QLabel(QStringLiteral("из "), this);
    lblAllEvent->setObjectName("lblAllEvent");
    Label8 = new QLabel(QStringLiteral("Свободно: "), this);
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
    CheckBox1 = new QCheckBox(QStringLiteral("Показать календарь"), this);
    CheckBox1->setObjectName("CheckBox1");
    connect(CheckBox1, &QCheckBox::clicked, this, &DateBookTab::CheckBox1Click);

    Panel6 = new QGroupBox(this);
    Panel6->setObjectName("Panel6");
    RadioGroup1 = new QGroupBox(QStringLiteral("Автоудаление сообщений"), Panel6);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1Items = new QButtonGroup(this);
    auto* radioLayout = new QVBoxLayout(RadioGroup1);
    const QString items[] = {QStringLiteral("никогда не удалять"),
                             QStringLiteral("после 1-ой недели"),
                             QStringLiteral("после 2-х недель"), QStringLiteral("после 4-х недель"),
                             QStringLiteral("после 8-и недель")};
    for (int i = 0; i < 5; ++i) {
        auto* radio = new QRadioButton(items[i], RadioGroup1);
        RadioGroup1Items->addButton(radio, i);
        radioLayout->addWidget(radio);
    }
    RadioGroup1Items->button(1)->setChecked(true);
    SpeedButton2 = button(Panel6, "SpeedButton2", QStringLiteral("Применить параметры"));
    auto* panelLayout = new QVBoxLayout(Panel6);
    panelLayout->addWidget(RadioGroup1);
    panelLayout->addWidget(SpeedButton2);

    connect(SpeedButton5, &QPushButton::clicked, this, &DateBookTab::SpeedButton5Click);
    connect(ppmClear, &QAction::triggered, this, &DateBookTab::SpeedButton5Click);

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

void DateBookTab::CheckBox1Click() {
    MonthCalendar1->setVisible(CheckBox1->isChecked());
}

void DateBookTab::SpeedButton5Click() {
    lvEvent->clear();
    Label8->setText(QStringLiteral("Свободно: "));
}

void DateBookTab::pmEventPopup() {
    const bool rowsSelected =
        lvEvent->topLevelItemCount() > 0 && !lvEvent->selectedItems().isEmpty();
    ppmEditEvent->setEnabled(rowsSelected);
    ppmDelete->setEnabled(rowsSelected);
}

void DateBookTab::ApplyGlyphs(const orlin::ButtonGlyphs& glyphs) {
    glyphs.apply("SB_05", SpeedButton5);
    glyphs.apply("SB_06", sbReadAllEvents);
    glyphs.apply("SB_07", sbAddEvent);
    glyphs.apply("SB_08", sbDeleteEvent);
}
