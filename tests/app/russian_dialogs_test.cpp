// Qt's own dialogs speak Russian once Qt's translations are loaded; the program's message boxes
// keep exactly the button texts "OK", "Yes" and "No" all the same.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>

#include "ui/message_boxes.h"
#include "ui/orlin_application.h"

namespace orlin {
namespace {

class RussianDialogs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InstallRussianQtTranslations()); }
    void TearDown() override {
        for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
};

TEST_F(RussianDialogs, TheFileDialogSpeaksRussian) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList texts;
    for (const QAbstractButton* button :
         dialog.findChildren<QDialogButtonBox*>().first()->buttons())
        texts << button->text();
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Отмена"))) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("&Имя файла:"))) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("&Открыть"))) << texts.join('|').toStdString();
}

// Each kind of box through the real QMessageBox: the texts of its buttons, and which answer
// each button gives.
TEST_F(RussianDialogs, MessageBoxesKeepTheirButtonTexts) {
    struct Case {
        MessageBoxes::Buttons buttons;
        QStringList texts;
        QString press;
        MessageBoxes::Answer answer;
    };
    const Case cases[] = {
        {MessageBoxes::Buttons::Ok, {"OK"}, "OK", MessageBoxes::Answer::Ok},
        {MessageBoxes::Buttons::YesNo, {"Yes", "No"}, "Yes", MessageBoxes::Answer::Yes},
        {MessageBoxes::Buttons::YesNo, {"Yes", "No"}, "No", MessageBoxes::Answer::No},
        {MessageBoxes::Buttons::OkNo, {"OK", "No"}, "OK", MessageBoxes::Answer::Ok},
        {MessageBoxes::Buttons::OkNo, {"OK", "No"}, "No", MessageBoxes::Answer::No},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts.join('/').toStdString() + " " + c.press.toStdString());
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QAbstractButton* press = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                shown << button->text();
                if (button->text() == c.press) press = button;
            }
            ASSERT_NE(press, nullptr);
            press->click();
        });
        const MessageBoxes::Answer answer = MessageBoxes::show(
            nullptr, MessageBoxes::Kind::Information, QStringLiteral("Вопрос"), c.buttons);
        shown.sort();
        QStringList expected = c.texts;
        expected.sort();
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(answer, c.answer);
    }
}

}  // namespace
}  // namespace orlin
