#pragma once
// The dialog that adds a phonebook entry or edits one.

#include <QDialog>

class WindowContext;

class TfrmAddRecord : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAddRecord(WindowContext& context, QWidget* parent = nullptr);
    ~TfrmAddRecord() override;

private:
    WindowContext& context_;
};
