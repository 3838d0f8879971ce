#pragma once
// The model families: the model name the phone gives for AT+CGMM decides how many fields
// a phonebook line has and how an entry is written.

#include <string>

namespace orlin {

enum class ModelFamily {
    None,      // a model in no list: read with the 9-field layout, never written
    Fields9,   // T720, T720i, V60, V66, V60i, V66i, V70
    Fields13,  // C350, C330, V150
    Fields16,  // C450, C550, C650, V300, V500, V600
};

// Compared whole and case-sensitively: "V300" matches only V300.
ModelFamily FamilyOfModel(const std::string& model);

// The models with categories (13- and 16-field families): they have category names, and
// the list shows the icon and category columns.
bool HasCategories(ModelFamily family);

// T720 and T720i call number type 7 "SIM".
bool IsT720Model(const std::string& model);

// The model as the read finds it: the text after the first "=" up to the next quote.
std::string ModelAfterEquals(const std::string& response);

// The model as adding, writing and the files cut it: delete through the first "MODEL=",
// delete the next double quote, delete the first CR LF CR LF "OK" CR LF.
std::string CutModelName(const std::string& response);

}  // namespace orlin
