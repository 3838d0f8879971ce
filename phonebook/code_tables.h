#pragma once
// The code tables of the phonebook: number types, number formats, IDs values, icons.
// Every text is UTF-8, as the list shows it, in the language of the program.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "phonebook/abonent.h"
#include "phonebook/model_family.h"

namespace orlin {

inline constexpr int32_t kNoIcon = kFieldNone;  // "нет"
inline constexpr int32_t kIdsSilent = 0;
inline constexpr int32_t kIdsDefault = kFieldNone;
inline constexpr int kEmailType = 6;

// The kinds of number the list tells apart; the window shows each with its own icon.
enum class NumberKind { Work, Home, Main, Mobile, Fax, Pager, Email, MailingList, Sim };

struct TypeText {
    std::string text;                // empty: the model has no text for the code
    std::optional<NumberKind> kind;  // none: the model has no kind for the code
};

// The type text shown in the list for a number type code, for the model.
TypeText NumberTypeText(int code, ModelFamily family, const std::string& model);

// The items of the entry dialog's type box (0..7), in order.
std::vector<std::string> TypeItems();

// The reverse table of writing all: a row's type text to the code written, for the model.
std::optional<int> NumberTypeFromText(const std::string& text, ModelFamily family);

// 145 when the number begins with "+", else 128 for e-mail, else 129.
uint8_t NumberFormatFor(const std::string& number, int type);

// "Бесшумный" for 0, "По умолчанию" for 255, the number for 1..254, empty otherwise.
std::string IdsText(int32_t ids);
// The reverse: 0, 255, or the decimal number the text holds; nothing for other texts.
// The reverse lookups take the shown word and the Russian one alike.
std::optional<int32_t> IdsFromText(const std::string& text);
// The items of the dialog's IDs box.
std::vector<std::string> IdsItems();

// Icon names 0..14 and "нет" as item 15.
std::vector<std::string> IconItems();
// The icon name of 0..14 or "нет" for 255; nothing for other numbers.
std::optional<std::string> IconName(int32_t icon);
// The icon number of a name (255 for "нет"); nothing for other texts.
std::optional<int32_t> IconFromName(const std::string& name);

// The dialog's designed category items "General", "Busines", "Personal", "VIPs".
const std::vector<std::string>& DefaultCategoryItems();

// Shared texts of the list and the dialog.
std::string NoIconText();   // "нет"
std::string SimTypeText();  // "SIM"
// True for "нет" as shown or in Russian.
bool IsNoIconText(const std::string& text);

}  // namespace orlin
