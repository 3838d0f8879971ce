// The theme tab offscreen, on its own over a window of the test's own: files chosen through the
// tab's dialogs, the previews, the theme file, and the player on a machine without an audio
// device.

#include "theme/theme_tab.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <memory>

#include "link/whole_file.h"
#include "tests/support/fake_window.h"
#include "tests/support/window_test.h"
#include "theme/synth/tone_player.h"
#include "theme/tone.h"

namespace orlin {
namespace {

const QString kSamples = QStringLiteral(ORLIN_SAMPLES_DIR);

class ThemeTabTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SetAudioDrivers({});  // the machine has no audio device
        theme_ = std::make_unique<ThemeTab>(host_);
        theme_->resize(760, 500);
        theme_->show();
        tab = theme_.get();
    }
    void TearDown() override {
        theme_.reset();
        SetAudioDrivers({"pulseaudio", "alsa"});
        WindowTest::TearDown();
    }

    template <class T>
    T* child(const char* name) {
        T* found = tab->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // The next time the dialog opens, it is confirmed with `path`.
    void answer(const char* dialog, const QString& path) {
        QTimer::singleShot(0, tab, [this, dialog, path] {
            test::acceptFileDialog(child<QFileDialog>(dialog), path);
        });
    }
    // A file in the working folder, copied from a sample or with the given bytes.
    QString copy(const char* sample, const QString& name) {
        const QString path = filePath(name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(kSamples + "/" + sample, path));
        return path;
    }
    QString write(const QString& name, const QByteArray& bytes) {
        test::writeFile(filePath(name), bytes);
        return filePath(name);
    }

    test::FakeWindow host_;
    std::unique_ptr<ThemeTab> theme_;
    ThemeTab* tab = nullptr;
};

TEST_F(ThemeTabTest, PreviewsAnimateAGifAndShowOtherPicturesStill) {
    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::darkCyan);
    ASSERT_TRUE(wide.save(filePath("photo.jpg"), "JPEG"));
    struct Case {
        QString path;
        bool saver;  // the screen saver's panel, else the picture's
        bool animated;
        QSize aspect;  // of the picture
    };
    const Case cases[] = {
        {copy("saver.gif", "saver.gif"), true, true, {3, 2}},
        {copy("saver.gif", "anim.gif"), false, true, {3, 2}},
        {filePath("photo.jpg"), false, false, {2, 1}},
        {copy("picture.bmp", "picture.bmp"), true, false, {1, 1}},
        {copy("picture.wbmp", "picture.wbmp"), false, false, {3, 2}},
        {copy("saver.gif", "x.GIF"), false, false, {3, 2}},       // upper case: still
        {copy("picture.bmp", "wallpaper"), true, false, {1, 1}},  // no extension: still
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        answer("OpenPictureDialog1", c.path);
        c.saver ? tab->SpeedButton13Click() : tab->SpeedButton10Click();
        EXPECT_EQ(child<QLineEdit>(c.saver ? "Edit5" : "Edit4")->text(), c.path);
        auto* animated = child<QLabel>(c.saver ? "RxGIFAnimator4" : "RxGIFAnimator3");
        auto* still = child<QLabel>(c.saver ? "Image5" : "Image4");
        EXPECT_EQ(animated->isVisible(), c.animated);
        EXPECT_EQ(still->isVisible(), !c.animated);
        const QSize area = animated->parentWidget()->contentsRect().size();
        QSize shown;
        if (c.animated) {
            QMovie* movie = animated->movie();
            ASSERT_NE(movie, nullptr);
            EXPECT_EQ(movie->state(), QMovie::Running);
            EXPECT_GT(movie->frameCount(), 1);
            const int frame = movie->currentFrameNumber();
            QTest::qWait(350);
            EXPECT_NE(movie->currentFrameNumber(), frame);
            shown = movie->scaledSize();
        } else {
            EXPECT_EQ(animated->movie(), nullptr);
            shown = still->pixmap().size();
        }
        EXPECT_TRUE(shown.width() <= area.width() && shown.height() <= area.height());
        EXPECT_TRUE(shown.width() >= area.width() - 6 || shown.height() >= area.height() - 6);
        EXPECT_NEAR(double(shown.width()) / shown.height(),
                    double(c.aspect.width()) / c.aspect.height(), 0.03);
    }
    EXPECT_TRUE(boxes().empty()) << boxTexts().join(" | ").toStdString();

    // Pictures that cannot be read end in the error box and leave the panel empty. A file
    // named as a format that is read here is corrupt, whatever its bytes are.
    const QString corrupt = QStringLiteral("файл повреждён");
    const std::pair<QString, QString> broken[] = {
        {write("broken.jpg", "\xFF\xD8 not really"), corrupt},
        {write("broken.gif", "GIF89a"), corrupt},
        {write("garbage.bmp", "not a picture at all"), corrupt},
        {write("drawing.emf", "EMF?"), QStringLiteral("такой формат картинок здесь не читается")}};
    for (const auto& [path, why] : broken) {
        SCOPED_TRACE(path.toStdString());
        clearBoxes();
        answer("OpenPictureDialog1", path);
        tab->SpeedButton10Click();
        ASSERT_EQ(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Error);
        // The error box ends the text with a full stop.
        EXPECT_EQ(
            boxes()[0].text.toStdString(),
            QStringLiteral("Невозможно загрузить картинку %1: %2.").arg(path, why).toStdString());
        EXPECT_TRUE(child<QLabel>("Image4")->pixmap().isNull());
        EXPECT_EQ(child<QLabel>("RxGIFAnimator3")->movie(), nullptr);
    }
}

TEST_F(ThemeTabTest, TheThemeFileNamesTheFilesInTheFields) {
    const QString picture = copy("picture.bmp", "p.jpg");
    const QString saver = copy("saver.gif", "s.gif");
    const QString tone = copy("ring.mid", "r.mid");
    answer("OpenPictureDialog1", picture);
    tab->SpeedButton10Click();
    answer("OpenPictureDialog1", saver);
    tab->SpeedButton13Click();
    answer("OpenMedia", tone);
    tab->SpeedButton14Click();
    answer("SaveTheme", filePath("theme.tcf"));
    tab->SpeedButton15Click();
    EXPECT_TRUE(boxes().empty()) << boxTexts().join(" | ").toStdString();
    const QByteArray example = QByteArray::fromHex(
        "10 03 02 00 72 00 2E 00 6D 00 69 00 64 00 00 01 00 73 00 2E 00 67 00 69 00 66 00 00 00 00"
        " 70 00 2E 00 6A 00 70 00 67 00 00");
    EXPECT_EQ(test::readFile(filePath("theme.tcf")), example);

    // Typed paths count, Cyrillic names included, and a theme file is replaced whole.
    child<QLineEdit>("Edit4")->setText(copy("picture.bmp", "фон.jpg"));
    child<QLineEdit>("Edit6")->setText(copy("ring.imy", "звонок.imy"));
    answer("SaveTheme", filePath("theme.tcf"));
    tab->SpeedButton15Click();
    const QByteArray typed = test::readFile(filePath("theme.tcf"));
    EXPECT_TRUE(typed.startsWith(QByteArray::fromHex("10030204370432043E043D043E043A002E0069")));
    EXPECT_TRUE(typed.endsWith(QByteArray::fromHex("00 0444 043E 043D 002E 006A 0070 0067 0000")));
    EXPECT_EQ(typed.size(), 2 + 3 * 3 + 2 * (10 + 5 + 7));
    EXPECT_TRUE(boxes().empty()) << boxTexts().join(" | ").toStdString();

    // Empty fields, then missing files: one error box each, in field order, nothing written.
    struct Case {
        QString picture, saver, tone;
        QStringList texts;
    };
    const Case cases[] = {
        {"",
         "",
         "",
         {QStringLiteral("Выберите картинку."), QStringLiteral("Выберите заставку."),
          QStringLiteral("Выберите мелодию.")}},
        {"", saver, filePath("gone.mid"), {QStringLiteral("Выберите картинку.")}},
        {filePath("gone.jpg"),
         workDir(),
         tone,
         {QStringLiteral("Файл картинки не существует."),
          QStringLiteral("Файл заставки не существует.")}},
    };
    for (const Case& c : cases) {
        clearBoxes();
        child<QLineEdit>("Edit4")->setText(c.picture);
        child<QLineEdit>("Edit5")->setText(c.saver);
        child<QLineEdit>("Edit6")->setText(c.tone);
        tab->SpeedButton15Click();  // the save dialog would block: it must not open
        EXPECT_EQ(boxTexts(), c.texts);
        for (const auto& box : boxes()) EXPECT_EQ(box.kind, MessageBoxes::Kind::Error);
    }
    EXPECT_EQ(test::readFile(filePath("theme.tcf")), typed);
}

TEST_F(ThemeTabTest, ThePlayerPlaysTheToneInTheFieldAndSaysWhyNot) {
    auto* track = child<QSlider>("TrackBar2");
    auto* note = child<QLabel>("LabelPlayer");
    auto* timer = child<QTimer>("TimerMedia");
    const QString imy = copy("ring.imy", "ring.imy");
    const int imyLength = int(LoadTone(imy.toStdString()).lengthMs);
    answer("OpenMedia", imy);
    tab->SpeedButton14Click();
    EXPECT_EQ(child<QLineEdit>("Edit6")->text(), imy);
    EXPECT_EQ(track->maximum(), imyLength);
    EXPECT_EQ(track->tickInterval(), imyLength / 10);
    EXPECT_EQ(note->text(), QString());

    // No audio device: the line says so, no box, no timer; the buttons stay usable.
    for (auto button : {ThemeTab::PlayerButton::Play, ThemeTab::PlayerButton::Pause,
                        ThemeTab::PlayerButton::Play, ThemeTab::PlayerButton::Stop}) {
        tab->MediaPlayer2Click(button);
        EXPECT_EQ(note->text(), QStringLiteral("Нет звукового устройства."));
        EXPECT_FALSE(timer->isActive());
        EXPECT_EQ(track->value(), 0);
    }
    EXPECT_TRUE(boxes().empty()) << boxTexts().join(" | ").toStdString();

    // A tone that cannot be opened resets the track bar and says why in the line.
    answer("OpenMedia", write("broken.mid", "MThd\0\0\0\6\0\1"));
    tab->SpeedButton14Click();
    EXPECT_EQ(track->maximum(), 0);
    EXPECT_TRUE(note->text().contains(QStringLiteral("MIDI"))) << note->text().toStdString();
    EXPECT_TRUE(boxes().empty()) << boxTexts().join(" | ").toStdString();

    // The field names the tone: a typed path is opened at the next button.
    const QString mid = copy("ring.mid", "ring.mid");
    child<QLineEdit>("Edit6")->setText(mid);
    tab->MediaPlayer2Click(ThemeTab::PlayerButton::Stop);
    EXPECT_EQ(track->maximum(), int(LoadTone(mid.toStdString()).lengthMs));

    // A removed file: "Выберите файл." and nothing more.
    QFile::remove(mid);
    note->setText(QString());
    tab->MediaPlayer2Click(ThemeTab::PlayerButton::Play);
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("Выберите файл.")});
    EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Warning);
    EXPECT_EQ(note->text(), QString());
    EXPECT_FALSE(timer->isActive());
}

}  // namespace
}  // namespace orlin
