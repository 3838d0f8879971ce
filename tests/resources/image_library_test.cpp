#include "ui/image_library.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "tests/support/message_box_recorder.h"
#include "ui/message_boxes.h"

using namespace orlin;

namespace {

// Records the message boxes instead of showing them.
class ImageLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    void TearDown() override { setResourceSearchFolders({}); }

    // Puts the given container into the temporary folder and searches only there.
    void useContainer(const QString& source) {
        if (!source.isEmpty()) {
            ASSERT_TRUE(QFile::copy(source, folder.filePath("orlinres.dll")));
        }
        setResourceSearchFolders({folder.path()});
    }

    QTemporaryDir folder;
    test::MessageBoxRecorder recorder;
    const std::vector<MessageBoxes::Request>& boxes = recorder.boxes;
};

void expectSizes(const QList<QPixmap>& list, int size) {
    for (const QPixmap& image : list) {
        EXPECT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(size, size));
    }
}

// No two pictures of a list are the same.
void expectDistinct(const QList<QPixmap>& list) {
    for (qsizetype i = 0; i < list.size(); ++i)
        for (qsizetype j = i + 1; j < list.size(); ++j)
            EXPECT_NE(list[i].toImage(), list[j].toImage()) << "images " << i << " and " << j;
}

}  // namespace

TEST_F(ImageLibraryTest, ShippedContainerFillsEveryListAndGlyph) {
    useContainer(QStringLiteral(ORLIN_TEST_CONTAINER));
    ButtonGlyphs glyphs;
    ImageLists lists;
    ASSERT_TRUE(loadButtonGlyphs(nullptr, glyphs));
    loadSmallIcons(lists);
    loadTabIcons(lists);
    loadPopupIcons(lists);

    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(lists.smallIcons.size(), 42);
    ASSERT_EQ(lists.tabIcons.size(), 6);
    ASSERT_EQ(lists.popupIcons.size(), 8);
    expectSizes(lists.smallIcons, 16);
    expectSizes(lists.tabIcons, 32);
    expectSizes(lists.popupIcons, 24);
    expectDistinct(lists.smallIcons);
    expectDistinct(lists.tabIcons);
    expectDistinct(lists.popupIcons);

    ASSERT_EQ(glyphs.byName.size(), 12);
    QList<QPixmap> glyphList;
    for (int i = 1; i <= 12; ++i) {
        const QString name = QStringLiteral("SB_%1").arg(i, 2, 10, QLatin1Char('0'));
        EXPECT_FALSE(glyphs.glyph(name).isNull()) << name.toStdString();
        glyphList << glyphs.glyph(name);
    }
    expectDistinct(glyphList);
    EXPECT_TRUE(glyphs.glyph(QStringLiteral("SB_13")).isNull());

    // Every picture keeps a transparent border pixel somewhere: nothing was drawn on an
    // opaque background that the list would show as a square.
    for (const QPixmap& icon : lists.smallIcons + lists.tabIcons + lists.popupIcons) {
        const QImage image = icon.toImage();
        EXPECT_TRUE(image.hasAlphaChannel());
        EXPECT_LT(
            qAlpha(image.pixel(0, image.height() - 1)) * qAlpha(image.pixel(image.width() - 1, 0)),
            255 * 255);
    }

    // The container is released after each loader.
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/orlinres/PHONETYPE_01")));
}

TEST_F(ImageLibraryTest, LoadingAgainRebuildsTheListsInsteadOfAppending) {
    useContainer(QStringLiteral(ORLIN_TEST_CONTAINER));
    ImageLists lists;
    loadSmallIcons(lists);
    const QImage first = lists.smallIcons.first().toImage();
    loadSmallIcons(lists);
    EXPECT_EQ(lists.smallIcons.size(), 42);
    EXPECT_EQ(lists.smallIcons.first().toImage(), first);
}

TEST_F(ImageLibraryTest, WithoutContainerOneWarningAndEmptyLists) {
    useContainer(QString());
    ButtonGlyphs glyphs;
    ImageLists lists;
    EXPECT_FALSE(loadButtonGlyphs(nullptr, glyphs));
    loadSmallIcons(lists);
    loadTabIcons(lists);
    loadPopupIcons(lists);

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, MessageBoxes::Kind::Warning);
    EXPECT_FALSE(boxes[0].yesNo);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Невозможно загрузить orlinres.dll ..."));
    EXPECT_TRUE(glyphs.byName.isEmpty());
    EXPECT_TRUE(lists.smallIcons.isEmpty());
    EXPECT_TRUE(lists.tabIcons.isEmpty());
    EXPECT_TRUE(lists.popupIcons.isEmpty());
    EXPECT_TRUE(lists.small(0).isNull());
    EXPECT_TRUE(lists.small(40).isNull());
}

TEST_F(ImageLibraryTest, FileThatIsNoContainerCountsAsMissing) {
    QFile junk(folder.filePath("orlinres.dll"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("MZ this is not a resource container\r\n");
    junk.close();
    useContainer(QString());
    ButtonGlyphs glyphs;
    ImageLists lists;
    EXPECT_FALSE(loadButtonGlyphs(nullptr, glyphs));
    loadSmallIcons(lists);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(lists.smallIcons.isEmpty());
}

TEST_F(ImageLibraryTest, MissingBitmapRaisesAndKeepsWhatWasLoaded) {
    useContainer(QStringLiteral(ORLIN_TEST_PARTIAL_CONTAINER));
    ButtonGlyphs glyphs;
    ImageLists lists;
    try {
        loadButtonGlyphs(nullptr, glyphs);
        FAIL() << "no exception";
    } catch (const EResNotFound& error) {
        EXPECT_STREQ(error.what(), "Resource SB_01 not found");
    }
    EXPECT_TRUE(boxes.empty());

    try {
        loadSmallIcons(lists);
        FAIL() << "no exception";
    } catch (const EResNotFound& error) {
        EXPECT_STREQ(error.what(), "Resource PROFILE_05 not found");
    }
    EXPECT_EQ(lists.smallIcons.size(), 13);

    EXPECT_THROW(loadTabIcons(lists), EResNotFound);
    EXPECT_TRUE(lists.tabIcons.isEmpty());

    EXPECT_THROW(loadPopupIcons(lists), EResNotFound);
    EXPECT_EQ(lists.popupIcons.size(), 1);

    // A failed loader still releases the container.
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/orlinres/PHONETYPE_01")));
}

TEST_F(ImageLibraryTest, TransparentColoursAreMaskedAndSizesForced) {
    useContainer(QStringLiteral(ORLIN_TEST_PARTIAL_CONTAINER));
    ImageLists lists;
    EXPECT_THROW(loadSmallIcons(lists), EResNotFound);
    EXPECT_THROW(loadPopupIcons(lists), EResNotFound);
    ASSERT_GE(lists.smallIcons.size(), 2);
    ASSERT_EQ(lists.popupIcons.size(), 1);

    // Magenta around a black square: the border is masked out, the square stays.
    const QImage magenta = lists.smallIcons[0].toImage();
    EXPECT_EQ(qAlpha(magenta.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(magenta.pixel(15, 15)), 0);
    EXPECT_EQ(magenta.pixel(8, 8), 0xFF000000u);

    // A 20x20 picture becomes one 16x16 image (left half black, right half masked).
    const QImage wide = lists.smallIcons[1].toImage();
    EXPECT_EQ(wide.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(wide.pixel(2, 8)), 255);
    EXPECT_EQ(qAlpha(wide.pixel(14, 8)), 0);

    // The popup list masks white, not magenta.
    const QImage white = lists.popupIcons[0].toImage();
    EXPECT_EQ(qAlpha(white.pixel(0, 0)), 0);
    EXPECT_EQ(white.pixel(12, 12), 0xFF204A87u);
}

TEST_F(ImageLibraryTest, ProgramFolderComesBeforeCurrentDirectory) {
    QTemporaryDir second;
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORLIN_TEST_CONTAINER), second.filePath("orlinres.dll")));
    setResourceSearchFolders({folder.path(), second.path()});
    EXPECT_EQ(findResourceContainer(), QDir(second.path()).absoluteFilePath("orlinres.dll"));

    ASSERT_TRUE(QFile::copy(QStringLiteral(ORLIN_TEST_CONTAINER), folder.filePath("orlinres.dll")));
    EXPECT_EQ(findResourceContainer(), QDir(folder.path()).absoluteFilePath("orlinres.dll"));

    setResourceSearchFolders({});
    EXPECT_EQ(resourceSearchFolders(),
              QStringList({QCoreApplication::applicationDirPath(), QDir::currentPath()}));

    // A folder named like the container is not the container.
    QTemporaryDir third;
    ASSERT_TRUE(QDir(third.path()).mkdir("orlinres.dll"));
    setResourceSearchFolders({third.path()});
    EXPECT_TRUE(findResourceContainer().isEmpty());
}
