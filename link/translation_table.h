#pragma once
// The English of translations/orlin_en.ts for the Qt-free code, generated at build time by
// scripts/translation-table.py: finished translations only, sorted by context and then source
// (bytes of UTF-8, as strcmp orders them).

#include <cstddef>

namespace orlin {

struct TranslationEntry {
    const char* context;
    const char* source;
    const char* translation;
};

extern const TranslationEntry kTranslations[];
extern const std::size_t kTranslationCount;

}  // namespace orlin
