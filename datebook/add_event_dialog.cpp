#include "datebook/add_event_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

TfrmAddEvent::TfrmAddEvent(QWidget* parent) : QDialog(parent) {
    setObjectName("TfrmAddEvent");
    setWindowTitle(QStringLiteral("Новое событие"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Заголовок события:"), this);
    edtEventTitle = new QLineEdit(this);
    edtEventTitle->setObjectName("edtEventTitle");
    Label1->setBuddy(edtEventTitle);

    GroupBox1 = new QGroupBox(QStringLiteral("Запуск события:"), this);
    Label2 = new QLabel(QStringLiteral("Время:"), GroupBox1);
    dtpStartTime = new QTimeEdit(QTime::currentTime(), GroupBox1);
    dtpStartTime->setObjectName("dtpStartTime");
    dtpStartTime->setDisplayFormat(QStringLiteral("HH:mm"));
    Label3 = new QLabel(QStringLiteral("Дата:"), GroupBox1);
    dtpStartDate = new QDateEdit(QDate::currentDate(), GroupBox1);
    dtpStartDate->setObjectName("dtpStartDate");
    dtpStartDate->setCalendarPopup(true);
    dtpStartDate->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    auto* startLayout = new QFormLayout(GroupBox1);
    startLayout->addRow(Label2, dtpStartTime);
    startLayout->addRow(Label3, dtpStartDate);

    RadioGroup1 = new QGroupBox(QStringLiteral("Статус:"), this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1Items = new QButtonGroup(this);
    auto* statusLayout = new QVBoxLayout(RadioGroup1);
    auto* off = new QRadioButton(QStringLiteral("выключено"), RadioGroup1);
    auto* on = new QRadioButton(QStringLiteral("включено"), RadioGroup1);
    RadioGroup1Items->addButton(off, 0);
    RadioGroup1Items->addButton(on, 1);
    on->setChecked(true);
    statusLayout->addWidget(off);
    statusLayout->addWidget(on);

    GroupBox2 = new QGroupBox(QStringLiteral("Действия"), this);
    Label4 = new QLabel(QStringLiteral("Длительность (мин):"), GroupBox2);
    seDuration = new QSpinBox(GroupBox2);
    seDuration->setObjectName("seDuration");
    seDuration->setRange(1, 1440);
    seDuration->setValue(1);
    Label7 = new QLabel(QStringLiteral("Начать за ... (мин):"), GroupBox2);
    seAl_time = new QSpinBox(GroupBox2);
    seAl_time->setObjectName("seAl_time");
    seAl_time->setRange(1, 1440);
    seAl_time->setValue(1);
    Label5 = new QLabel(QStringLiteral("Повтор:"), GroupBox2);
    cbRepeat = new QComboBox(GroupBox2);
    cbRepeat->setObjectName("cbRepeat");
    cbRepeat->addItems({QStringLiteral("нет"), QStringLiteral("ежедневно"),
                        QStringLiteral("еженедельно"), QStringLiteral("ежемесячно (день)"),
                        QStringLiteral("ежемесячно (дата)"), QStringLiteral("ежегодно")});
    cbRepeat->setCurrentIndex(1);
    auto* actionsLayout = new QFormLayout(GroupBox2);
    actionsLayout->addRow(Label4, seDuration);
    actionsLayout->addRow(Label7, seAl_time);
    actionsLayout->addRow(Label5, cbRepeat);

    SpeedButton1 = new QPushButton(QStringLiteral("Создать"), this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton2 = new QPushButton(QStringLiteral("Отмена"), this);
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
}
