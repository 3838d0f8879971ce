#include "app/comm_config_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <utility>

#include "link/errors.h"
#include "link/text_utils.h"
#include "link/usb_adapters.h"
#include "ui/busy_state.h"
#include "ui/orlin_application.h"
#include "ui/window_context.h"

namespace {

constexpr int kTimeOutLowest = 100;
constexpr int kTimeOutHighest = 10000;
constexpr int kTimeOutStep = 100;

// An editable box takes the typed text as the value: no item is completed into it.
QComboBox* combo(QWidget* parent, const char* name, const QStringList& items, bool editable) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(editable);
    if (editable) {
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
    }
    box->addItems(items);
    return box;
}

// The time-out box: its arrows step inside 100..10000, but a typed integer is taken as it
// stands, also outside that range (the box itself would refuse it or put the old value back).
class TimeOutSpinBox : public QSpinBox {
public:
    explicit TimeOutSpinBox(QWidget* parent) : QSpinBox(parent) {
        setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        setSingleStep(kTimeOutStep);
    }

    void stepBy(int steps) override {
        const qint64 next =
            static_cast<qint64>(value()) + static_cast<qint64>(steps) * singleStep();
        setValue(static_cast<int>(std::clamp<qint64>(next, kTimeOutLowest, kTimeOutHighest)));
        selectAll();
    }

protected:
    StepEnabled stepEnabled() const override {
        StepEnabled enabled = StepNone;
        if (value() > kTimeOutLowest) enabled |= StepDownEnabled;
        if (value() < kTimeOutHighest) enabled |= StepUpEnabled;
        return enabled;
    }
};

// The spin edit's value as its text reads: the integer typed (also outside the range), or
// the lowest value when the text is no integer.
int spinValue(const QString& text) {
    try {
        return orlin::StrToInt(text.toStdString());
    } catch (const orlin::EConvertError&) {
        return kTimeOutLowest;
    }
}

}  // namespace

TfrmCommConfig::TfrmCommConfig(WindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("TfrmCommConfig");
    setWindowTitle(tr("Настройка порта"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    GroupBox1 = new QGroupBox(tr("Настройка порта"), this);
    cbComSelect = combo(GroupBox1, "cbComSelect", AvailablePortNames(), true);
    cbComSelect->setEditText(QStringLiteral("COM3"));
    cbBaudRate = combo(GroupBox1, "cbBaudRate",
                       {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200",
                        "230400", "460800", "576000", "921600"},
                       true);
    cbBaudRate->setEditText(QStringLiteral("19200"));
    cbDataBits = combo(GroupBox1, "cbDataBits", {"4", "5", "6", "7", "8"}, false);
    cbDataBits->setCurrentIndex(4);
    cbParity = combo(
        GroupBox1, "cbParity",
        {tr("Не проверяется"), tr("Нечет"), tr("Чет"), tr("Маркер (1)"), tr("Пробел (0)")}, false);
    cbStopBits = combo(GroupBox1, "cbStopBits", {"1", "1,5", "2"}, false);
    cbFlowControl = combo(GroupBox1, "cbFlowControl",
                          {tr("Аппаратное"), QStringLiteral("Xon/Xoff"), tr("Отсутствует")}, false);
    cbFlowControl->setCurrentIndex(2);
    seTimeOut = new TimeOutSpinBox(GroupBox1);
    seTimeOut->setObjectName("seTimeOut");
    seTimeOut->setValue(3000);

    auto* grid = new QGridLayout(GroupBox1);
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, bool enabled) {
        auto* label = new QLabel(caption, GroupBox1);
        label->setBuddy(field);
        label->setEnabled(enabled);
        field->setEnabled(enabled);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
        return label;
    };
    addRow(tr("Выбор порта:"), cbComSelect, true);
    addRow(tr("Скорость порта:"), cbBaudRate, true);
    lblDataBits = addRow(tr("Биты данных:"), cbDataBits, false);
    lblParity = addRow(tr("Четность:"), cbParity, false);
    lblStopBits = addRow(tr("Стоповые биты:"), cbStopBits, false);
    lblFlowControl = addRow(tr("Управление потоком:"), cbFlowControl, false);
    addRow(tr("Таймаут:"), seTimeOut, true);
    grid->setColumnMinimumWidth(1, 170);

    sbApply = new QPushButton(tr("Применить"), this);
    sbApply->setObjectName("sbApply");
    sbCancel = new QPushButton(tr("Отмена"), this);
    sbCancel->setObjectName("sbCancel");
    // Enter is handled by the key handler alone, so no button is a default button.
    sbApply->setAutoDefault(false);
    sbCancel->setAutoDefault(false);

    sbFindPhone = new QPushButton(tr("Найти телефон"), this);
    sbFindPhone->setObjectName("sbFindPhone");
    sbStopFind = new QPushButton(tr("Стоп"), this);
    sbStopFind->setObjectName("sbStopFind");
    sbStopFind->setEnabled(false);
    sbFindPhone->setAutoDefault(false);
    sbStopFind->setAutoDefault(false);
    pbFind = new QProgressBar(this);
    pbFind->setObjectName("pbFind");
    pbFind->setRange(0, 1);
    pbFind->setValue(0);
    pbFind->setTextVisible(false);
    lbFound = new QListWidget(this);
    lbFound->setObjectName("lbFound");
    lbFound->setFixedHeight(lbFound->fontMetrics().height() * 5);
    // Finding opens ports: not while an operation of the window holds one.
    context_.busy().add(sbFindPhone);
    auto* finding = new QHBoxLayout();
    finding->addWidget(sbFindPhone);
    finding->addWidget(pbFind, 1);
    finding->addWidget(sbStopFind);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(sbApply);
    buttons->addWidget(sbCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(finding);
    layout->addWidget(lbFound);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(cbComSelect, &QComboBox::editTextChanged, this, &TfrmCommConfig::cbComSelectChange);
    connect(cbBaudRate, &QComboBox::editTextChanged, this, &TfrmCommConfig::cbBaudRateChange);
    // The time-out follows the typed text (also a text that is no integer yet) and every
    // change of the value, the arrows' included (the box sets its text without a signal then).
    connect(seTimeOut->findChild<QLineEdit*>(), &QLineEdit::textChanged, this,
            &TfrmCommConfig::seTimeOutChange);
    connect(seTimeOut, &QSpinBox::valueChanged, this,
            [this](int value) { context_.portSettings().PortTimeOut = value; });
    connect(sbApply, &QPushButton::clicked, this, &TfrmCommConfig::sbApplyClick);
    connect(sbCancel, &QPushButton::clicked, this, &TfrmCommConfig::sbCancelClick);
    connect(sbFindPhone, &QPushButton::clicked, this, &TfrmCommConfig::sbFindPhoneClick);
    connect(sbStopFind, &QPushButton::clicked, this, &TfrmCommConfig::sbStopFindClick);
    connect(lbFound, &QListWidget::itemClicked, this, &TfrmCommConfig::lbFoundClick);

    // The dialog sees Esc and Enter before the control that has the focus.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

TfrmCommConfig::~TfrmCommConfig() {
    sbStopFindClick();
    if (finder_.joinable()) finder_.join();
}

QStringList TfrmCommConfig::AvailablePortNames(const QString& deviceFolder) {
    QStringList names;
    for (int i = 1; i <= 9; ++i) names << QStringLiteral("COM%1").arg(i);
    QDir dir(deviceFolder);
    const QStringList devices = dir.entryList(
        {QStringLiteral("ttyS*"), QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*"),
         QStringLiteral("rfcomm*")},
        QDir::System | QDir::Files | QDir::Readable | QDir::Writable | QDir::NoDotAndDotDot,
        QDir::Name);
    // ttyUSB, ttyACM and Bluetooth's rfcomm first: a cable or a paired phone is what the user
    // is most likely looking for.
    QStringList usb;
    QStringList serial;
    for (const QString& device : devices) {
        const QString path = dir.absoluteFilePath(device);
        (device.startsWith(QStringLiteral("ttyS")) ? serial : usb) << path;
    }
    auto byNumber = [](const QString& a, const QString& b) {
        auto split = [](const QString& s) {
            int i = s.size();
            while (i > 0 && s[i - 1].isDigit()) --i;
            return std::make_pair(s.left(i), s.mid(i).toInt());
        };
        return split(a) < split(b);
    };
    std::sort(usb.begin(), usb.end(), byNumber);
    std::sort(serial.begin(), serial.end(), byNumber);
    return names + usb + serial;
}

void TfrmCommConfig::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
    if (parentWidget()) {
        const QRect owner = parentWidget()->window()->geometry();
        move(owner.center() - rect().center());
    }
}

void TfrmCommConfig::FormShow() {
    orlin::PortSettings& settings = context_.portSettings();
    opened_ = settings;
    cbComSelect->setEditText(QString::fromStdString(settings.PortName));
    cbBaudRate->setEditText(QString::number(settings.PortBaudRate));
    // The spin edit shows the stored time-out limited to its range, and the time-out
    // follows what it shows.
    const int shown = qBound(kTimeOutLowest, settings.PortTimeOut, kTimeOutHighest);
    seTimeOut->setValue(shown);
    settings.PortTimeOut = shown;
}

void TfrmCommConfig::cbComSelectChange(const QString& text) {
    context_.portSettings().PortName = text.toStdString();
}

void TfrmCommConfig::cbBaudRateChange(const QString& text) {
    // A text that is no integer shows the conversion error at once; the rate stays. The error
    // is caught here, inside the line edit's key handling, not thrown through it.
    orlin::Guarded(
        [&] { context_.portSettings().PortBaudRate = orlin::StrToInt(text.toStdString()); });
}

void TfrmCommConfig::seTimeOutChange(const QString& text) {
    context_.portSettings().PortTimeOut = spinValue(text);
}

void TfrmCommConfig::sbApplyClick() {
    // A failed write shows the error box and the dialog stays open.
    orlin::Guarded([this] {
        orlin::SavePortSettings(context_.portSettings());
        opened_ = context_.portSettings();
        accept();
    });
}

void TfrmCommConfig::sbCancelClick() {
    reject();
}

void TfrmCommConfig::sbFindPhoneClick() {
    if (isFinding() || context_.busy().isBusy()) return;
    lbFound->clear();
    phonesFound_ = 0;
    noticesShown_ = 0;
    // Built-in ports (/dev/ttyS*) are often consoles: they are not probed unprompted. The port
    // in the field is tried first, whatever the list holds (a pseudo-terminal, a device named
    // by hand), unless it is a COMn name, which outside Windows stands for a built-in port.
    std::vector<std::string> devices = orlin::CandidatePorts(false);
    const std::string typed = cbComSelect->currentText().trimmed().toStdString();
#ifdef Q_OS_WIN
    const bool tryTyped = !typed.empty();
#else
    const bool tryTyped = !typed.empty() && !cbComSelect->currentText().trimmed().startsWith(
                                                QStringLiteral("COM"), Qt::CaseInsensitive);
#endif
    if (tryTyped) {
        devices.erase(std::remove(devices.begin(), devices.end(), typed), devices.end());
        devices.insert(devices.begin(), typed);
    }
    // USB serial adapters that got no port (brltty took them, no driver): said after the
    // devices, with what to do.
    for (const orlin::AdapterNotice& notice : orlin::CurrentAdapterNotices()) {
        auto* item =
            new QListWidgetItem(QString::fromStdString(notice.adapter) + QStringLiteral("  —  ") +
                                QString::fromStdString(notice.text));
        item->setToolTip(item->text());
        lbFound->addItem(item);
        ++noticesShown_;
    }
    if (devices.empty()) {
        lbFound->insertItem(0, tr("Последовательных портов не найдено"));
        return;
    }
    findingBusy_ = std::make_unique<BusyScope>(context_.busy());
    pbFind->setRange(0, static_cast<int>(devices.size()));
    pbFind->setValue(0);
    sbStopFind->setEnabled(true);
    stopFinding_ = false;
    const int search = ++search_;
    // At the line speed the dialog shows: a phone on a serial cable answers only at its own.
    orlin::ProbeOptions options;
    if (context_.portSettings().PortBaudRate > 0)
        options.baudRate = context_.portSettings().PortBaudRate;
    // The thread owns each port it opens; the window only hears what answered, in its own
    // event loop, so it stays responsive however long a device keeps silent.
    finder_ = std::thread([this, devices, search, options] {
        for (const std::string& device : devices) {
            if (stopFinding_) break;
            const orlin::ProbeResult result = orlin::ProbePort(device, options);
            QMetaObject::invokeMethod(
                this,
                [this, result, search] {
                    if (search == search_) showFound(result);
                },
                Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            this,
            [this, search] {
                if (search == search_) finishFinding();
            },
            Qt::QueuedConnection);
    });
}

void TfrmCommConfig::showFound(const orlin::ProbeResult& result) {
    auto* item = new QListWidgetItem(QString::fromStdString(result.device) +
                                     QStringLiteral("  —  ") + QString::fromStdString(result.text));
    item->setData(Qt::UserRole, QString::fromStdString(result.device));
    // The devices that answered come first, in the order they answered.
    if (result.outcome == orlin::ProbeOutcome::Phone) {
        lbFound->insertItem(phonesFound_++, item);
        if (phonesFound_ == 1) lbFound->setCurrentItem(item);
    } else {
        // Before the adapters' notices, which stay last.
        lbFound->insertItem(lbFound->count() - noticesShown_, item);
    }
    pbFind->setValue(pbFind->value() + 1);
}

void TfrmCommConfig::finishFinding() {
    if (finder_.joinable()) finder_.join();
    findingBusy_.reset();
    sbStopFind->setEnabled(false);
    pbFind->setValue(pbFind->maximum());
}

void TfrmCommConfig::sbStopFindClick() {
    // The device being probed is finished (at most its short time-out), no further one begins.
    stopFinding_ = true;
    sbStopFind->setEnabled(false);
}

void TfrmCommConfig::lbFoundClick(QListWidgetItem* item) {
    const QString device = item->data(Qt::UserRole).toString();
    if (!device.isEmpty()) cbComSelect->setEditText(device);
}

void TfrmCommConfig::done(int result) {
    // Closing the dialog ends the search first: no port stays open behind it.
    if (isFinding()) {
        sbStopFindClick();
        finishFinding();
        ++search_;
    }
    QDialog::done(result);
}

void TfrmCommConfig::reject() {
    // Cancel, Esc and the close button: what the user typed is not kept.
    context_.portSettings() = opened_;
    QDialog::reject();
}

bool TfrmCommConfig::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            // An open drop-down list keeps its own Esc and Enter.
            auto* box = qobject_cast<QComboBox*>(watched);
            if (box == nullptr || box->view() == nullptr || !box->view()->isVisible()) {
                FormKeyDown(static_cast<QKeyEvent*>(event));
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCommConfig::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event);
}

void TfrmCommConfig::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            sbCancelClick();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            sbApplyClick();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}
