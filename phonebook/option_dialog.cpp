#include "phonebook/option_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/message_boxes.h"

TfrmOption::TfrmOption(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Настройки программы..."));
    rgFileFormat = new QGroupBox(tr("Выбор формат файла для справочника"), this);
    rbAsMpt = new QRadioButton(tr("как в MPT"), rgFileFormat);
    rbOwnFormat = new QRadioButton(tr("собственный (картинки для С450/С550)"), rgFileFormat);
    rbAsMpt->setChecked(true);
    auto* group = new QVBoxLayout(rgFileFormat);
    group->addWidget(rbAsMpt);
    group->addWidget(rbOwnFormat);
    // The own layout does not exist yet.
    rgFileFormat->setEnabled(false);

    SpeedButton1 = new QPushButton(tr("Применить"), this);
    SpeedButton2 = new QPushButton(tr("Отмена"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rgFileFormat);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(SpeedButton1, &QPushButton::clicked, this, &TfrmOption::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TfrmOption::SpeedButton2Click);
}

TfrmOption::~TfrmOption() = default;

bool TfrmOption::ownFormatSelected() const {
    return rbOwnFormat->isChecked();
}

void TfrmOption::SpeedButton1Click() {
    MessageBoxes::information(this, ownFormatSelected()
                                        ? tr("Сохраняться будет в собственном формате.")
                                        : tr("Сохраняться будет как в МПТ."));
    accept();
}

void TfrmOption::SpeedButton2Click() {
    reject();
}
