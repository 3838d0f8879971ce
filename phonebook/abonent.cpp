#include "phonebook/abonent.h"

#include <stdexcept>

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
    int32_t slot = 0;
    for (const TAbonentInfo& record : abonents) {
        ++slot;
        if (record.IsFree()) slots.push_back(slot);
    }
    return slots;
}

Abonents::Abonents(std::initializer_list<TAbonentInfo> records) {
    for (const TAbonentInfo& record : records) push_back(record);
}

void Abonents::clear() {
    records_.clear();
    size_ = 0;
}

void Abonents::push_back(const TAbonentInfo& record) {
    records_[size_++] = record;
}

TAbonentInfo& Abonents::operator[](size_t i) {
    auto it = records_.find(i);
    if (it == records_.end()) it = records_.emplace(i, FreeSlot(static_cast<int32_t>(i + 1))).first;
    return it->second;
}

const TAbonentInfo& Abonents::operator[](size_t i) const {
    return const_cast<Abonents&>(*this)[i];
}

TAbonentInfo& Abonents::at(size_t i) {
    if (i >= size_) throw std::out_of_range("no slot " + std::to_string(i + 1));
    return (*this)[i];
}

const TAbonentInfo& Abonents::at(size_t i) const {
    if (i >= size_) throw std::out_of_range("no slot " + std::to_string(i + 1));
    return (*this)[i];
}

const TAbonentInfo& Abonents::const_iterator::operator*() const {
    const auto it = table_->records_.find(at_);
    if (it != table_->records_.end()) return it->second;
    free_ = FreeSlot(static_cast<int32_t>(at_ + 1));
    return free_;
}

bool Abonents::operator==(const Abonents& other) const {
    if (size_ != other.size_) return false;
    auto mine = begin();
    for (auto theirs = other.begin(); theirs != other.end(); ++mine, ++theirs)
        if (!(*mine == *theirs)) return false;
    return true;
}

}  // namespace orlin
