#!/usr/bin/env python3
"""Writes the C++ table of the finished English translations of a Qt Linguist .ts file, for
the code that has no Qt (link/translation_table.h): translation-table.py IN.ts OUT.cpp"""
import sys
import xml.etree.ElementTree as ElementTree


def literal(text):
    # Octal escapes for every byte outside printable ASCII: an octal escape stops after three
    # digits, so a digit that follows is never taken into it.
    out = []
    for byte in text.encode("utf-8"):
        char = chr(byte)
        if char in '"\\?':
            out.append("\\" + char)
        elif 0x20 <= byte < 0x7F:
            out.append(char)
        else:
            out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


def main():
    source_file, output_file = sys.argv[1], sys.argv[2]
    entries = {}
    for context in ElementTree.parse(source_file).getroot().iter("context"):
        name = context.findtext("name") or ""
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "obsolete",
                                                                   "vanished"):
                continue
            if message.get("numerus") == "yes" or not translation.text:
                continue
            source = message.findtext("source") or ""
            entries[(name.encode("utf-8"), source.encode("utf-8"))] = (name, source,
                                                                       translation.text)
    rows = [entries[key] for key in sorted(entries)]
    lines = ["// Generated from %s by scripts/translation-table.py; do not edit." %
             source_file.split("/")[-1],
             '#include "link/translation_table.h"', "", "namespace orlin {", "",
             "const TranslationEntry kTranslations[] = {"]
    for name, source, translation in rows:
        lines.append("    {%s, %s, %s}," % (literal(name), literal(source), literal(translation)))
    if not rows:
        lines.append('    {"", "", ""},')
    lines += ["};", "const std::size_t kTranslationCount = %d;" % len(rows), "",
              "}  // namespace orlin", ""]
    text = "\n".join(lines)
    try:
        with open(output_file, encoding="utf-8") as existing:
            if existing.read() == text:
                return
    except OSError:
        pass
    with open(output_file, "w", encoding="utf-8") as out:
        out.write(text)


if __name__ == "__main__":
    main()
