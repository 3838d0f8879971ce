// orlin-cli theme build and ringtone info / render, in a folder without portcfg.ini (they
// need no phone), on the shipped samples.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "link/whole_file.h"
#include "tests/support/cli_run.h"
#include "theme/theme_file.h"
#include "theme/tone.h"

namespace orlin {
namespace {

namespace fs = std::filesystem;

class ThemeCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("orlin_theme_cli_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        for (const char* name : {"ring.mid", "ring.imy", "saver.gif", "picture.bmp"})
            fs::copy_file(fs::path(ORLIN_SAMPLES_DIR) / name, dir_ / name);
    }
    void TearDown() override { fs::remove_all(dir_); }
    test::CliRun Run(const std::string& words) {
        return test::RunInFolder(dir_, "'" ORLIN_CLI "' " + words);
    }
    fs::path dir_;
};

TEST_F(ThemeCli, BuildWritesTheBytesOfTheTabAndNamesMissingFiles) {
    fs::copy_file(dir_ / "ring.mid", dir_ / "r.mid");
    fs::copy_file(dir_ / "saver.gif", dir_ / "s.gif");
    fs::copy_file(dir_ / "picture.bmp", dir_ / "p.jpg");
    const auto built =
        Run("theme build --ringtone r.mid --screensaver \"$PWD/s.gif\" --picture p.jpg -o t.tcf");
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(test::FileBytes(dir_ / "t.tcf"), ThemeFileBytes({"p.jpg", "s.gif", "r.mid"}));
    EXPECT_EQ(test::FileBytes(dir_ / "t.tcf").size(), 41u);

    const auto missing =
        Run("theme build --ringtone gone.mid --screensaver s.gif --picture lost.jpg -o u.tcf");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err,
              "Файл картинки не существует. lost.jpg\nФайл мелодии не существует. gone.mid\n");
    EXPECT_FALSE(fs::exists(dir_ / "u.tcf"));

    // A folder as the target is named as one.
    const auto folder =
        Run("theme build --ringtone r.mid --screensaver s.gif --picture p.jpg -o .");
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.err, ".: На месте файла находится папка\n");

    // A ring tone that is neither MIDI nor iMelody is named in a warning; the theme is written.
    fs::copy_file(dir_ / "picture.bmp", dir_ / "ring.wav");
    const auto odd =
        Run("theme build --ringtone ring.wav --screensaver s.gif --picture p.jpg -o v.tcf");
    EXPECT_EQ(odd.status, 0) << odd.err;
    EXPECT_EQ(odd.err.rfind("warning: ring.wav: Это не мелодия MIDI (.mid) и не iMelody", 0), 0u)
        << odd.err;
    EXPECT_TRUE(fs::exists(dir_ / "v.tcf"));
    EXPECT_EQ(built.err, "");

    EXPECT_EQ(Run("theme build --ringtone r.mid -o u.tcf").status, 1);  // choices missing
    EXPECT_EQ(Run("theme build --ringtone r.mid --picture").status, 2);
    EXPECT_EQ(Run("theme").status, 2);
}

TEST_F(ThemeCli, RingtoneInfoAndRenderOfTheSamples) {
    for (const char* name : {"ring.mid", "ring.imy"}) {
        SCOPED_TRACE(name);
        const Tone tone = LoadTone((dir_ / name).string());
        const long long length = std::llround(tone.lengthMs);
        const auto info = Run(std::string("ringtone info ") + name);
        ASSERT_EQ(info.status, 0) << info.err;
        EXPECT_EQ(info.out, std::string("format: ") + ToneFormatName(tone.format) +
                                "\nlength: " + std::to_string(length) +
                                " ms\nnotes: " + std::to_string(tone.noteCount) + "\n");
        EXPECT_GT(tone.noteCount, 10);

        const auto render = Run(std::string("ringtone render ") + name + " -o out.wav");
        ASSERT_EQ(render.status, 0) << render.err;
        const std::string wav = test::FileBytes(dir_ / "out.wav");
        ASSERT_GT(wav.size(), 44u);
        EXPECT_EQ(wav.size() - 44, size_t(std::llround(tone.lengthMs * 44.1)) * 4);
        double sum = 0;
        for (size_t at = 44; at + 1 < wav.size(); at += 2) {
            const double s = int16_t(uint8_t(wav[at]) | (uint8_t(wav[at + 1]) << 8)) / 32768.0;
            sum += s * s;
        }
        EXPECT_GT(std::sqrt(sum / ((wav.size() - 44) / 2)), 0.01);
    }
    const auto bad = Run("ringtone info saver.gif");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("не распознан"), std::string::npos) << bad.err;
    EXPECT_EQ(Run("ringtone render ring.mid").status, 2);
    const auto noFont = Run("ringtone render ring.mid -o x.wav");
    EXPECT_EQ(noFont.status, 0);
    EXPECT_EQ(test::RunInFolder(dir_, "ORLIN_SOUNDFONT=/none.sf2 '" ORLIN_CLI
                                      "' ringtone render ring.mid -o y.wav")
                  .status,
              1);
    EXPECT_FALSE(fs::exists(dir_ / "y.wav"));
}

// A tone of 40,000 nested repeat blocks overflowed the stack; a FIFO was read for ever.
TEST_F(ThemeCli, ACraftedToneIsRefusedWithoutACrash) {
    WriteWholeFile((dir_ / "deep.imy").string(),
                   "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nMELODY:" +
                       std::string(40000, '(') + "c2\r\nEND:IMELODY\r\n");
    for (const char* words : {"ringtone info deep.imy", "ringtone render deep.imy -o o.wav"}) {
        SCOPED_TRACE(words);
        const auto run = Run(words);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("блоки повтора вложены глубже 16 уровней"), std::string::npos)
            << run.err;
    }
    ASSERT_EQ(::mkfifo((dir_ / "pipe.mid").c_str(), 0600), 0);
    const auto fifo = Run("ringtone info pipe.mid");
    EXPECT_EQ(fifo.status, 1);
    EXPECT_EQ(fifo.err, "pipe.mid: Это не обычный файл (устройство, канал или сокет)\n");
}

// Under English the errors, warnings and counts of the theme and ring-tone cores come out in
// English, with nothing Russian left in them.
TEST_F(ThemeCli, TheCoreTextsFollowEnglish) {
    WriteWholeFile((dir_ / "deep.imy").string(),
                   "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nMELODY:" +
                       std::string(20, '(') + "c2\r\nEND:IMELODY\r\n");
    WriteWholeFile((dir_ / "short.mid").string(), std::string("MThd\0\0\0\x02\0\0", 10));
    WriteWholeFile((dir_ / "loop.imy").string(),
                   "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nMELODY:(c2@0)\r\n"
                   "END:IMELODY\r\n");
    const struct {
        const char* words;
        int status;
        std::vector<std::string> texts;
    } cases[] = {
        {"theme build --ringtone gone.mid --screensaver saver.gif --picture lost.jpg -o u.tcf",
         1,
         {"The picture file does not exist. lost.jpg\nThe ring tone file does not exist. "
          "gone.mid\n"}},
        {"theme build --ringtone r.mid -o u.tcf",
         1,
         {"Choose a picture.", "Choose a screen saver."}},
        {"theme build --ringtone picture.bmp --screensaver saver.gif --picture picture.bmp -o "
         "v.tcf",
         0,
         {"warning: picture.bmp: Neither a MIDI (.mid) nor an iMelody (.imy) tune: unknown "
          "format"}},
        {"ringtone info deep.imy",
         1,
         {"Error in the iMelody tune, line 4: character ",
          "repeat blocks nested deeper than 16 levels"}},
        {"ringtone info short.mid",
         1,
         {"The MIDI file is damaged (byte 4): header shorter than 6 bytes"}},
        {"ringtone info loop.imy", 0, {"An endless repeat (@0) is played once."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        const auto run =
            test::RunInFolder(dir_, "ORLIN_LANG=en '" ORLIN_CLI "' " + std::string(c.words));
        EXPECT_EQ(run.status, c.status) << run.err;
        const std::string said = run.out + run.err;
        for (const std::string& text : c.texts)
            EXPECT_NE(said.find(text), std::string::npos) << said;
        // Cyrillic letters start with the UTF-8 bytes D0 or D1.
        EXPECT_EQ(said.find_first_of("\xD0\xD1"), std::string::npos) << said;
    }
}

}  // namespace
}  // namespace orlin
