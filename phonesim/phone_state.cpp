#include "phonesim/phone_state.h"

namespace orlin::phonesim {
namespace {

struct ModelRow {
    const char* name;
    PhonebookFamily family;
};

const ModelRow kModels[] = {
    {"T720", PhonebookFamily::NineField},
    {"T720i", PhonebookFamily::NineField},
    {"V60", PhonebookFamily::NineField},
    {"V66", PhonebookFamily::NineField},
    {"V60i", PhonebookFamily::NineField},
    {"V66i", PhonebookFamily::NineField},
    {"V70", PhonebookFamily::NineField},
    {"C350", PhonebookFamily::ThirteenField},
    {"C330", PhonebookFamily::ThirteenField},
    {"V150", PhonebookFamily::ThirteenField},
    {"C450", PhonebookFamily::SixteenField},
    {"C550", PhonebookFamily::SixteenField},
    {"C650", PhonebookFamily::SixteenField},
    {"V300", PhonebookFamily::SixteenField},
    {"V500", PhonebookFamily::SixteenField},
    {"V600", PhonebookFamily::SixteenField},
    // Later models, which the program does not list: they answer the same 24-field lines and
    // take the 16-field write.
    {"V3", PhonebookFamily::SixteenField},
    {"V3i", PhonebookFamily::SixteenField},
    {"E398", PhonebookFamily::SixteenField},
    {"L7", PhonebookFamily::SixteenField},
    {"L6", PhonebookFamily::SixteenField},
    {"K1", PhonebookFamily::SixteenField},
};

}  // namespace

PhonebookFamily FamilyOfModel(const std::string& model) {
    for (const auto& row : kModels)
        if (model == row.name) return row.family;
    return PhonebookFamily::NineField;
}

bool IsKnownModel(const std::string& model) {
    for (const auto& row : kModels)
        if (model == row.name) return true;
    return false;
}

std::vector<std::string> KnownModels() {
    std::vector<std::string> out;
    for (const auto& row : kModels) out.push_back(row.name);
    return out;
}

RealForms AllRealForms() {
    RealForms forms;
    forms.datebookSlotsCount = true;
    forms.quotedTexts = true;
    forms.maxRange = 15;
    forms.noDatebookLock = true;
    forms.extendedDatebook = true;
    forms.tightHeaders = true;
    forms.alphaField = true;
    forms.fieldAfterDate = true;
    forms.needsMode = 2;
    forms.quotedArgs = true;
    forms.plainSerial = true;
    return forms;
}

const char* StorageName(MessageStorage storage) {
    switch (storage) {
        case MessageStorage::IM:
            return "IM";
        case MessageStorage::OM:
            return "OM";
        default:
            return "DM";
    }
}

const char* StatusName(MessageStatus status) {
    switch (status) {
        case MessageStatus::RecUnread:
            return "REC UNREAD";
        case MessageStatus::RecRead:
            return "REC READ";
        case MessageStatus::StoUnsent:
            return "STO UNSENT";
        default:
            return "STO SENT";
    }
}

}  // namespace orlin::phonesim
