#pragma once
// The theme tab: a picture, a screen saver and a ring tone chosen from the disk, the two
// previews (a GIF animates, other pictures stand still), the ring tone's player, and the
// button that writes the theme file. The phone is not contacted.

#include <QString>
#include <QWidget>
#include <memory>

class QFileDialog;
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
class TonePlayer;
}  // namespace orlin

class ThemeTab : public QWidget {
    Q_OBJECT
public:
    explicit ThemeTab(WindowContext& context, QWidget* parent = nullptr);
    ~ThemeTab() override;

    // Start-up: the glyphs of the tab's buttons.
    void ApplyGlyphs(const orlin::ButtonGlyphs& glyphs);

    enum class PlayerButton { Play, Pause, Stop };

public slots:
    void SpeedButton10Click();  // choose the picture
    void SpeedButton13Click();  // choose the screen saver
    void SpeedButton14Click();  // choose the ring tone
    void MediaPlayer2Click(ThemeTab::PlayerButton button);
    void TimerMediaTimer();
    void SpeedButton15Click();  // "Создать тему"

private:
    void choosePicture(QLineEdit* edit, QLabel* animated, QLabel* still);
    void showPreview(const QString& path, QLabel* animated, QLabel* still);
    void openTone(const QString& path);
    void resetTrackBar(int length);

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
    QLabel* LabelPlayer = nullptr;  // one line under the player: why it does not play
    QTimer* TimerMedia = nullptr;
    QPushButton* SpeedButton15 = nullptr;  // "Создать тему"
    QFileDialog* OpenPictureDialog1 = nullptr;
    QFileDialog* OpenMedia = nullptr;
    QFileDialog* SaveTheme = nullptr;

    WindowContext& context_;
    std::unique_ptr<orlin::TonePlayer> player_;
    QString openedTone_;  // the path of the tone the player holds
};
