#pragma once
// The theme tab: a picture, a screen saver and a ring tone chosen from the disk, the two
// previews, the ring tone's player, and the button that writes the theme file. The file
// and player operations are wired when the theme operations exist.

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;
class QToolButton;
class WindowContext;
namespace orlin {
struct ButtonGlyphs;
}

class ThemeTab : public QWidget {
    Q_OBJECT
public:
    explicit ThemeTab(WindowContext& context, QWidget* parent = nullptr);

    // Start-up: the glyphs of the tab's buttons.
    void ApplyGlyphs(const orlin::ButtonGlyphs& glyphs);

private:
    QLabel* LabelTitle = nullptr;
    QPushButton* SpeedButton10 = nullptr;  // "Картинка"
    QLineEdit* Edit4 = nullptr;
    QPushButton* SpeedButton13 = nullptr;  // "Заставка"
    QLineEdit* Edit5 = nullptr;
    QPushButton* SpeedButton14 = nullptr;  // "Мелодия"
    QLineEdit* Edit6 = nullptr;
    QFrame* PanelPicture = nullptr;
    QLabel* RxGIFAnimator3 = nullptr;
    QLabel* Image4 = nullptr;
    QFrame* PanelSaver = nullptr;
    QLabel* RxGIFAnimator4 = nullptr;
    QLabel* Image5 = nullptr;
    QWidget* MediaPlayer2 = nullptr;
    QToolButton* btnPlay = nullptr;
    QToolButton* btnPause = nullptr;
    QToolButton* btnStop = nullptr;
    QSlider* TrackBar2 = nullptr;
    QTimer* TimerMedia = nullptr;
    QPushButton* SpeedButton15 = nullptr;  // "Создать тему"

    WindowContext& context_;
};
