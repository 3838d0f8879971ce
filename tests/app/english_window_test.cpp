// The window under English: none of its own captions, menus, headers, dialogs and the help
// text is left in Russian. (Under Russian the other tests check today's captions.)

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTranslator>
#include <QTreeWidget>

#include "app/help_dialog.h"
#include "link/language.h"
#include "tests/support/window_test.h"

namespace orlin::test {
namespace {

class EnglishWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // The catalogue the build put beside the program, as the program loads it.
        ASSERT_TRUE(translator_.load(QStringLiteral("orlin_en"), QStringLiteral(ORLIN_BIN_DIR)));
        QCoreApplication::installTranslator(&translator_);
        SetCurrentLanguage(Language::English);
    }
    void TearDown() override {
        WindowTest::TearDown();
        QCoreApplication::removeTranslator(&translator_);
        SetCurrentLanguage(Language::Russian);
    }

private:
    QTranslator translator_;
};

// Every text a widget shows of its own (not what the user typed or the phone sent): titles,
// captions, menus and their items, list headers, choices, place-holders and tool tips.
QStringList OwnTexts(QWidget* top) {
    QStringList texts;
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* w : widgets) {
        texts << w->windowTitle() << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
        if (auto* box = qobject_cast<QGroupBox*>(w)) texts << box->title();
        if (auto* menu = qobject_cast<QMenu*>(w)) texts << menu->title();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) texts << edit->placeholderText();
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            for (int i = 0; i < tree->columnCount(); ++i) texts << tree->headerItem()->text(i);
            for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                texts << tree->topLevelItem(i)->text(0);
                for (int j = 0; j < tree->topLevelItem(i)->childCount(); ++j)
                    texts << tree->topLevelItem(i)->child(j)->text(0);
            }
        }
        for (QAction* action : w->actions()) texts << action->text() << action->toolTip();
    }
    for (QAction* action : top->findChildren<QAction*>()) texts << action->text();
    return texts;
}

TEST_F(EnglishWindow, ShowsNoRussianCaption) {
    writePortConfig("COM3");
    TfrmMain& window = createWindow();
    const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    QStringList russian;
    int seen = 0;
    // The main window with its tabs, and the dialogs the start-up creates, each shown once so
    // that what it fills in on showing is there too.
    for (int tab = 0; tab < window.PageControl1->count(); ++tab) {
        window.PageControl1->setCurrentIndex(tab);
        QApplication::processEvents();
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->inherits("QMenu") || top->inherits("QMessageBox")) continue;
        for (const QString& text : OwnTexts(top)) {
            if (text.isEmpty()) continue;
            ++seen;
            if (text.contains(cyrillic))
                russian << QStringLiteral("%1: %2").arg(top->objectName(), text);
        }
    }
    EXPECT_GT(seen, 150);
    EXPECT_TRUE(russian.isEmpty()) << russian.join(QStringLiteral("\n")).toStdString();
    EXPECT_EQ(window.PageControl1->tabText(2), QStringLiteral("Phonebook"));
}

TEST_F(EnglishWindow, TheHelpIsTheEnglishTextAndFitsLineByLine) {
    writePortConfig("COM3");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORLIN_BIN_DIR "/info_en.txt"), filePath("info_en.txt")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORLIN_BIN_DIR "/info.txt"), filePath("info.txt")));
    createWindow();
    window_->frmHelp->show();
    QTextEdit* box = window_->frmHelp->RichEdit1;
    EXPECT_EQ(window_->frmHelp->windowTitle(), QStringLiteral("Help"));
    ASSERT_GT(box->document()->blockCount(), 40);
    EXPECT_FALSE(
        box->toPlainText().contains(QRegularExpression(QStringLiteral("[\\x{0400}-\\x{04FF}]"))));
    box->document()->documentLayout()->documentSize();
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        EXPECT_LE(block.layout()->lineCount(), 1) << block.text().toStdString();
    window_->frmHelp->hide();
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

}  // namespace
}  // namespace orlin::test
