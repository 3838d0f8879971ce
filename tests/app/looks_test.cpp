// What the window looks like where a new user saw it go wrong: selected rows in an inactive
// window, the About box the first time it opens, the tabs at the window's minimum size.
//
// With ORLIN_SCREENSHOTS=FOLDER set the tests also leave a picture of each case there (under
// xvfb-run, of the screen as the user sees it).

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <map>

#include "app/about_box.h"
#include "datebook/datebook_tab.h"
#include "messages/messages_tab.h"
#include "phonebook/phonebook_tab.h"
#include "status/info_tab.h"
#include "status/terminal_tab.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

// Leaves a picture of `widget` (the screen around it, on a real display) when asked to.
void Keep(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("ORLIN_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QPixmap picture;
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        QCoreApplication::processEvents();
        QTest::qWait(200);
        const QRect area = widget->frameGeometry();
        picture = widget->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    } else {
        picture = widget->grab();
    }
    picture.save(QDir(folder).filePath(name + QStringLiteral(".png")), "PNG");
}

double Luminance(QRgb c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

// The contrast between the background of an area (its most frequent colour) and the colour in
// it that stands out most, as the readability of text on a background is measured.
double TextContrast(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y) | 0xff000000];
    const QRgb background =
        std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    const double lb = Luminance(background);
    double best = 1.0;
    for (const auto& [colour, count] : counts) {
        const double lc = Luminance(colour);
        best = std::max(best, (std::max(lb, lc) + 0.05) / (std::min(lb, lc) + 0.05));
    }
    return best;
}

class LooksTest : public WindowTest {};

// A selected row keeps readable text in every list of the window, also while another window
// (a dialog) is the active one.
TEST_F(LooksTest, SelectedRowsStayReadableInAnInactiveWindow) {
    startPhone();
    TfrmMain& w = createWindow();
    w.tsPhoneBook->sbReadAll->click();
    ASSERT_GT(w.tsPhoneBook->ListView1->topLevelItemCount(), 3);
    auto fill = [](QTreeWidget* list) {
        if (list->topLevelItemCount() > 0) return;
        for (int i = 0; i < 3; ++i)
            new QTreeWidgetItem(list, {QStringLiteral("%1").arg(i + 1), QStringLiteral("Мама"),
                                       QStringLiteral("+79031112233")});
    };
    struct Case {
        int tab;
        QTreeWidget* list;
    };
    const Case cases[] = {
        {TfrmMain::PhoneBookPage, w.tsPhoneBook->ListView1},
        {TfrmMain::DateBookPage, w.tsDateBook->lvEvent},
        {TfrmMain::SMSPage, w.tsSMS->lvSMS},
        {TfrmMain::SMSPage, w.tsSMS->tvSMS},
    };
    QDialog other(&w);
    other.setWindowTitle(QStringLiteral("Другое окно"));
    other.resize(240, 120);
    auto* note = new QLabel(QStringLiteral("Активно другое окно"), &other);
    note->move(20, 50);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list->objectName().toStdString());
        w.PageControl1->setCurrentIndex(c.tab);
        fill(c.list);
        QTreeWidgetItem* row = c.list->topLevelItem(1);
        c.list->setCurrentItem(row);
        row->setSelected(true);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&w] { return w.isActiveWindow(); }));
        // The row's text where no icon stands: the second column, or the one column right of
        // its icon.
        QRect rect = c.list->visualItemRect(row) & c.list->viewport()->rect();
        QHeaderView* header = c.list->header();
        if (c.list->columnCount() > 1) {
            rect.setLeft(header->sectionViewportPosition(1));
            rect.setWidth(header->sectionSize(1));
        } else {
            rect.setLeft(rect.left() + 22);
        }
        const double active = TextContrast(c.list->viewport()->grab().toImage(), rect);

        other.show();
        other.move(w.geometry().topRight() - QPoint(260, -40));
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&other] { return other.isActiveWindow(); }));
        ASSERT_FALSE(w.isActiveWindow());
        const double inactive = TextContrast(c.list->viewport()->grab().toImage(), rect);
        if (c.list == w.tsPhoneBook->ListView1) Keep(&w, QStringLiteral("selected-row-inactive"));
        other.hide();
        EXPECT_GE(active, 4.5);
        EXPECT_GE(inactive, 4.5);
    }
}

// Opened once, the About box shows each of its one-line texts whole.
TEST_F(LooksTest, TheAboutBoxShowsItsTextsWholeTheFirstTime) {
    writePortConfig("COM3");
    TfrmMain& w = createWindow();
    std::vector<std::pair<QString, int>> clipped;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        TAboutBox* about = w.AboutBox;
        shown = about->isVisible();
        for (QLabel* label : {about->ProductName, about->Version, about->Copyright,
                              about->lblHomepage, about->lblEmail}) {
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            if (label->contentsRect().width() < needed ||
                !about->rect().contains(QRect(label->mapTo(about, QPoint(0, 0)), label->size())))
                clipped.push_back({label->text(), label->contentsRect().width() - needed});
        }
        Keep(about, QStringLiteral("about-first-opening"));
        about->accept();
    });
    w.mnuAbout->trigger();
    EXPECT_TRUE(shown);
    for (const auto& [text, missing] : clipped)
        ADD_FAILURE() << text.toStdString() << " lacks " << -missing << " pixels";
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

// At the window's minimum size every control of the terminal, info and phonebook tabs has at
// least the size it needs and lies inside its tab (the info tab also with its clock fields).
TEST_F(LooksTest, TheTabsFitAtTheMinimumSize) {
    startPhone();
    TfrmMain& w = createWindow();
    w.resize(w.minimumSize());
    QCoreApplication::processEvents();
    ASSERT_EQ(w.size(), w.minimumSize());
    struct Case {
        int tab;
        bool clock;
    };
    const Case cases[] = {{TfrmMain::TerminalPage, false},
                          {TfrmMain::InfoPage, false},
                          {TfrmMain::InfoPage, true},
                          {TfrmMain::PhoneBookPage, false}};
    for (const Case& c : cases) {
        w.PageControl1->setCurrentIndex(c.tab);
        if (c.clock) QTest::mouseClick(w.tsInfo->CheckBox2, Qt::LeftButton, {}, QPoint(6, 8));
        QCoreApplication::processEvents();
        QWidget* page = w.PageControl1->widget(c.tab);
        SCOPED_TRACE(page->objectName().toStdString() + (c.clock ? " with the clock" : ""));
        ASSERT_EQ(w.tsInfo->ClockDisplayRunning(), c.clock);
        if (c.tab == TfrmMain::InfoPage)
            Keep(&w, c.clock ? QStringLiteral("info-at-minimum-size-clock")
                             : QStringLiteral("info-at-minimum-size"));
        for (QWidget* control : page->findChildren<QWidget*>()) {
            if (!control->isVisibleTo(page) || control->isWindow()) continue;
            if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QLineEdit*>(control) &&
                !qobject_cast<QProgressBar*>(control) && !qobject_cast<QLabel*>(control))
                continue;
            if (qobject_cast<QLineEdit*>(control->parentWidget()) ||
                control->parentWidget()->inherits("QComboBox"))
                continue;  // part of a combined control
            const QString name = control->objectName().isEmpty()
                                     ? QString::fromLatin1(control->metaObject()->className())
                                     : control->objectName();
            const QSize needed = control->minimumSizeHint().expandedTo(
                qobject_cast<QLabel*>(control) ? QSize() : control->sizeHint());
            const QRect place(control->mapTo(page, QPoint(0, 0)), control->size());
            EXPECT_GE(control->height(), needed.height()) << name.toStdString();
            if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QProgressBar*>(control)) {
                EXPECT_GE(control->width(), needed.width()) << name.toStdString();
            }
            EXPECT_TRUE(page->rect().contains(place)) << name.toStdString();
        }
        if (c.clock) w.tsInfo->SwitchClockDisplayOff();
    }
}

// Every file dialog of the tabs is Qt's own (the same everywhere, in Russian) and opens wide
// enough for the Russian captions of its places and columns.
TEST_F(LooksTest, FileDialogsOpenWideEnoughForTheirRussianCaptions) {
    TfrmMain& w = createWindow();
    const QList<QFileDialog*> dialogs = w.findChildren<QFileDialog*>();
    EXPECT_GE(dialogs.size(), 6);  // phonebook save and open, messages export, three on themes
    for (QFileDialog* dialog : dialogs) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_GE(dialog->width(), 800);
        EXPECT_GE(dialog->height(), 480);
    }
}

}  // namespace
}  // namespace orlin::test
