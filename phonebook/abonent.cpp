#include "phonebook/abonent.h"

namespace orlin {

TAbonentInfo FreeSlot(int32_t index) {
    TAbonentInfo record;
    record.Index = index;
    record.Name = kFreeSlotName;
    return record;
}

void ResetRecord(TAbonentInfo& record) {
    const uint8_t storage = record.Storage;
    const int32_t index = record.Index;
    record = TAbonentInfo{};
    record.Storage = storage;
    record.Index = index;
    record.Name = kFreeSlotName;
    record.NumberFormat = kFormatInternational;
    record.Ids = kFieldNone;
    record.Aux9 = 1;
    record.Icon = kFieldNone;
    record.Aux12 = kFieldNone;
}

TAbonentInfo* SlotRecord(Abonents& abonents, int32_t index) {
    if (index < 1 || static_cast<size_t>(index) > abonents.size()) return nullptr;
    return &abonents[static_cast<size_t>(index) - 1];
}

const TAbonentInfo* SlotRecord(const Abonents& abonents, int32_t index) {
    if (index < 1 || static_cast<size_t>(index) > abonents.size()) return nullptr;
    return &abonents[static_cast<size_t>(index) - 1];
}

std::vector<int32_t> FreeSlots(const Abonents& abonents) {
    std::vector<int32_t> slots;
    for (size_t i = 0; i < abonents.size(); ++i)
        if (abonents[i].IsFree()) slots.push_back(static_cast<int32_t>(i + 1));
    return slots;
}

}  // namespace orlin
