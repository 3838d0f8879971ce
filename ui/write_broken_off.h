#pragma once
// A write of several slots (writing all, an import) that a failure ended half-way: one error box
// says what happened (a line that went away says the phone was lost) and what the phone holds
// now, so that the user knows which slots to look at.

#include <QString>
#include <cstddef>
#include <exception>

#include "link/list_change.h"

class QWidget;

namespace orlin {

// The box's text: the failure, then the slots the phone took of `total`, those it refused, the
// one whose answer never came, and those never sent.
QString WriteBrokenOffText(const SlotChange& change, size_t total, const std::exception& failure);

// Shows that box and returns true when `change` holds a failure; false (and nothing shown) when
// it ran to its end. The window closing (OperationAbandoned) passes on, with no box.
bool ShowWriteBrokenOff(QWidget* parent, const SlotChange& change, size_t total);

}  // namespace orlin
