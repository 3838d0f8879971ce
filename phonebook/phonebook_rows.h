#pragma once
// How an entry shows as a row of the phonebook list, and what the list's rows carry back
// when the whole list is written to the phone. Texts are UTF-8.

#include <string>
#include <vector>

#include "phonebook/abonent.h"
#include "phonebook/code_tables.h"
#include "phonebook/model_family.h"

namespace orlin {

inline constexpr int kBaseColumnCount = 5;      // "#", name, number, type, IDs
inline constexpr int kCategoryColumnCount = 7;  // with "Иконка" and "Группа"

struct PhonebookRow {
    std::string caption;  // the slot, in decimal
    std::string name;
    std::string number;
    std::string typeText;
    std::optional<NumberKind> typeKind;
    std::string idsText;
    // Models with categories only:
    std::string iconText;     // icon name (13 fields) or picture text (16 fields)
    std::optional<int> icon;  // the entry's icon, 0..14, on models with icons
    std::string groupText;
};

// The row of an entry for the model of the last read.
PhonebookRow MakeRow(const TAbonentInfo& record, ModelFamily family, const std::string& model,
                     const GroupNames& groupNames);

// The category name of a record: GroupNames[Category-1], empty when there is none.
std::string CategoryName(uint8_t category, const GroupNames& groupNames);

// What writing all takes from one row of the list: the slot and the texts the row shows.
struct ListRow {
    std::string caption;
    std::string name;
    std::string number;
    std::string typeText;
    std::string idsText;
};

}  // namespace orlin
