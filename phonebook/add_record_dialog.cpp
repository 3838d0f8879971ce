#include "phonebook/add_record_dialog.h"

#include "app/window_context.h"

TfrmAddRecord::TfrmAddRecord(WindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {}

TfrmAddRecord::~TfrmAddRecord() = default;
