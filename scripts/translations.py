#!/usr/bin/env python3
"""The English translation file and the texts of the code, kept in step.

  translations.py update LUPDATE SOURCE_DIR TS_FILE
      adds every new text of the code to TS_FILE (unfinished, for a person to
      translate) and drops the texts the code no longer has.
  translations.py check LUPDATE SOURCE_DIR TS_FILE
      fails, naming them, when a text of the code is missing from TS_FILE, an
      entry is unfinished or no longer in the code, or a translation lacks a
      %1..%9 of its source, or does not have its printf conversions (%s, %d,
      %.1f...) in the same order. TS_FILE itself is not changed.

The texts are those of tr() in the window's classes, TText::tr and
TText::Noop in the layers without Qt (common/Texts.h), in every source folder
of the program (tests and benchmarks are not the program).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

# One reader of lupdate's text encoding for both scripts.
from ts_text_table import text_of

NOT_PROGRAM = {"tests", "bench", "data", "docs", "scripts", "translations", "packaging"}
ALIASES = "Q_DECLARE_TR_FUNCTIONS+=VQ_TEXT_CONTEXT,tr+=Noop"
# A translated printf format is used with the source's arguments.
PRINTF = re.compile(r"%[-+ #0]*[0-9]*(?:\.[0-9]+)?(?:hh|h|ll|l|L|z|j|t)?[diouxXeEfgGcs%]")


def source_folders(source_dir):
    folders = []
    for name in sorted(os.listdir(source_dir)):
        path = os.path.join(source_dir, name)
        if name.startswith((".", "build")) or name in NOT_PROGRAM or not os.path.isdir(path):
            continue
        if any(f.endswith((".cpp", ".h")) for _, _, files in os.walk(path) for f in files):
            folders.append(path)
    return folders


def run_lupdate(lupdate, source_dir, ts_file):
    command = [lupdate, "-silent", "-locations", "none", "-no-obsolete", "-source-language", "ja",
               "-target-language", "en", "-extensions", "cpp,h", "-tr-function-alias", ALIASES]
    command += source_folders(source_dir) + ["-ts", ts_file]
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("lupdate failed:\n" + result.stdout + result.stderr)


def messages(ts_file):
    for context in ET.parse(ts_file).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            yield name, text_of(message.find("source")), message.find("translation")


def problems(before, after):
    """What is wrong with the file `before`, given `after`, the same file
    brought up to date with the code by lupdate."""
    old = {(c, s) for c, s, _ in messages(before)}
    new = {(c, s) for c, s, _ in messages(after)}
    found = []
    for c, s in sorted(new - old):
        found.append("not in the translation file: [%s] %s" % (c, s))
    for c, s in sorted(old - new):
        found.append("no longer in the code: [%s] %s" % (c, s))
    for c, s, t in messages(before):
        if (c, s) not in new:
            continue
        if t is None or t.get("type") in ("unfinished", "vanished", "obsolete") or not text_of(t).strip():
            found.append("not translated: [%s] %s" % (c, s))
            continue
        for arg in sorted(set(re.findall(r"%[1-9]", s)) - set(re.findall(r"%[1-9]", text_of(t)))):
            found.append("translation lacks %s: [%s] %s" % (arg, c, s))
        if PRINTF.findall(s) != PRINTF.findall(text_of(t)):
            found.append("translation differs in its printf conversions: [%s] %s" % (c, s))
    return found


def main():
    mode, lupdate, source_dir, ts_file = sys.argv[1:5]
    if mode == "update":
        run_lupdate(lupdate, source_dir, ts_file)
        return
    with tempfile.TemporaryDirectory() as work:
        copy = os.path.join(work, os.path.basename(ts_file))
        shutil.copyfile(ts_file, copy)
        run_lupdate(lupdate, source_dir, copy)
        found = problems(ts_file, copy)
    if found:
        print("\n".join(found))
        sys.exit("%s is not complete: run `cmake --build build --target update_translations`, "
                 "then give each new text its English" % ts_file)
    print("every text has its English")


if __name__ == "__main__":
    main()
