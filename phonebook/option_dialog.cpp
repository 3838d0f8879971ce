#include "phonebook/option_dialog.h"

TfrmOption::TfrmOption(QWidget* parent) : QDialog(parent) {}

TfrmOption::~TfrmOption() = default;
