#pragma once
// The help window: shows info.txt from the current directory, reloaded at every showing.

#include <QDialog>

class QTextEdit;

class TfrmHelp : public QDialog {
    Q_OBJECT
public:
    explicit TfrmHelp(QWidget* parent = nullptr);

    QTextEdit* RichEdit1 = nullptr;

    // Loads info.txt (Windows-1251, shown as plain text). Raises EInOutError when the file
    // cannot be read; the box is then empty.
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
};
