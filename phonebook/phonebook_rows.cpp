#include "phonebook/phonebook_rows.h"

namespace orlin {

std::string CategoryName(uint8_t category, const GroupNames& groupNames) {
    if (category < 1 || category > groupNames.size()) return {};
    return groupNames[category - 1];
}

PhonebookRow MakeRow(const TAbonentInfo& record, ModelFamily family, const std::string& model,
                     const GroupNames& groupNames) {
    PhonebookRow row;
    row.caption = std::to_string(record.Index);
    row.name = record.Name;
    row.number = record.Number;
    const TypeText type = NumberTypeText(record.NumberType, family, model);
    row.typeText = type.text;
    row.typeKind = type.kind;
    row.idsText = IdsText(record.Ids);
    if (family == ModelFamily::Fields13) {
        if (auto name = IconName(record.Icon)) {
            row.iconText = *name;
            if (record.Icon != kNoIcon) row.icon = record.Icon;
        }
        row.groupText = CategoryName(record.Category, groupNames);
    } else if (family == ModelFamily::Fields16) {
        row.iconText = record.Picture;
        row.groupText = CategoryName(record.Category, groupNames);
    }
    return row;
}

}  // namespace orlin
