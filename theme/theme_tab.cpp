#include "theme/theme_tab.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/image_library.h"
#include "ui/window_context.h"

namespace {

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
QFrame* previewPanel(QWidget* parent, QLabel*& animated, QLabel*& still) {
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Box);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setFixedSize(140, 150);
    animated = new QLabel(panel);
    animated->setAlignment(Qt::AlignCenter);
    animated->hide();
    still = new QLabel(panel);
    still->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(animated);
    layout->addWidget(still);
    return panel;
}

}  // namespace

ThemeTab::ThemeTab(WindowContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);

    LabelTitle = new QLabel(QStringLiteral("Создание файлов тем *.tcf для С-серии"), panel);
    QFont titleFont = LabelTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    LabelTitle->setFont(titleFont);

    SpeedButton10 = button(panel, "SpeedButton10", QStringLiteral("Картинка"));
    SpeedButton13 = button(panel, "SpeedButton13", QStringLiteral("Заставка"));
    SpeedButton14 = button(panel, "SpeedButton14", QStringLiteral("Мелодия"));
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
    addChoice(0, QStringLiteral("Картинка:"), Edit4, SpeedButton10);
    addChoice(1, QStringLiteral("Заставка:"), Edit5, SpeedButton13);
    addChoice(2, QStringLiteral("Мелодия:"), Edit6, SpeedButton14);

    PanelPicture = previewPanel(panel, RxGIFAnimator3, Image4);
    PanelSaver = previewPanel(panel, RxGIFAnimator4, Image5);
    auto* previews = new QGridLayout();
    previews->addWidget(new QLabel(QStringLiteral("Картинка"), panel), 0, 0, Qt::AlignHCenter);
    previews->addWidget(new QLabel(QStringLiteral("Заставка"), panel), 0, 1, Qt::AlignHCenter);
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
    btnPlay = playerButton("btnPlay", QStyle::SP_MediaPlay, QStringLiteral("Воспроизвести"));
    btnPause = playerButton("btnPause", QStyle::SP_MediaPause, QStringLiteral("Пауза"));
    btnStop = playerButton("btnStop", QStyle::SP_MediaStop, QStringLiteral("Стоп"));
    TrackBar2 = new QSlider(Qt::Horizontal, panel);
    TrackBar2->setObjectName("TrackBar2");
    TrackBar2->setEnabled(false);
    TrackBar2->setTickPosition(QSlider::TicksBelow);
    TimerMedia = new QTimer(this);
    TimerMedia->setInterval(1000);
    auto* playerRow = new QHBoxLayout();
    playerRow->addWidget(new QLabel(QStringLiteral("Мелодия:"), panel));
    playerRow->addWidget(MediaPlayer2);
    playerRow->addWidget(TrackBar2, 1);

    SpeedButton15 = button(panel, "SpeedButton15", QStringLiteral("Создать тему"));
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
    panelLayout->addStretch(1);
    panelLayout->addLayout(createRow);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(panel);
}

void ThemeTab::ApplyGlyphs(const orlin::ButtonGlyphs& glyphs) {
    glyphs.apply("SB_11", SpeedButton10);
    glyphs.apply("SB_11", SpeedButton13);
    glyphs.apply("SB_11", SpeedButton14);
    glyphs.apply("SB_12", SpeedButton15);
}
