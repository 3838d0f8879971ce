#pragma once
// The dialog of the phonebook options.

#include <QDialog>

class TfrmOption : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOption(QWidget* parent = nullptr);
    ~TfrmOption() override;
};
