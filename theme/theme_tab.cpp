#include "theme/theme_tab.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "link/errors.h"
#include "link/whole_file.h"
#include "theme/synth/tone_player.h"
#include "theme/theme_file.h"
#include "theme/tone.h"
#include "ui/file_dialogs.h"
#include "ui/image_library.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/window_context.h"

namespace {

// An open dialog with its filters, the second one chosen. It has no default suffix: Qt would
// add it to a typed name, and a picture without an extension could not be chosen.
QFileDialog* openDialog(QWidget* parent, const char* name, const QStringList& filters) {
    QFileDialog* dialog = orlin::MakeFileDialog(parent, false, filters, filters[1], QString());
    dialog->setObjectName(name);
    return dialog;
}

// The first path the dialog was confirmed with; empty when it was cancelled.
QString chosenFile(QFileDialog* dialog) {
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().front();
}

// Why a picture cannot be shown, in the reader's terms.
QString pictureFailure(const QString& path, QImageReader::ImageReaderError error) {
    QString why = QCoreApplication::translate("ThemeTab", "файл повреждён");
    // A file whose name says a format that is read here but whose bytes are none is corrupt.
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (error == QImageReader::UnsupportedFormatError &&
        !QImageReader::supportedImageFormats().contains(suffix))
        why = QCoreApplication::translate("ThemeTab", "такой формат картинок здесь не читается");
    if (error == QImageReader::FileNotFoundError)
        why = QCoreApplication::translate("ThemeTab", "файл не найден");
    if (error == QImageReader::DeviceError)
        why = QCoreApplication::translate("ThemeTab", "файл не читается");
    return QCoreApplication::translate("ThemeTab", "Невозможно загрузить картинку %1: %2")
        .arg(path, why);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
    b->setIconSize(QSize(16, 16));
    return b;
}

QLineEdit* pathEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

// A bordered preview panel holding the animated view and the still image; only one of the
// two is visible at a time.
QFrame* previewPanel(QWidget* parent, const char* animatedName, QLabel*& animated,
                     const char* stillName, QLabel*& still) {
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Box);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setFixedSize(140, 150);
    animated = new QLabel(panel);
    animated->setAlignment(Qt::AlignCenter);
    animated->hide();
    animated->setObjectName(animatedName);
    still = new QLabel(panel);
    still->setObjectName(stillName);
    still->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(animated);
    layout->addWidget(still);
    return panel;
}

}  // namespace

ThemeTab::ThemeTab(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), player_(std::make_unique<orlin::TonePlayer>()) {
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);

    LabelTitle = new QLabel(tr("Создание файлов тем *.tcf для С-серии"), panel);
    QFont titleFont = LabelTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    LabelTitle->setFont(titleFont);

    SpeedButton10 = button(panel, "SpeedButton10", tr("Картинка"));
    SpeedButton13 = button(panel, "SpeedButton13", tr("Заставка"));
    SpeedButton14 = button(panel, "SpeedButton14", tr("Мелодия"));
    Edit4 = pathEdit(panel, "Edit4");
    Edit5 = pathEdit(panel, "Edit5");
    Edit6 = pathEdit(panel, "Edit6");

    auto* choices = new QGridLayout();
    auto addChoice = [&](int row, const QString& caption, QLineEdit* edit, QPushButton* b) {
        auto* label = new QLabel(caption, panel);
        label->setBuddy(edit);
        choices->addWidget(label, row, 0);
        choices->addWidget(edit, row, 1);
        choices->addWidget(b, row, 2);
    };
    addChoice(0, tr("Картинка:"), Edit4, SpeedButton10);
    addChoice(1, tr("Заставка:"), Edit5, SpeedButton13);
    addChoice(2, tr("Мелодия:"), Edit6, SpeedButton14);

    PanelPicture = previewPanel(panel, "RxGIFAnimator3", RxGIFAnimator3, "Image4", Image4);
    PanelSaver = previewPanel(panel, "RxGIFAnimator4", RxGIFAnimator4, "Image5", Image5);
    auto* previews = new QGridLayout();
    previews->addWidget(new QLabel(tr("Картинка"), panel), 0, 0, Qt::AlignHCenter);
    previews->addWidget(new QLabel(tr("Заставка"), panel), 0, 1, Qt::AlignHCenter);
    previews->addWidget(PanelPicture, 1, 0);
    previews->addWidget(PanelSaver, 1, 1);
    previews->setColumnStretch(2, 1);

    MediaPlayer2 = new QWidget(panel);
    MediaPlayer2->setObjectName("MediaPlayer2");
    auto* player = new QHBoxLayout(MediaPlayer2);
    player->setContentsMargins(0, 0, 0, 0);
    auto playerButton = [&](const char* name, QStyle::StandardPixmap icon, const QString& tip) {
        auto* b = new QToolButton(MediaPlayer2);
        b->setObjectName(name);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        player->addWidget(b);
        return b;
    };
    btnPlay = playerButton("btnPlay", QStyle::SP_MediaPlay, tr("Воспроизвести"));
    btnPause = playerButton("btnPause", QStyle::SP_MediaPause, tr("Пауза"));
    btnStop = playerButton("btnStop", QStyle::SP_MediaStop, tr("Стоп"));
    TrackBar2 = new QSlider(Qt::Horizontal, panel);
    TrackBar2->setObjectName("TrackBar2");
    TrackBar2->setEnabled(false);
    TrackBar2->setTickPosition(QSlider::TicksBelow);
    TimerMedia = new QTimer(this);
    TimerMedia->setObjectName("TimerMedia");
    TimerMedia->setInterval(1000);
    auto* playerRow = new QHBoxLayout();
    playerRow->addWidget(new QLabel(tr("Мелодия:"), panel));
    playerRow->addWidget(MediaPlayer2);
    playerRow->addWidget(TrackBar2, 1);
    LabelPlayer = new QLabel(panel);
    LabelPlayer->setObjectName("LabelPlayer");
    connect(btnPlay, &QToolButton::clicked, this,
            [this] { MediaPlayer2Click(PlayerButton::Play); });
    connect(btnPause, &QToolButton::clicked, this,
            [this] { MediaPlayer2Click(PlayerButton::Pause); });
    connect(btnStop, &QToolButton::clicked, this,
            [this] { MediaPlayer2Click(PlayerButton::Stop); });
    connect(TimerMedia, &QTimer::timeout, this, &ThemeTab::TimerMediaTimer);

    SpeedButton15 = button(panel, "SpeedButton15", tr("Создать тему"));
    auto* createRow = new QHBoxLayout();
    createRow->addStretch(1);
    createRow->addWidget(SpeedButton15);

    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(LabelTitle);
    panelLayout->addSpacing(6);
    panelLayout->addLayout(choices);
    panelLayout->addSpacing(6);
    panelLayout->addLayout(previews);
    panelLayout->addLayout(playerRow);
    panelLayout->addWidget(LabelPlayer);
    panelLayout->addStretch(1);
    panelLayout->addLayout(createRow);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(panel);

    connect(SpeedButton10, &QPushButton::clicked, this, &ThemeTab::SpeedButton10Click);
    connect(SpeedButton13, &QPushButton::clicked, this, &ThemeTab::SpeedButton13Click);
    connect(SpeedButton14, &QPushButton::clicked, this, &ThemeTab::SpeedButton14Click);
    connect(SpeedButton15, &QPushButton::clicked, this, &ThemeTab::SpeedButton15Click);

    OpenPictureDialog1 = openDialog(
        this, "OpenPictureDialog1",
        {QStringLiteral("All (*.gif *.jpg *.jpeg *.bmp *.ico *.emf *.wmf)"),
         QStringLiteral("CompuServe GIF Image (*.gif)"), QStringLiteral("JPEG Image File (*.jpg)"),
         QStringLiteral("JPEG Image File (*.jpeg)"), QStringLiteral("Bitmaps (*.bmp)"),
         QStringLiteral("Icons (*.ico)"), QStringLiteral("Enhanced Metafiles (*.emf)"),
         QStringLiteral("Metafiles (*.wmf)"), QStringLiteral("*.wbmp (*.wbmp)")});
    OpenMedia = openDialog(this, "OpenMedia",
                           {QStringLiteral("All files (*)"), QStringLiteral("*.mid (*.mid)"),
                            QStringLiteral("*.imy (*.imy)")});
    SaveTheme = orlin::MakeFileDialog(
        this, true, {QStringLiteral("All file (*)"), QStringLiteral("Moto theme files (*.tcf)")},
        QStringLiteral("Moto theme files (*.tcf)"), QStringLiteral("tcf"));
    SaveTheme->setObjectName("SaveTheme");
    SaveTheme->setOption(QFileDialog::DontConfirmOverwrite);  // the file is replaced
}

ThemeTab::~ThemeTab() = default;

void ThemeTab::ApplyGlyphs(const orlin::ButtonGlyphs& glyphs) {
    glyphs.apply("SB_11", SpeedButton10);
    glyphs.apply("SB_11", SpeedButton13);
    glyphs.apply("SB_11", SpeedButton14);
    glyphs.apply("SB_12", SpeedButton15);
}

void ThemeTab::SpeedButton10Click() {
    choosePicture(Edit4, RxGIFAnimator3, Image4);
}

void ThemeTab::SpeedButton13Click() {
    choosePicture(Edit5, RxGIFAnimator4, Image5);
}

void ThemeTab::choosePicture(QLineEdit* edit, QLabel* animated, QLabel* still) {
    const QString path = chosenFile(OpenPictureDialog1);
    if (path.isEmpty()) return;
    edit->setText(path);
    orlin::Guarded([&] { showPreview(path, animated, still); });
}

// A GIF (the three characters after the last "." of the name are exactly "gif") animates in
// the animated view, any other picture is still; either is scaled to fit the panel with its
// aspect kept. A picture that cannot be read leaves the panel empty and raises.
void ThemeTab::showPreview(const QString& path, QLabel* animated, QLabel* still) {
    QMovie* previous = animated->movie();
    animated->clear();
    delete previous;
    still->clear();

    const QString name = QString::fromStdString(orlin::ThemeName(path.toStdString()));
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const bool gif = dot >= 0 && name.mid(dot + 1, 3) == QLatin1String("gif");
    animated->setVisible(gif);
    still->setVisible(!gif);

    // A FIFO or a device would be read until it ends; a huge file fills the memory.
    const std::string unreadable =
        orlin::UnreadableFileReason(orlin::Utf8Path(path), orlin::kMostPictureBytes);
    if (!unreadable.empty()) throw orlin::EFileError(unreadable, orlin::Utf8Path(path));
    QImageReader reader(path);
    const QImage first = reader.read();
    if (first.isNull()) throw orlin::OrlinError(pictureFailure(path, reader.error()).toStdString());
    const QSize area = animated->parentWidget()->contentsRect().size() - QSize(4, 4);
    if (!gif) {
        still->setPixmap(
            QPixmap::fromImage(first.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        return;
    }
    auto* movie = new QMovie(path, QByteArray(), animated);
    movie->setScaledSize(first.size().scaled(area, Qt::KeepAspectRatio));
    animated->setMovie(movie);
    movie->start();
}

void ThemeTab::SpeedButton14Click() {
    const QString path = chosenFile(OpenMedia);
    if (path.isEmpty()) return;
    Edit6->setText(path);
    openTone(path);
}

// The player takes the tone; when it cannot, the track bar is reset and the line under the
// player says why. A remark (a tone cut at 10 minutes) shows there too.
void ThemeTab::openTone(const QString& path) {
    TimerMedia->stop();
    openedTone_ = path;
    try {
        const orlin::Tone tone = orlin::LoadTone(orlin::Utf8Path(path));
        player_->open(tone);
        resetTrackBar(static_cast<int>(tone.lengthMs));
        LabelPlayer->setText(tone.remarks.empty() ? QString()
                                                  : QString::fromStdString(tone.remarks.front()));
    } catch (const orlin::OrlinError& error) {
        player_->close();
        resetTrackBar(0);
        LabelPlayer->setText(QString::fromStdString(error.what()));
    }
}

void ThemeTab::resetTrackBar(int length) {
    TrackBar2->setRange(0, length);
    TrackBar2->setTickInterval(std::max(1, length / 10));
    TrackBar2->setValue(0);
}

// Each button acts once, on the tone Edit6 names (opened again when the field has changed).
void ThemeTab::MediaPlayer2Click(ThemeTab::PlayerButton button) {
    const QString path = Edit6->text();
    if (!QFileInfo(path).isFile()) {
        MessageBoxes::warning(this, tr("Выберите файл."));
        return;
    }
    if (path != openedTone_) openTone(path);
    if (!player_->isOpen()) return;  // the line under the player says why
    switch (button) {
        case PlayerButton::Play: {
            const std::string why = player_->play();
            TrackBar2->setValue(0);
            if (!why.empty()) {
                TimerMedia->stop();
                LabelPlayer->setText(QString::fromStdString(why));
                return;
            }
            TimerMedia->start();
            break;
        }
        case PlayerButton::Pause:
            player_->pause();
            break;
        case PlayerButton::Stop:
            player_->stop();
            TimerMedia->stop();
            TrackBar2->setValue(0);
            break;
    }
}

void ThemeTab::TimerMediaTimer() {
    if (player_->isFinished()) {
        player_->stop();
        TimerMedia->stop();
        TrackBar2->setValue(TrackBar2->maximum());
        return;
    }
    TrackBar2->setValue(static_cast<int>(player_->positionMs()));
}

// "Создать тему": the boxes for empty fields, else for missing files; then the save dialog
// and the file, with the names taken from the three fields.
void ThemeTab::SpeedButton15Click() {
    const orlin::ThemeChoice choice{Edit4->text().toStdString(), Edit5->text().toStdString(),
                                    Edit6->text().toStdString()};
    const auto problems = orlin::ThemeChoiceProblems(choice, [](const std::string& path) {
        return QFileInfo(QString::fromStdString(path)).isFile();
    });
    for (const orlin::ThemeProblem& problem : problems)
        MessageBoxes::error(this, QString::fromStdString(problem.text));
    if (!problems.empty()) return;
    const QString target = chosenFile(SaveTheme);
    if (target.isEmpty()) return;
    orlin::Guarded(
        [&] { orlin::WriteWholeFile(orlin::Utf8Path(target), orlin::ThemeFileBytes(choice)); });
}
