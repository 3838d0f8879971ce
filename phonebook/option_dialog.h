#pragma once
// The program options: the layout of phonebook files. Only the first layout exists, so
// the choice is shown but cannot be changed.

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

class TfrmOption : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOption(QWidget* parent = nullptr);
    ~TfrmOption() override;

    // The second item, "собственный (картинки для С450/С550)", is chosen.
    bool ownFormatSelected() const;

    QGroupBox* rgFileFormat = nullptr;
    QRadioButton* rbAsMpt = nullptr;      // item 0
    QRadioButton* rbOwnFormat = nullptr;  // item 1
    QPushButton* SpeedButton1 = nullptr;  // "Применить"
    QPushButton* SpeedButton2 = nullptr;  // "Отмена"

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
};
