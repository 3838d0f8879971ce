#include "link/slot_list.h"

#include <algorithm>

namespace orlin {

std::string SlotList(std::vector<int> slots) {
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    std::string text;
    for (size_t i = 0; i < slots.size();) {
        size_t last = i;
        while (last + 1 < slots.size() && slots[last + 1] == slots[last] + 1) ++last;
        text += (text.empty() ? "" : ", ") + std::to_string(slots[i]);
        if (last > i) text += "-" + std::to_string(slots[last]);
        i = last + 1;
    }
    return text;
}

std::string SlotList(const std::vector<std::string>& indexes) {
    std::vector<int> numbers;
    for (const std::string& index : indexes) {
        if (index.empty() || index.size() > 9 ||
            index.find_first_not_of("0123456789") != std::string::npos) {
            std::string text;
            for (const std::string& each : indexes) text += (text.empty() ? "" : ", ") + each;
            return text;
        }
        numbers.push_back(std::stoi(index));
    }
    return SlotList(numbers);
}

}  // namespace orlin
