#!/usr/bin/env python3
"""Writes the English texts of one context of a Qt translation file as C++
table rows {"Japanese", "English"}, sorted by the Japanese bytes, for the
layers that do not link Qt (common/Texts.cpp includes the result).

Usage: ts_text_table.py TS_FILE CONTEXT OUTPUT
"""
import sys
import xml.etree.ElementTree as ET


def literal(text):
    """A C++ string literal of the UTF-8 bytes, everything but plain ASCII
    as octal escapes (never longer than three digits, so never ambiguous)."""
    out = []
    for byte in text.encode("utf-8"):
        if chr(byte) in '"\\':
            out.append("\\" + chr(byte))
        elif 0x20 <= byte < 0x7F:
            out.append(chr(byte))
        else:
            out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


def text_of(element):
    """The text of a source or translation; lupdate writes a carriage return
    and other control characters as <byte value="xd"/>."""
    if element is None:
        return ""
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            parts.append(chr(int(child.get("value").lstrip("x"), 16)))
        parts.append(child.tail or "")
    return "".join(parts)


def rows(ts_file, context):
    pairs = {}
    for ctx in ET.parse(ts_file).getroot().iter("context"):
        if ctx.findtext("name") != context:
            continue
        for message in ctx.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
                continue
            pairs[text_of(message.find("source"))] = text_of(translation)
    return sorted(pairs.items(), key=lambda p: p[0].encode("utf-8"))


def main():
    ts_file, context, output = sys.argv[1:4]
    text = "// Generated from %s by ts_text_table.py; do not edit.\n" % ts_file.split("/")[-1]
    for japanese, english in rows(ts_file, context):
        text += "{%s, %s},\n" % (literal(japanese), literal(english))
    with open(output, "w", encoding="ascii") as f:
        f.write(text)


if __name__ == "__main__":
    main()
