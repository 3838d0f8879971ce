// The window's one busy state (a phone operation disables every other phone command, on every
// tab and in the menus, and gives them back however it ends) and the handlers that catch their
// failures at their own boundary.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <stdexcept>

#include "app/comm_config_dialog.h"
#include "phonebook/phonebook_tab.h"
#include "status/info_tab.h"
#include "status/terminal_tab.h"
#include "tests/support/window_test.h"
#include "ui/busy_state.h"
#include "ui/orlin_application.h"

namespace orlin::test {
namespace {

TEST(BusyState, JoinedControlsFollowTheStateAndTheirOwnAvailability) {
    MessageBoxRecorder boxes;
    BusyState state;
    QPushButton command;
    QPushButton stop;  // does not join
    QAction item(nullptr);
    state.add(&command);
    state.add(&item, false);
    EXPECT_TRUE(command.isEnabled());
    EXPECT_FALSE(item.isEnabled());
    std::vector<bool> changes;
    QObject::connect(&state, &BusyState::busyChanged, [&](bool busy) { changes.push_back(busy); });

    bool ran = false;
    bool nestedRan = false;
    EXPECT_TRUE(GuardedOperation(state, [&] {
        ran = true;
        EXPECT_TRUE(state.isBusy());
        EXPECT_FALSE(command.isEnabled());
        EXPECT_TRUE(stop.isEnabled());
        // Availability set while busy shows once the operation has ended.
        state.setAvailable(&item, true);
        EXPECT_FALSE(item.isEnabled());
        // A second operation does not start.
        EXPECT_FALSE(GuardedOperation(state, [&] { nestedRan = true; }));
        { BusyScope nested(state); }
        EXPECT_FALSE(command.isEnabled()) << "a nested scope ends, the operation goes on";
        throw std::runtime_error("failed");
    }));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(nestedRan);
    EXPECT_FALSE(state.isBusy());
    EXPECT_TRUE(command.isEnabled());
    EXPECT_TRUE(item.isEnabled());
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("failed."));
}

class WindowBusyTest : public WindowTest {
protected:
    // Every phone command of the window outside the phonebook tab's Stop button.
    std::vector<std::pair<const char*, QObject*>> phoneCommands() {
        TfrmMain& w = *window_;
        PhoneBookTab* p = w.tsPhoneBook;
        return {
            {"Послать", w.tsTerminal->btnSendCommand},
            {"Обновить", w.tsInfo->SpeedButton1},
            {"Отображать время", w.tsInfo->CheckBox2},
            {"Синхронизировать", w.tsInfo->SpeedButton11},
            {"Добавить", p->sbAddRecord},
            {"Читать все", p->sbReadAll},
            {"Записать все", p->sbWriteAll},
            {"Очистить", p->SpeedButton3},
            {"pop-up Обновить список", p->pmRefresh},
            {"pop-up Добавить", p->N5},
            {"pop-up Загрузить", p->pmLoadRecord},
            {"BackUp", w.mnuBackUp},
            {"Restore", w.mnuRestore},
            {"Сохранить SMS", w.mnuSaveSMS},
            {"Справочник/Добавить", w.N6},
            {"Справочник/Удалить", w.N7},
            {"Справочник/Редактировать", w.N9},
            {"Справочник/Прочитать все", w.N4},
            {"Справочник/Записать все", w.N10},
            {"Ежедневник/Прочитать", w.N14},
            {"Ежедневник/Добавить", w.N15},
            {"Ежедневник/Редактировать", w.N17},
            {"Ежедневник/Удалить", w.N16},
            {"Ежедневник/Экспорт в iCalendar", w.mnuExportICalendar},
            {"Ежедневник/Импорт из iCalendar", w.mnuImportICalendar},
            {"SMS/Прочитать", w.N18},
            {"SMS/Новое", w.N19},
            {"SMS/Удалить", w.N20},
            {"SMS/Удалить все", w.N22},
        };
    }
    static bool enabled(QObject* control) {
        if (auto* widget = qobject_cast<QWidget*>(control)) return widget->isEnabled();
        return qobject_cast<QAction*>(control)->isEnabled();
    }
};

// While a phonebook read, write-all or load runs, the phone commands of every tab and menu are
// disabled (the Stop button stays usable), a second operation started all the same sends
// nothing, and everything comes back when the operation ends, also when it fails.
TEST_F(WindowBusyTest, ALongOperationDisablesEveryOtherPhoneCommandUntilItEnds) {
    struct Case {
        const char* name;
        bool stoppable;
        // The fault to set once the list has been read (a prefix of the command that times out).
        std::function<std::string(TfrmMain&)> fault;
        std::function<void(TfrmMain&, const QString& file)> start;
    };
    auto none = [](TfrmMain&) { return std::string(); };
    // The first rows are written (the progress moves), the third times out.
    auto thirdRow = [](TfrmMain& w) {
        return "AT+MPBW=" + w.tsPhoneBook->ListView1->topLevelItem(2)->text(0).toStdString() + ",";
    };
    auto read = [](TfrmMain& w, const QString&) { w.tsPhoneBook->sbReadAll->click(); };
    auto writeAll = [](TfrmMain& w, const QString&) { w.N10->trigger(); };
    auto load = [](TfrmMain& w, const QString& file) {
        QTimer::singleShot(0, &w,
                           [&w, file] { acceptFileDialog(w.tsPhoneBook->OpenDialog1, file); });
        w.mnuRestore->trigger();
    };
    const Case cases[] = {
        {"read", false, none, read},
        {"read that times out", false, [](TfrmMain&) { return std::string("AT+MPBR=31,"); }, read},
        {"write all", true, none, writeAll},
        {"write all that times out", true, thirdRow, writeAll},
        {"load", true, none, load},
    };
    startPhone();
    const QString file = filePath("book.csv");
    writeFile(file,
              "PHONE;3;Three;+3;2;0;255;0;1;1;255;255;0\r\n"
              "PHONE;4;Four;+4;2;0;255;0;1;1;255;255;0\r\n");
    createWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        phone()->setFaults({});
        window_->tsPhoneBook->sbReadAll->click();
        ASSERT_GT(window_->tsPhoneBook->ListView1->topLevelItemCount(), 2);
        phonesim::FaultOptions faults;
        faults.silentOn = c.fault(*window_);
        phone()->setFaults(faults);
        clearBoxes();

        bool checked = false;
        const QMetaObject::Connection watch = QObject::connect(
            window_->tsPhoneBook->pbReadAllRecords, &QProgressBar::valueChanged, [&](int value) {
                if (checked || value <= 0) return;
                checked = true;
                EXPECT_TRUE(window_->busy().isBusy());
                for (const auto& [name, control] : phoneCommands())
                    EXPECT_FALSE(enabled(control)) << name;
                QToolButton* stop = window_->tsPhoneBook->sbStop;
                EXPECT_EQ(stop->isVisible(), c.stoppable);
                EXPECT_TRUE(stop->isEnabled());
                // Started all the same (a key, a tab shown, a stale click), nothing goes out.
                const auto before = phone()->commandsReceived();
                window_->tsTerminal->btnSendCommandClick();
                window_->tsInfo->tsInfoShow();
                window_->tsInfo->SpeedButton1Click();
                window_->tsPhoneBook->sbReadAllClick();
                window_->tsPhoneBook->sbWriteAllClick();
                window_->tsPhoneBook->pmLoadRecordClick();
                window_->tsPhoneBook->pmSaveBookClick();
                window_->tsPhoneBook->sbAddRecordClick();
                EXPECT_EQ(phone()->commandsReceived(), before);
            });
        c.start(*window_, file);
        QObject::disconnect(watch);
        EXPECT_TRUE(checked) << "the operation showed no progress";
        EXPECT_FALSE(window_->busy().isBusy());
        for (const auto& [name, control] : phoneCommands()) EXPECT_TRUE(enabled(control)) << name;
        EXPECT_FALSE(window_->tsPhoneBook->sbStop->isVisible());
        if (c.fault(*window_).empty())
            EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
        else
            EXPECT_EQ(boxes().size(), 1u) << boxTexts().join('|').toStdString();
    }
}

// Every handler catches its failure itself and shows it in the error box, so that no
// exception passes through Qt's own code (each is started here without the application's
// last-resort catch in notify()), and the window is not left busy.
TEST_F(WindowBusyTest, HandlersCatchAtTheirOwnBoundary) {
    struct Case {
        const char* name;
        std::function<void(TfrmMain&)> run;
        QString text;
    };
    const QString noPhone = QStringLiteral("Телефон не подключен.");
    const Case cases[] = {
        {"terminal Послать", [](TfrmMain& w) { w.tsTerminal->btnSendCommandClick(); }, noPhone},
        {"info tab shown", [](TfrmMain& w) { w.tsInfo->tsInfoShow(); }, noPhone},
        {"info Обновить", [](TfrmMain& w) { w.tsInfo->SpeedButton1Click(); }, noPhone},
        {"phonebook read", [](TfrmMain& w) { w.tsPhoneBook->sbReadAllClick(); }, noPhone},
        {"speed typed into the port dialog",
         [](TfrmMain& w) {
             TfrmCommConfig* d = w.frmCommConfig;
             d->show();
             QLineEdit* edit = d->cbBaudRate->lineEdit();
             edit->setText(QStringLiteral("96"));
             // The key goes straight to the line edit, as its own key handling gets it.
             QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
             static_cast<QObject*>(edit)->event(&key);
             d->reject();
         },
         QStringLiteral("'96x' is not a valid integer value.")},
    };
    writePortConfig("/dev/orlin-no-such-port");
    createWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearBoxes();
        EXPECT_NO_THROW(c.run(*window_));
        ASSERT_EQ(boxes().size(), 1u) << boxTexts().join('|').toStdString();
        EXPECT_EQ(boxes()[0].kind, MessageBoxes::Kind::Error);
        EXPECT_EQ(boxes()[0].text, c.text);
        EXPECT_FALSE(window_->busy().isBusy());
    }
}

}  // namespace
}  // namespace orlin::test
