#include "phonebook/model_family.h"

#include <array>
#include <string_view>

#include "link/answers.h"
#include "link/response_fields.h"

namespace orlin {

namespace {

constexpr std::array<std::string_view, 7> kNineFieldModels = {"T720", "T720i", "V60", "V66",
                                                              "V60i", "V66i",  "V70"};
constexpr std::array<std::string_view, 3> kThirteenFieldModels = {"C350", "C330", "V150"};
constexpr std::array<std::string_view, 6> kSixteenFieldModels = {"C450", "C550", "C650",
                                                                 "V300", "V500", "V600"};

template <size_t N>
bool Listed(const std::array<std::string_view, N>& models, const std::string& model) {
    for (std::string_view m : models)
        if (m == model) return true;
    return false;
}

void EraseFirst(std::string& text, const std::string& what, bool throughIt) {
    const size_t at = text.find(what);
    if (at == std::string::npos) return;
    if (throughIt)
        text.erase(0, at + what.size());
    else
        text.erase(at, what.size());
}

}  // namespace

ModelFamily FamilyOfModel(const std::string& model) {
    if (Listed(kNineFieldModels, model)) return ModelFamily::Fields9;
    if (Listed(kThirteenFieldModels, model)) return ModelFamily::Fields13;
    if (Listed(kSixteenFieldModels, model)) return ModelFamily::Fields16;
    return ModelFamily::None;
}

bool HasCategories(ModelFamily family) {
    return family == ModelFamily::Fields13 || family == ModelFamily::Fields16;
}

bool IsT720Model(const std::string& model) {
    return model == "T720" || model == "T720i";
}

// A refusal ending in +CME ERROR: n is cut as the answer ERROR is.
std::string ModelAfterEquals(const std::string& response) {
    return AnswerText(ValueAfterEquals(WithPlainError(response)));
}

std::string CutModelName(const std::string& response) {
    std::string text = WithPlainError(response);
    EraseFirst(text, "MODEL=", true);
    EraseFirst(text, "\"", false);
    EraseFirst(text, "\r\n\r\nOK\r\n", false);
    return AnswerText(text);
}

}  // namespace orlin
