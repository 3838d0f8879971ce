#pragma once
// The one way the program lists slot numbers and message indexes for the user: ascending, runs
// of neighbours joined, "1-3, 7, 9-10".

#include <string>
#include <vector>

namespace orlin {

// "1-3, 7, 9-10" for slot numbers in any order; a number given twice counts once. Empty for
// none.
std::string SlotList(std::vector<int> slots);

// The same for indexes as the phone names messages ("3", "12"). When one of them is not a
// decimal number (a garbled header gives "?"), they are listed as given, in their order.
std::string SlotList(const std::vector<std::string>& indexes);

}  // namespace orlin
