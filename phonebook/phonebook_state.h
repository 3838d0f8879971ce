#pragma once
// What the phonebook tab knows after a read: the model, the slot table, the category
// names, the index ranges, and the order in which the phone sent its entries.

#include <string>
#include <vector>

#include "phonebook/abonent.h"
#include "phonebook/model_family.h"

namespace orlin {

struct PhonebookState {
    std::string model;
    // The layout the phonebook is read and written with: the model's family, or for a model in
    // no family whose lines carry 16 fields or more the 16-field layout (unverifiedModel).
    ModelFamily family = ModelFamily::None;
    bool unverifiedModel = false;
    Abonents abonents;
    GroupNames groupNames;
    IndexRanges ranges;
    // The slots of the entries in the order the phone sent them: the rows of the list.
    std::vector<int32_t> readOrder;

    // Storage of a slot by the ranges of the last read: the SIM from its first index on.
    uint8_t StorageOfSlot(int32_t index) const {
        return ranges.SimFirstIndex > 0 && index >= ranges.SimFirstIndex ? 1 : 0;
    }
    // The layout to write `model` with: its family, or for a model in no family the layout
    // the last read found for that same model.
    ModelFamily LayoutOfModel(const std::string& phoneModel) const {
        const ModelFamily listed = FamilyOfModel(phoneModel);
        if (listed == ModelFamily::None && unverifiedModel && phoneModel == model) return family;
        return listed;
    }
    int OccupiedCount() const {
        int n = 0;
        for (const auto& r : abonents)
            if (!r.IsFree()) ++n;
        return n;
    }
};

}  // namespace orlin
