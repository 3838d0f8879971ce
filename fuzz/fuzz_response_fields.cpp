// The field helpers over one answer: the model after '=', the dash and prefix triples, the
// event line, and the judging of whole answers (final line, refusal, OK, the plain error, an
// answer's own line).
//   A refusal stays a refusal with its error made plain, and nothing else changes.
//   An answer's own line starts with its prefix and holds no line break.

#include <cstdlib>
#include <string>

#include "link/answers.h"
#include "link/errors.h"
#include "link/response_fields.h"
#include "link/text_utils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    const std::string answer(reinterpret_cast<const char*>(data), size);

    ValueAfterEquals(answer);
    Trim(answer);
    for (auto parse : {ParseDashTriple, ParsePrefixTriple}) {
        try {
            parse(answer);
        } catch (const EConvertError&) {
        }
    }
    try {
        ParseEventLine(answer);
    } catch (const EConvertError&) {
    }
    try {
        StrToInt(answer);
    } catch (const EConvertError&) {
    }

    const std::string final = FinalResultLine(answer);
    const bool refusal = IsRefusal(answer);
    if (refusal && EndsInOk(answer)) std::abort();
    const std::string plain = WithPlainError(answer);
    if (IsRefusal(plain) != refusal) std::abort();
    if (refusal && FinalResultLine(plain) != "ERROR") std::abort();
    if (!refusal && plain != answer) std::abort();
    if (!final.empty() && final.find("\r\n") != std::string::npos) std::abort();

    for (const char* prefix : {"+CPMS: ", "+MDBR:", "+CGSN: ", "+MPBR: ", "OK", ""}) {
        const std::string line = AnswerLine(answer, prefix);
        if (!line.empty() && (line.rfind(prefix, 0) != 0 || line.find("\r\n") != std::string::npos))
            std::abort();
    }
    try {
        CheckAnnounced(static_cast<long long>(size) - 3, kMostCategories, answer);
    } catch (const OrlinError&) {
    }
    return 0;
}
