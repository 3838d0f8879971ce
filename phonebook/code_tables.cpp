#include "phonebook/code_tables.h"

#include "link/errors.h"
#include "link/language.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

// The words are written in Russian and shown in the language of the program; the reverse
// lookups take the shown word and the Russian one alike, so a row keeps its meaning whichever
// language wrote it.
constexpr const char* kContext = "PhonebookCodes";

// The list's type texts 0..6 (the dialog says "E-mail" where the list says "E-Mail").
constexpr const char* kListTypes[] = {ORLIN_TRANSLATE_NOOP("PhonebookCodes", "Рабочий"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "Домашний"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "Основной"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "Мобильный"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "Факс"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "Пейджер"),
                                      "E-Mail"};
constexpr const char* kDialogEmail = "E-mail";
constexpr const char* kMailingList = ORLIN_TRANSLATE_NOOP("PhonebookCodes", "Лист рассылки");

constexpr const char* kIdsWords[] = {
    ORLIN_TRANSLATE_NOOP("PhonebookCodes", "Бесшумный"),
    ORLIN_TRANSLATE_NOOP("PhonebookCodes", "(здесь введите номер)"),
    ORLIN_TRANSLATE_NOOP("PhonebookCodes", "По умолчанию")};

constexpr const char* kIconNames[] = {ORLIN_TRANSLATE_NOOP("PhonebookCodes", "ужасно"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "дружок"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "малыш"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "робот"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "милашка"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "босс"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "мерзость"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "семья"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "звезда"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "умник"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "штучка"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "нло"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "скин"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "фанат"),
                                      ORLIN_TRANSLATE_NOOP("PhonebookCodes", "очарование")};
constexpr const char* kNoIconWord = ORLIN_TRANSLATE_NOOP("PhonebookCodes", "нет");

std::string Shown(const char* source) {
    return Tr(kContext, source);
}

// True when `text` is the word `source` as shown, or the Russian word itself.
bool IsWord(const std::string& text, const char* source) {
    return text == source || text == Tr(kContext, source);
}

bool IsDecimal(const std::string& text) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

std::string NoIconText() {
    return Shown(kNoIconWord);
}

std::string SimTypeText() {
    return "SIM";
}

TypeText NumberTypeText(int code, ModelFamily family, const std::string& model) {
    if (code >= 0 && code <= 6) return {Shown(kListTypes[code]), static_cast<NumberKind>(code)};
    if (code == 7) {
        if (HasCategories(family)) return {Shown(kMailingList), NumberKind::MailingList};
        if (IsT720Model(model)) return {SimTypeText(), NumberKind::Sim};
    }
    if (code == 8 && HasCategories(family)) return {SimTypeText(), NumberKind::Sim};
    // No text is defined for the code on this model: show the code itself, so that the
    // entry stays recognisable and the later cells keep their columns.
    return {std::to_string(code), std::nullopt};
}

std::vector<std::string> TypeItems() {
    std::vector<std::string> items;
    for (int i = 0; i < 6; ++i) items.push_back(Shown(kListTypes[i]));
    items.push_back(kDialogEmail);
    items.push_back(Shown(kMailingList));
    return items;
}

std::optional<int> NumberTypeFromText(const std::string& text, ModelFamily family) {
    for (int i = 0; i < 7; ++i)
        if (IsWord(text, kListTypes[i])) return i;
    if (IsWord(text, kMailingList) && HasCategories(family)) return 7;
    if (text == SimTypeText()) return HasCategories(family) ? 8 : 7;
    return std::nullopt;
}

uint8_t NumberFormatFor(const std::string& number, int type) {
    if (!number.empty() && number[0] == '+') return kFormatInternational;
    if (type == kEmailType) return kFormatOther;
    return kFormatNational;
}

std::vector<std::string> IdsItems() {
    return {Shown(kIdsWords[0]), Shown(kIdsWords[1]), Shown(kIdsWords[2])};
}

std::string IdsText(int32_t ids) {
    if (ids == kIdsSilent) return Shown(kIdsWords[0]);
    if (ids == kIdsDefault) return Shown(kIdsWords[2]);
    if (ids > 0 && ids < kIdsDefault) return std::to_string(ids);
    return {};
}

std::optional<int32_t> IdsFromText(const std::string& text) {
    if (IsWord(text, kIdsWords[0])) return kIdsSilent;
    if (IsWord(text, kIdsWords[2])) return kIdsDefault;
    if (IsDecimal(text)) return StrToInt(text);
    return std::nullopt;
}

std::vector<std::string> IconItems() {
    std::vector<std::string> items;
    for (const char* name : kIconNames) items.push_back(Shown(name));
    items.push_back(NoIconText());
    return items;
}

std::optional<std::string> IconName(int32_t icon) {
    if (icon >= 0 && icon <= 14) return Shown(kIconNames[icon]);
    if (icon == kNoIcon) return NoIconText();
    return std::nullopt;
}

std::optional<int32_t> IconFromName(const std::string& name) {
    for (int i = 0; i < 15; ++i)
        if (IsWord(name, kIconNames[i])) return i;
    if (IsNoIconText(name)) return kNoIcon;
    return std::nullopt;
}

bool IsNoIconText(const std::string& text) {
    return IsWord(text, kNoIconWord);
}

const std::vector<std::string>& DefaultCategoryItems() {
    static const std::vector<std::string> items = {"General", "Busines", "Personal", "VIPs"};
    return items;
}

}  // namespace orlin
