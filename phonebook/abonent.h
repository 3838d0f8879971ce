#pragma once
// One phonebook entry as the phone stores it, the slot table of the whole phonebook,
// the category names and the index ranges of the two storages. Texts are Windows-1251.

#include <cstdint>
#include <string>
#include <vector>

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
    std::string Name;
    std::string Number;
    uint8_t NumberFormat = 0;  // 145 international, 129 national, 128 other (e-mail)
    uint8_t NumberType = 0;    // 0..8, see code_tables.h
    uint8_t Aux6 = 0;
    int32_t Ids = 0;  // 0 silent, 1..254 typed, 255 default
    uint8_t Aux8 = 0;
    uint8_t Aux9 = 0;
    uint8_t Category = 0;  // from 1; 0 none
    int32_t Icon = 0;      // 0..14, 255 none
    std::string Picture;   // 16-field family only
    uint8_t Aux12 = 0;
    uint8_t Aux13 = 0;
    uint8_t Aux15 = 0;
    uint8_t Aux16 = 0;

    bool IsFree() const { return Name == kFreeSlotName; }
    bool operator==(const TAbonentInfo&) const = default;
};

// Element k-1 describes slot k.
using Abonents = std::vector<TAbonentInfo>;

// Element c-1 is the name of category c; an empty name is a category the phone did not report.
using GroupNames = std::vector<std::string>;

struct IndexRanges {
    int32_t PhoneFirstIndex = 0;
    int32_t PhoneLastIndex = 0;
    int32_t SimFirstIndex = 0;
    int32_t SimLastIndex = 0;
};

// A slot that a read found empty: the name "NULL", every number 0, every text empty.
TAbonentInfo FreeSlot(int32_t index);

// What deleting leaves in a slot: the name "NULL" and the values of an unused entry;
// Storage and Index stay.
void ResetRecord(TAbonentInfo& record);

// The record of slot `index`, or nullptr when the table has no such slot.
TAbonentInfo* SlotRecord(Abonents& abonents, int32_t index);
const TAbonentInfo* SlotRecord(const Abonents& abonents, int32_t index);

// The free slots in slot order.
std::vector<int32_t> FreeSlots(const Abonents& abonents);

}  // namespace orlin
