#include "phonebook/code_tables.h"

#include "link/errors.h"
#include "link/text_utils.h"

namespace orlin {

namespace {

std::vector<std::string> Texts(std::initializer_list<const char*> utf8) {
    return {utf8.begin(), utf8.end()};
}

// The list's type texts 0..6 (the dialog says "E-mail" where the list says "E-Mail").
const std::vector<std::string>& ListTypeTexts() {
    static const std::vector<std::string> texts =
        Texts({"Рабочий", "Домашний", "Основной", "Мобильный", "Факс", "Пейджер", "E-Mail"});
    return texts;
}

const std::string& MailingListText() {
    static const std::string text = "Лист рассылки";
    return text;
}

bool IsDecimal(const std::string& text) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

const std::string& NoIconText() {
    static const std::string text = "нет";
    return text;
}

const std::string& SimTypeText() {
    static const std::string text = "SIM";
    return text;
}

TypeText NumberTypeText(int code, ModelFamily family, const std::string& model) {
    if (code >= 0 && code <= 6)
        return {ListTypeTexts()[static_cast<size_t>(code)], static_cast<NumberKind>(code)};
    if (code == 7) {
        if (HasCategories(family)) return {MailingListText(), NumberKind::MailingList};
        if (IsT720Model(model)) return {SimTypeText(), NumberKind::Sim};
    }
    if (code == 8 && HasCategories(family)) return {SimTypeText(), NumberKind::Sim};
    // No text is defined for the code on this model: show the code itself, so that the
    // entry stays recognisable and the later cells keep their columns.
    return {std::to_string(code), std::nullopt};
}

const std::vector<std::string>& TypeItems() {
    static const std::vector<std::string> items =
        Texts({"Рабочий", "Домашний", "Основной", "Мобильный", "Факс", "Пейджер", "E-mail",
               "Лист рассылки"});
    return items;
}

std::optional<int> NumberTypeFromText(const std::string& text, ModelFamily family) {
    const auto& texts = ListTypeTexts();
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == text) return static_cast<int>(i);
    if (text == MailingListText() && HasCategories(family)) return 7;
    if (text == SimTypeText()) return HasCategories(family) ? 8 : 7;
    return std::nullopt;
}

uint8_t NumberFormatFor(const std::string& number, int type) {
    if (!number.empty() && number[0] == '+') return kFormatInternational;
    if (type == kEmailType) return kFormatOther;
    return kFormatNational;
}

const std::vector<std::string>& IdsItems() {
    static const std::vector<std::string> items =
        Texts({"Бесшумный", "(здесь введите номер)", "По умолчанию"});
    return items;
}

std::string IdsText(int32_t ids) {
    if (ids == kIdsSilent) return IdsItems()[0];
    if (ids == kIdsDefault) return IdsItems()[2];
    if (ids > 0 && ids < kIdsDefault) return std::to_string(ids);
    return {};
}

std::optional<int32_t> IdsFromText(const std::string& text) {
    if (text == IdsItems()[0]) return kIdsSilent;
    if (text == IdsItems()[2]) return kIdsDefault;
    if (IsDecimal(text)) return StrToInt(text);
    return std::nullopt;
}

const std::vector<std::string>& IconItems() {
    static const std::vector<std::string> items =
        Texts({"ужасно", "дружок", "малыш", "робот", "милашка", "босс", "мерзость", "семья",
               "звезда", "умник", "штучка", "нло", "скин", "фанат", "очарование", "нет"});
    return items;
}

std::optional<std::string> IconName(int32_t icon) {
    if (icon >= 0 && icon <= 14) return IconItems()[static_cast<size_t>(icon)];
    if (icon == kNoIcon) return NoIconText();
    return std::nullopt;
}

std::optional<int32_t> IconFromName(const std::string& name) {
    const auto& items = IconItems();
    for (size_t i = 0; i < 15; ++i)
        if (items[i] == name) return static_cast<int32_t>(i);
    if (name == NoIconText()) return kNoIcon;
    return std::nullopt;
}

const std::vector<std::string>& DefaultCategoryItems() {
    static const std::vector<std::string> items = {"General", "Busines", "Personal", "VIPs"};
    return items;
}

}  // namespace orlin
