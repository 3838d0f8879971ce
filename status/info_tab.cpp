#include "status/info_tab.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "link/answers.h"
#include "status/phone_clock.h"
#include "status/phone_info.h"
#include "ui/image_library.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/window_context.h"

namespace {

const QString kSignalFormat = QStringLiteral("%v dBm");

QLineEdit* readOnlyEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QProgressBar* gauge(QWidget* parent, const char* name, int min, int max, const QString& format) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setRange(min, max);
    bar->setValue(min);
    bar->setFormat(format);
    bar->setAlignment(Qt::AlignCenter);
    return bar;
}

// A gauge takes any value and shows it clamped into its range.
void setGauge(QProgressBar* bar, int value) {
    bar->setValue(qBound(bar->minimum(), value, bar->maximum()));
}

}  // namespace

InfoTab::InfoTab(WindowContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    PanelInfo = new QFrame(this);
    PanelInfo->setObjectName("PanelInfo");
    PanelInfo->setFrameShape(QFrame::StyledPanel);

    LabelHeading = new QLabel(tr("Подробная информация\nо вашем телефоне"), PanelInfo);
    QFont headingFont = LabelHeading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.25);
    LabelHeading->setFont(headingFont);
    LabelHeading->setAlignment(Qt::AlignCenter);

    edtIMEI = readOnlyEdit(PanelInfo, "edtIMEI");
    edtIMSI = readOnlyEdit(PanelInfo, "edtIMSI");
    edtManufacturer = readOnlyEdit(PanelInfo, "edtManufacturer");
    edtModel = readOnlyEdit(PanelInfo, "edtModel");
    edtBand = readOnlyEdit(PanelInfo, "edtBand");
    edtSoftWare = readOnlyEdit(PanelInfo, "edtSoftWare");
    ggStatusCharge = gauge(PanelInfo, "ggStatusCharge", orlin::kChargeGaugeMin,
                           orlin::kChargeGaugeMax, QStringLiteral("%v %"));
    ggStatusSignal = gauge(PanelInfo, "ggStatusSignal", orlin::kSignalGaugeMin,
                           orlin::kSignalGaugeMax, kSignalFormat);

    SpeedButton1 = new QPushButton(tr("Обновить"), PanelInfo);
    SpeedButton1->setObjectName("SpeedButton1");
    CheckBox2 = new QCheckBox(tr("Отображать вермя"), PanelInfo);
    CheckBox2->setObjectName("CheckBox2");
    Label10 = new QLabel(tr("Компьютер:"), PanelInfo);
    Label10->setObjectName("Label10");
    Label11 = new QLabel(tr("Телефон:"), PanelInfo);
    Label11->setObjectName("Label11");
    edtCompTime = readOnlyEdit(PanelInfo, "edtCompTime");
    edtPhoneTime = readOnlyEdit(PanelInfo, "edtPhoneTime");
    SpeedButton11 = new QPushButton(tr("Синхронизировать"), PanelInfo);
    SpeedButton11->setObjectName("SpeedButton11");

    // Laid out to fit the window's minimum size, the clock fields shown: "Обновить" beside the
    // two gauges it refreshes, "Синхронизировать" beside the clock check box, and a picture
    // that gives up height before the fields do.
    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, PanelInfo);
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignRight);
        grid->addWidget(field, row, 1);
        ++row;
    };
    addRow(QStringLiteral("IMEI:"), edtIMEI);
    addRow(QStringLiteral("IMSI:"), edtIMSI);
    addRow(tr("Производитель:"), edtManufacturer);
    addRow(tr("Модель телефона:"), edtModel);
    addRow(tr("Рабочие частоты:"), edtBand);
    addRow(tr("Версия прошивки:"), edtSoftWare);
    addRow(tr("Заряд аккумулятора:"), ggStatusCharge);
    addRow(tr("Уровень приема:"), ggStatusSignal);
    grid->addWidget(SpeedButton1, row - 2, 2, 2, 1, Qt::AlignVCenter);

    auto* clockGrid = new QGridLayout();
    clockGrid->setVerticalSpacing(4);
    clockGrid->addWidget(CheckBox2, 0, 0, 1, 2);
    clockGrid->addWidget(SpeedButton11, 0, 2, Qt::AlignRight);
    clockGrid->addWidget(Label10, 1, 0, Qt::AlignRight);
    clockGrid->addWidget(edtCompTime, 1, 1, 1, 2);
    clockGrid->addWidget(Label11, 2, 0, Qt::AlignRight);
    clockGrid->addWidget(edtPhoneTime, 2, 1, 1, 2);
    clockGrid->setColumnMinimumWidth(0, 110);
    clockGrid->setColumnStretch(1, 1);

    auto* panelLayout = new QVBoxLayout(PanelInfo);
    panelLayout->setContentsMargins(12, 8, 12, 8);
    panelLayout->setSpacing(4);
    panelLayout->addWidget(LabelHeading);
    panelLayout->addSpacing(4);
    panelLayout->addLayout(grid);
    panelLayout->addSpacing(6);
    auto* line = new QFrame(PanelInfo);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    panelLayout->addWidget(line);
    panelLayout->addLayout(clockGrid);
    panelLayout->addStretch(1);

    // The picture box is 233 x 383 where there is room; in a smaller window it gives up height
    // and the picture is scaled to what it has.
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setFixedWidth(233);
    Image1->setMinimumHeight(160);
    Image1->setMaximumHeight(383);
    Image1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->installEventFilter(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PanelInfo, 1);
    layout->addWidget(Image1, 0, Qt::AlignTop);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    // "Обновить" is a phone command like every other; it is also disabled while the clock
    // display runs, since the display keeps the window busy.
    context_.busy().add(SpeedButton1);
    connect(&context_.busy(), &BusyState::busyChanged, this, &InfoTab::updateClockControls);

    connect(SpeedButton1, &QPushButton::clicked, this, &InfoTab::SpeedButton1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &InfoTab::CheckBox2Click);
    connect(Timer1, &QTimer::timeout, this, &InfoTab::Timer1Timer);
    connect(SpeedButton11, &QPushButton::clicked, this, &InfoTab::SpeedButton11Click);
}

// A display still running gives the busy state back (the main window switches the display off
// before its busy state goes, so this is for a tab that goes before its window).
InfoTab::~InfoTab() {
    if (!clockBusy_) return;
    disconnect(&context_.busy(), nullptr, this, nullptr);
    clockBusy_.reset();
}

// Shown while another operation keeps the window busy, the tab asks nothing and keeps what
// it showed.
void InfoTab::tsInfoShow() {
    orlin::GuardedOperation(context_.busy(), [this] {
        context_.LoadPortSettings();
        readInfo(orlin::InfoParts::All);
    });
}

void InfoTab::SpeedButton1Click() {
    orlin::GuardedOperation(context_.busy(), [this] { readInfo(orlin::InfoParts::Gauges); });
}

void InfoTab::readInfo(orlin::InfoParts parts) {
    orlin::InfoReport report;
    {
        orlin::PhoneSession session(context_.portSettings());
        report = orlin::ReadPhoneInfo(session, parts);
    }
    if (report.imei) edtIMEI->setText(QString::fromStdString(orlin::AnswerText(*report.imei)));
    if (report.imsi) edtIMSI->setText(QString::fromStdString(orlin::AnswerText(*report.imsi)));
    if (report.manufacturer)
        edtManufacturer->setText(QString::fromStdString(orlin::AnswerText(*report.manufacturer)));
    if (report.model) showModel(*report.model);
    if (report.firmware)
        edtSoftWare->setText(QString::fromStdString(orlin::AnswerText(*report.firmware)));
    if (report.battery) setGauge(ggStatusCharge, *report.battery);
    if (report.signal && report.signal->gaugeValue) {
        setGauge(ggStatusSignal, *report.signal->gaugeValue);
        // A level the phone cannot measure leaves the gauge empty and says so, rather than
        // printing the gauge's minimum as if it had been measured.
        ggStatusSignal->setFormat(report.signal->dBm ? kSignalFormat : tr("не определён"));
    }
    report.RaiseFailure();
}

void InfoTab::showModel(const orlin::ModelInfo& info) {
    // No row of the picture table, or no file: the picture stays as it was.
    const std::string picture = orlin::FindModelPicture(info.model);
    if (!picture.empty()) {
        QPixmap pixmap(QString::fromStdString(picture));
        if (!pixmap.isNull()) {
            picture_ = pixmap;
            showPicture();
        }
    }
    edtModel->setText(QString::fromStdString(orlin::AnswerText(info.DisplayName())));
    edtBand->setText(QString::fromStdString(orlin::AnswerText(info.bands)));
}

void InfoTab::showPicture() {
    if (picture_.isNull()) return;
    Image1->setPixmap(
        picture_.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

bool InfoTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::Resize) showPicture();
    return QWidget::eventFilter(watched, event);
}

void InfoTab::setClockFieldsVisible(bool visible) {
    Label10->setVisible(visible);
    Label11->setVisible(visible);
    edtCompTime->setVisible(visible);
    edtPhoneTime->setVisible(visible);
}

void InfoTab::CheckBox2Click() {
    orlin::Guarded([this] {
        if (CheckBox2->isChecked()) {
            if (ClockDisplayRunning()) return;
            if (context_.busy().isBusy()) {
                // Another operation holds the port: the display does not start.
                CheckBox2->setChecked(false);
                return;
            }
            setClockFieldsVisible(true);
            Timer1->start();
            QApplication::restoreOverrideCursor();
            // Nothing raises here: a port that cannot be opened gives empty ticks.
            ClockSession = std::make_unique<orlin::ClockSession>(context_.portSettings());
            clockBusy_.emplace(context_.busy());
        } else {
            setClockFieldsVisible(false);
            Timer1->stop();
            ClockSession.reset();
            clockBusy_.reset();
        }
        updateClockControls();
    });
}

void InfoTab::updateClockControls() {
    const bool usable = !context_.busy().isBusy() || ClockDisplayRunning();
    CheckBox2->setEnabled(usable);
    SpeedButton11->setEnabled(usable);
}

void InfoTab::SwitchClockDisplayOff() {
    CheckBox2->setChecked(false);
    CheckBox2Click();
}

void InfoTab::Timer1Timer() {
    orlin::Guarded([this] {
        edtCompTime->setText(
            QString::fromStdString(orlin::FormatClockDisplay(orlin::CurrentLocalTime())));
        if (ClockSession) edtPhoneTime->setText(QString::fromStdString(ClockSession->Tick()));
    });
}

// With the clock display running the time goes over the display's own port, so the busy
// state the display holds does not stop it.
void InfoTab::SpeedButton11Click() {
    if (context_.busy().isBusy() && !ClockDisplayRunning()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] { synchronise(); });
}

void InfoTab::synchronise() {
    const orlin::ClockSyncOutcome outcome = orlin::SynchronisePhoneClock(
        context_.portSettings(), ClockSession.get(), orlin::CurrentLocalTime());
    switch (outcome) {
        case orlin::ClockSyncOutcome::SentOverDisplay:
            break;
        case orlin::ClockSyncOutcome::Synchronised:
            MessageBoxes::show(
                this, MessageBoxes::Kind::Note,
                QString::fromUtf8(orlin::Tr("PhoneClock", orlin::kClockSyncDoneText)));
            break;
        case orlin::ClockSyncOutcome::Failed:
            MessageBoxes::show(
                this, MessageBoxes::Kind::Error,
                QString::fromUtf8(orlin::Tr("PhoneClock", orlin::kClockSyncFailedText)) +
                    QChar(u'\n') +
                    QString::fromUtf8(orlin::Tr("PhoneClock", orlin::kClockSyncFailedDetail)),
                false, QStringLiteral("Error"));
            break;
    }
}

void InfoTab::ApplyGlyphs(const orlin::ButtonGlyphs& glyphs) {
    glyphs.apply("SB_01", SpeedButton1);
    glyphs.apply("SB_02", SpeedButton11);
}
