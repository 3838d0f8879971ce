// The helpers of ui/ as the tabs use them: the one sort mark of the phonebook, datebook and
// message lists, the progress bar and the Stop button of a long operation, the file names
// handed to the cores.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <stdexcept>

#include "datebook/datebook_tab.h"
#include "link/whole_file.h"
#include "messages/messages_tab.h"
#include "phonebook/phonebook_tab.h"
#include "tests/support/fake_window.h"
#include "ui/file_dialogs.h"
#include "ui/image_library.h"
#include "ui/progress.h"

namespace orlin {
namespace {

using test::FakeWindow;

// The left-most column of `header`'s picture, within `column`'s section, that shows `colour`;
// -1 when none does.
int FirstPixelOf(QHeaderView* header, int column, QRgb colour) {
    const QImage picture = header->grab().toImage();
    const int left = header->sectionViewportPosition(column);
    for (int x = std::max(left, 0); x < left + header->sectionSize(column); ++x)
        for (int y = 0; y < picture.height(); ++y)
            if (picture.pixel(x, y) == colour) return x;
    return -1;
}

void ClickHeader(QTreeWidget* list, int column) {
    QHeaderView* header = list->header();
    const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}

// A click on a header of any of the three lists flips the direction they share and marks
// the clicked column alone, right of its caption; the other columns and lists keep theirs.
TEST(SortMark, TheThreeListsMarkTheClickedColumnRightOfItsCaption) {
    FakeWindow window;
    PhoneBookTab phonebook(window);
    DateBookTab datebook(window);
    MessagesTab messages(window);
    struct List {
        const char* name;
        QWidget* tab;
        QTreeWidget* list;
    };
    const List lists[] = {{"phonebook", &phonebook, phonebook.ListView1},
                          {"datebook", &datebook, datebook.lvEvent},
                          {"messages", &messages, messages.lvSMS}};
    for (const List& l : lists) {
        l.tab->resize(900, 500);
        l.tab->show();
        l.list->show();
    }
    struct Click {
        int list;
        int column;
        bool descending;  // the shared direction after the click (descending at start)
    };
    const Click clicks[] = {{0, 1, false}, {1, 1, true},  {2, 1, false},
                            {2, 6, true},  {0, 1, false}, {1, 2, true}};
    for (const Click& click : clicks) {
        const List& l = lists[click.list];
        SCOPED_TRACE(std::string(l.name) + " column " + std::to_string(click.column));
        ClickHeader(l.list, click.column);
        EXPECT_EQ(window.sort.descending, click.descending);
        EXPECT_EQ(window.sort.column, click.column);
        const int mark = click.descending ? SmallIcon::SortDescending : SmallIcon::SortAscending;
        for (int c = 0; c < l.list->columnCount(); ++c) {
            if (c == click.column)
                EXPECT_TRUE(window.sameImage(l.list->headerItem()->icon(c), mark));
            else
                EXPECT_TRUE(l.list->headerItem()->icon(c).isNull()) << c;
        }
        QHeaderView* header = l.list->header();
        EXPECT_FALSE(header->isSortIndicatorShown()) << "one mark, not the style's as well";
        const int firstMarkPixel =
            FirstPixelOf(header, click.column, FakeWindow::ImageColour(mark).rgb());
        ASSERT_GE(firstMarkPixel, 0) << "no sort mark drawn";
        const int captionRight =
            header->sectionViewportPosition(click.column) +
            header->fontMetrics().horizontalAdvance(l.list->headerItem()->text(click.column));
        EXPECT_GT(firstMarkPixel, captionRight) << "the mark must stand right of the caption";
    }
}

// The bar follows pos of max (pos held to 0..max, max at least 1) and goes back to 0 however
// the operation ends; the Stop button shows only while it runs.
TEST(Progress, TheBarFollowsAndResetsAndStopShowsWhileRunning) {
    struct Case {
        int pos, max;
        int shownMax, shownValue;
    };
    const Case cases[] = {{3, 10, 10, 3},   {10, 10, 10, 10}, {0, 0, 1, 0},
                          {12, 10, 10, 10}, {-1, 5, 5, 0},    {1, -3, 1, 1}};
    for (bool throws : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.pos) + " of " + std::to_string(c.max) +
                         (throws ? ", then an error" : ""));
            QWidget parent;
            auto* bar = new QProgressBar(&parent);
            auto* stop = new QToolButton(&parent);
            stop->setVisible(false);
            parent.show();
            const auto operation = [&] {
                StopButtonShown shown(stop);
                ProgressReset reset(bar);
                ProgressBarInteraction interaction(bar, false);
                interaction.processEvents();
                interaction.progress(c.pos, c.max);
                EXPECT_EQ(bar->maximum(), c.shownMax);
                EXPECT_EQ(bar->value(), c.shownValue);
                EXPECT_TRUE(stop->isVisible());
                if (throws) throw std::runtime_error("the phone went away");
            };
            if (throws)
                EXPECT_THROW(operation(), std::runtime_error);
            else
                operation();
            EXPECT_EQ(bar->value(), 0);
            EXPECT_FALSE(stop->isVisible());
        }
    }
}

// A name chosen in the window reaches the cores as UTF-8, whatever its letters.
TEST(Utf8Path, NamesReachTheCoresWhole) {
    const QString folder = QDir::temp().filePath(QStringLiteral("orlin_utf8_%1").arg(::getpid()));
    QDir().mkpath(folder);
    for (const QString& name : {QStringLiteral("book.txt"), QStringLiteral("Справочник.txt"),
                                QStringLiteral("Довідник ї є.vcf"), QStringLiteral("日程 é.ics")}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = QDir(folder).filePath(name);
        WriteWholeFile(Utf8Path(path), "bytes");
        EXPECT_TRUE(QFile::exists(path));
        EXPECT_EQ(ReadWholeFile(Utf8Path(path), 100), "bytes");
    }
    QDir(folder).removeRecursively();
}

}  // namespace
}  // namespace orlin
