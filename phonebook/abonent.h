#pragma once
// One phonebook entry as the phone stores it, the slot table of the whole phonebook,
// the category names and the index ranges of the two storages. Texts are UTF-8 (Utf8Text):
// any character the phone holds.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "link/text_types.h"

namespace orlin {

// The name that marks a free slot in the slot table.
inline constexpr const char* kFreeSlotName = "NULL";

// Number formats: a number that begins with "+", any other number, an e-mail address.
inline constexpr uint8_t kFormatInternational = 145;
inline constexpr uint8_t kFormatNational = 129;
inline constexpr uint8_t kFormatOther = 128;
// The phone's "none" or "default" in the IDs, icon and picture-flag fields.
inline constexpr uint8_t kFieldNone = 255;

struct TAbonentInfo {
    uint8_t Storage = 0;  // 0 phone memory, 1 SIM card
    int32_t Index = 0;    // slot number, from 1
    Utf8Text Name;
    Utf8Text Number;
    uint8_t NumberFormat = 0;  // 145 international, 129 national, 128 other (e-mail)
    uint8_t NumberType = 0;    // 0..8, see code_tables.h
    uint8_t Aux6 = 0;
    int32_t Ids = 0;  // 0 silent, 1..254 typed, 255 default
    uint8_t Aux8 = 0;
    uint8_t Aux9 = 0;
    uint8_t Category = 0;  // from 1; 0 none
    int32_t Icon = 0;      // 0..14, 255 none
    Utf8Text Picture;      // 16-field family only
    uint8_t Aux12 = 0;
    uint8_t Aux13 = 0;
    uint8_t Aux15 = 0;
    uint8_t Aux16 = 0;

    bool IsFree() const { return Name == kFreeSlotName; }
    bool operator==(const TAbonentInfo&) const = default;
};

TAbonentInfo FreeSlot(int32_t index);

// The slot table: element k-1 describes slot k, for slots 1..size(). Only the records that
// were put in (or asked for by reference) are held, so that a phone announcing 65535 slots
// costs what it holds, not what it announces; every other slot reads as FreeSlot(k).
class Abonents {
public:
    Abonents() = default;
    explicit Abonents(size_t slotCount) : size_(slotCount) {}
    // Element k-1 is the k-th record, as given.
    Abonents(std::initializer_list<TAbonentInfo> records);

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear();
    void push_back(const TAbonentInfo& record);
    TAbonentInfo& back() { return (*this)[size_ - 1]; }

    // The record of element i; a slot without one gets its free record first.
    TAbonentInfo& operator[](size_t i);
    const TAbonentInfo& operator[](size_t i) const;
    // The same, raising std::out_of_range beyond size().
    TAbonentInfo& at(size_t i);
    const TAbonentInfo& at(size_t i) const;
    // The records held, by element (the free slots that were never put in or asked for are
    // not among them).
    const std::map<size_t, TAbonentInfo>& held() const { return records_; }

    // Walks every slot in order. A slot without a record gives a free record that the
    // iterator holds until it moves on; the others give the record held.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TAbonentInfo;
        using difference_type = std::ptrdiff_t;
        using pointer = const TAbonentInfo*;
        using reference = const TAbonentInfo&;
        const_iterator(const Abonents* table, size_t at) : table_(table), at_(at) {}
        const TAbonentInfo& operator*() const;
        const TAbonentInfo* operator->() const { return &**this; }
        const_iterator& operator++() {
            ++at_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++at_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return at_ == other.at_; }
        bool operator!=(const const_iterator& other) const { return at_ != other.at_; }

    private:
        const Abonents* table_;
        size_t at_;
        mutable TAbonentInfo free_;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size_}; }

    // Slot by slot, a held free record equal to a slot without one.
    bool operator==(const Abonents& other) const;

private:
    size_t size_ = 0;
    mutable std::map<size_t, TAbonentInfo> records_;
};

// Element c-1 is the name of category c; an empty name is a category the phone did not report.
using GroupNames = std::vector<Utf8Text>;

struct IndexRanges {
    int32_t PhoneFirstIndex = 0;
    int32_t PhoneLastIndex = 0;
    int32_t SimFirstIndex = 0;
    int32_t SimLastIndex = 0;
};

// A slot that a read found empty: the name "NULL", every number 0, every text empty
// (declared above, beside the slot table).

// What deleting leaves in a slot: the name "NULL" and the values of an unused entry;
// Storage and Index stay.
void ResetRecord(TAbonentInfo& record);

// The record of slot `index`, or nullptr when the table has no such slot.
TAbonentInfo* SlotRecord(Abonents& abonents, int32_t index);
const TAbonentInfo* SlotRecord(const Abonents& abonents, int32_t index);

// The free slots in slot order.
std::vector<int32_t> FreeSlots(const Abonents& abonents);

}  // namespace orlin
