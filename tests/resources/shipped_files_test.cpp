// The files that the build lays next to the program: the help text and the model pictures.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

namespace {

const QString kProgramFolder = QStringLiteral(ORLIN_TEST_PROGRAM_FOLDER);

}  // namespace

TEST(ShippedFilesTest, HelpTextIsWindows1251AndCoversEveryTab) {
    QFile file(QDir(kProgramFolder).filePath("info.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 1000);
    // Not UTF-8: Cyrillic letters are single bytes 0xC0..0xFF.
    EXPECT_FALSE(bytes.contains("\xD0\xA2\xD0\xB5\xD1\x80"));  // "Тер" in UTF-8
    // Every tab caption is explained.
    for (const char* caption : {"\xD2\xE5\xF0\xEC\xE8\xED\xE0\xEB",          // Терминал
                                "\xC8\xED\xF4\xEE\xF0\xEC\xE0\xF6\xE8\xFF",  // Информация
                                "\xD1\xEF\xF0\xE0\xE2\xEE\xF7\xED\xE8\xEA",  // Справочник
                                "\xC5\xE6\xE5\xE4\xED\xE5\xE2\xED\xE8\xEA",  // Ежедневник
                                "\xD1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xFF",      // Сообщения
                                "\xD2\xE5\xEC\xFB"})                         // Темы
        EXPECT_TRUE(bytes.contains(caption)) << caption;
}

TEST(ShippedFilesTest, EveryModelOfThePictureTableHasAPicture) {
    for (const char* name : {"t722i.jpg", "c350.jpg", "c450.jpg", "c550.jpg", "c33x.jpg", "v60.jpg",
                             "v60i.jpg", "v70.jpg", "v66i.jpg", "v150.jpg"}) {
        const QImage picture(QDir(kProgramFolder).filePath(name));
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_EQ(picture.size(), QSize(233, 383)) << name;
    }
}
