#pragma once
// One phonebook entry as the phone stores it, and the list of them.

#include <string>
#include <vector>

namespace orlin {

struct TAbonentInfo {
    int index = 0;
    std::string number;  // Windows-1251 bytes
    std::string name;    // Windows-1251 bytes
};

using Abonents = std::vector<TAbonentInfo>;

}  // namespace orlin
