#include "datebook/add_event_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "link/phone_text.h"
#include "ui/message_boxes.h"

TfrmAddEvent::TfrmAddEvent(QWidget* parent) : QDialog(parent) {
    setObjectName("TfrmAddEvent");
    setWindowTitle(tr("Новое событие"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    Label1 = new QLabel(tr("Заголовок события:"), this);
    edtEventTitle = new QLineEdit(this);
    edtEventTitle->setObjectName("edtEventTitle");
    Label1->setBuddy(edtEventTitle);

    GroupBox1 = new QGroupBox(tr("Запуск события:"), this);
    Label2 = new QLabel(tr("Время:"), GroupBox1);
    dtpStartTime = new QTimeEdit(QTime::currentTime(), GroupBox1);
    dtpStartTime->setObjectName("dtpStartTime");
    dtpStartTime->setDisplayFormat(QStringLiteral("HH:mm"));
    Label3 = new QLabel(tr("Дата:"), GroupBox1);
    dtpStartDate = new QDateEdit(QDate::currentDate(), GroupBox1);
    dtpStartDate->setObjectName("dtpStartDate");
    dtpStartDate->setCalendarPopup(true);
    dtpStartDate->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    auto* startLayout = new QFormLayout(GroupBox1);
    startLayout->addRow(Label2, dtpStartTime);
    startLayout->addRow(Label3, dtpStartDate);

    RadioGroup1 = new QGroupBox(tr("Статус:"), this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1Items = new QButtonGroup(this);
    auto* statusLayout = new QVBoxLayout(RadioGroup1);
    auto* off = new QRadioButton(tr("выключено"), RadioGroup1);
    auto* on = new QRadioButton(tr("включено"), RadioGroup1);
    RadioGroup1Items->addButton(off, 0);
    RadioGroup1Items->addButton(on, 1);
    on->setChecked(true);
    statusLayout->addWidget(off);
    statusLayout->addWidget(on);

    GroupBox2 = new QGroupBox(tr("Действия"), this);
    Label4 = new QLabel(tr("Длительность (мин):"), GroupBox2);
    seDuration = new QSpinBox(GroupBox2);
    seDuration->setObjectName("seDuration");
    seDuration->setRange(1, 1440);
    seDuration->setValue(1);
    Label7 = new QLabel(tr("Начать за ... (мин):"), GroupBox2);
    seAl_time = new QSpinBox(GroupBox2);
    seAl_time->setObjectName("seAl_time");
    seAl_time->setRange(1, 1440);
    seAl_time->setValue(1);
    Label5 = new QLabel(tr("Повтор:"), GroupBox2);
    cbRepeat = new QComboBox(GroupBox2);
    cbRepeat->setObjectName("cbRepeat");
    cbRepeat->addItems({tr("нет"), tr("ежедневно"), tr("еженедельно"), tr("ежемесячно (день)"),
                        tr("ежемесячно (дата)"), tr("ежегодно")});
    cbRepeat->setCurrentIndex(1);
    auto* actionsLayout = new QFormLayout(GroupBox2);
    actionsLayout->addRow(Label4, seDuration);
    actionsLayout->addRow(Label7, seAl_time);
    actionsLayout->addRow(Label5, cbRepeat);

    SpeedButton1 = new QPushButton(tr("Создать"), this);
    SpeedButton1->setObjectName("SpeedButton1");
    // Enter walks the fields (see eventFilter); on the status group it does nothing.
    SpeedButton1->setAutoDefault(false);
    SpeedButton2 = new QPushButton(tr("Отмена"), this);
    SpeedButton2->setObjectName("SpeedButton2");
    SpeedButton2->setAutoDefault(false);

    auto* middle = new QHBoxLayout();
    middle->addWidget(GroupBox1, 1);
    middle->addWidget(RadioGroup1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(edtEventTitle);
    layout->addLayout(middle);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));

    connect(SpeedButton1, &QPushButton::clicked, this, &TfrmAddEvent::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TfrmAddEvent::SpeedButton2Click);
    connect(cbRepeat, &QComboBox::currentIndexChanged, this, &TfrmAddEvent::cbRepeatChange);
    RepeatCode = std::to_string(cbRepeat->currentIndex());
    for (QWidget* w : enterChain()) w->installEventFilter(this);
}

QList<QWidget*> TfrmAddEvent::enterChain() const {
    return {edtEventTitle, dtpStartTime, dtpStartDate, seDuration, seAl_time, cbRepeat};
}

void TfrmAddEvent::PresetForAdd() {
    Accepted = false;
    edited_.reset();
    const QDateTime now = QDateTime::currentDateTime();
    dtpStartDate->setDate(now.date());
    dtpStartTime->setTime(now.time());
    cbRepeat->setCurrentIndex(2);
}

void TfrmAddEvent::PresetForEdit(const orlin::EditValues& values) {
    Accepted = false;
    const orlin::EventDraft& d = values.draft;
    edtEventTitle->setText(QString::fromStdString(d.title));
    EventIndex = values.slot;
    seDuration->setValue(d.duration);
    dtpStartTime->setTime(QTime(d.startTime.hour, d.startTime.minute));
    dtpStartDate->setDate(QDate(d.startDate.year, d.startDate.month, d.startDate.day));
    const int item = d.repeatCode.size() == 1 ? d.repeatCode[0] - '0' : -1;
    if (item >= 0 && item < cbRepeat->count()) {
        cbRepeat->setCurrentIndex(item);
    } else {
        cbRepeat->setCurrentIndex(-1);
        RepeatCode = d.repeatCode;
    }
    if (values.alarmKnown) RadioGroup1Items->button(d.alarmOn ? 1 : 0)->setChecked(true);
    seAl_time->setValue(d.lead);
    edited_ = d;
    edited_->lead = values.leadAsRead;
    shownDuration_ = seDuration->value();
    shownLead_ = seAl_time->value();
    shownTime_ = dtpStartTime->time();
}

void TfrmAddEvent::SetTitleLength(int characters) {
    // The line counts UTF-16 units: for every character of the phone's UCS2 one, as the phone
    // counts; Draft() cuts by the phone's count all the same.
    titleLength_ = characters > 0 ? static_cast<size_t>(characters) : 0;
    edtEventTitle->setMaxLength(characters > 0 ? characters : 32767);
}

orlin::EventDraft TfrmAddEvent::Draft() const {
    orlin::EventDraft d;
    d.title = edtEventTitle->text().toStdString();
    if (titleLength_ > 0 && orlin::Ucs2Length(d.title) > titleLength_)
        d.title = orlin::Ucs2Prefix(d.title, titleLength_);
    const QDate date = dtpStartDate->date();
    d.startDate = {date.year(), date.month(), date.day()};
    const QTime time = dtpStartTime->time();
    d.startTime = {time.hour(), time.minute()};
    d.alarmOn = RadioGroup1Items->checkedId() == 1;
    d.duration = seDuration->value();
    d.lead = seAl_time->value();
    d.repeatCode =
        cbRepeat->currentIndex() >= 0 ? std::to_string(cbRepeat->currentIndex()) : RepeatCode;
    if (edited_) {
        if (d.duration == shownDuration_) d.duration = edited_->duration;
        if (d.lead == shownLead_) d.lead = edited_->lead;
        // A time given to an untimed event makes it a timed one.
        d.timeFlag = dtpStartTime->time() == shownTime_ ? edited_->timeFlag : "1";
        d.extended = edited_->extended;
        d.durationFromEnd = edited_->durationFromEnd;
        d.extraFields = edited_->extraFields;
    }
    return d;
}

void TfrmAddEvent::SpeedButton1Click() {
    if (edtEventTitle->text().isEmpty()) {
        MessageBoxes::warning(this, tr("Введите заголовок события!"));
        return;
    }
    Accepted = true;
    const orlin::EventDraft draft = Draft();
    RepeatCode = draft.repeatCode;
    Title = draft.title;
    WriteCommand = orlin::WriteCommand(EventIndex, draft);
    accept();
}

void TfrmAddEvent::SpeedButton2Click() {
    Accepted = false;
    reject();
}

void TfrmAddEvent::cbRepeatChange(int index) {
    if (index >= 0) RepeatCode = std::to_string(index);
}

bool TfrmAddEvent::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
        SpeedButton2Click();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return QDialog::eventFilter(watched, event);
    const QList<QWidget*> chain = enterChain();
    const qsizetype at = chain.indexOf(static_cast<QWidget*>(watched));
    if (at < 0) return QDialog::eventFilter(watched, event);
    if (at + 1 < chain.size())
        chain[at + 1]->setFocus(Qt::TabFocusReason);
    else
        SpeedButton1Click();
    return true;
}
