#pragma once
// The terminal tab: any AT command line, or one of the 40 prepared ones, sent to the phone;
// the raw answers collect in the memo.

#include <QWidget>

class QComboBox;
class QFont;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class WindowContext;

class TerminalTab : public QWidget {
    Q_OBJECT
public:
    explicit TerminalTab(WindowContext& context, QWidget* parent = nullptr);

    // Start-up: the prepared commands into the command box, the first selected.
    void FillCommands();
    // The terminal's font ("Шрифт терминала").
    void SetTerminalFont(const QFont& font);
    // Types `text` into the command box and sends it as "Послать" does.
    void SendTyped(const QString& text);

    // The text the phone's answers and unsolicited lines are marked with.
    static QString UnsolicitedMark();

    QPlainTextEdit* mmTerminal = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* cbCommand = nullptr;
    QPushButton* btnSendCommand = nullptr;
    QPushButton* sbClear = nullptr;
    QGroupBox* Panel5 = nullptr;
    QPlainTextEdit* mmDescriptionCommand = nullptr;
    QFrame* Bevel2 = nullptr;

public slots:
    void cbCommandClick(int index);
    void btnSendCommandClick();
    void sbClearClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void appendToMemo(const QString& text);
    WindowContext& context_;
};
