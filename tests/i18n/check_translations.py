#!/usr/bin/env python3
"""Checks the English catalogues against the sources.

For each catalogue, lupdate collects the texts of its folders afresh
(scripts/translations.sh --into); every text found there must be in the
repository's translations/<name>.ts with a finished, non-empty English
translation, and every translation must carry the same placeholders (%1..%9,
%n, %L1) as its source text.

  check_translations.py REPO            the check
  check_translations.py --self-test     the check's own rules on small cases
"""
import collections
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%L?[1-9]|%n")


def placeholders(text):
    return collections.Counter(PLACEHOLDER.findall(text or ""))


def read_catalogue(path):
    """{(context, source, comment): [translation texts] or None when unfinished}."""
    messages = {}
    root = ET.parse(path).getroot()
    for context in root.iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            key = (name, message.findtext("source", ""), message.findtext("comment", ""))
            translation = message.find("translation")
            kind = translation.get("type", "") if translation is not None else "unfinished"
            if kind in ("unfinished", "obsolete", "vanished"):
                messages[key] = None
                continue
            forms = [f.text or "" for f in translation.iter("numerusform")]
            messages[key] = forms if message.get("numerus") == "yes" else [translation.text or ""]
    return messages


def problems(found, kept):
    """What is wrong with the kept catalogue for the texts found in the sources."""
    faults = []
    for key in sorted(found):
        context, source, _ = key
        where = f"{context}: \"{source}\""
        if key not in kept:
            faults.append(f"{where}: not in the catalogue")
            continue
        forms = kept[key]
        if forms is None or not forms or any(not f.strip() for f in forms):
            faults.append(f"{where}: no finished translation")
            continue
        want = placeholders(source)
        for form in forms:
            # A plural form may spell the number out, so %n may go.
            got = placeholders(form)
            if got != want and not (want - got == collections.Counter({"%n": want["%n"]}) and got - want == collections.Counter()):
                faults.append(f"{where}: placeholders {sorted(want.elements())} but \"{form}\" has {sorted(got.elements())}")
    return faults


def check(repo):
    faults = []
    with tempfile.TemporaryDirectory() as fresh:
        subprocess.run([os.path.join(repo, "scripts", "translations.sh"), "--into", fresh], check=True)
        for name in sorted(os.listdir(fresh)):
            kept_path = os.path.join(repo, "translations", name)
            if not os.path.exists(kept_path):
                faults.append(f"{name}: missing from translations/")
                continue
            found = read_catalogue(os.path.join(fresh, name))
            faults += [f"{name}: {p}" for p in problems(found, read_catalogue(kept_path))]
            print(f"{name}: {len(found)} texts in the sources")
    for fault in faults:
        print(fault)
    print(f"{0 if faults else 1} passed, {1 if faults else 0} failed")
    return 1 if faults else 0


def self_test():
    key = ("C", "Файл %1 из %2", "")
    cases = [
        ("finished", {key: ["File %1 of %2"]}, 0),
        ("placeholders reordered", {key: ["%2: file %1"]}, 0),
        ("missing", {}, 1),
        ("unfinished", {key: None}, 1),
        ("empty", {key: [" "]}, 1),
        ("a placeholder lost", {key: ["File %1"]}, 1),
        ("a placeholder changed", {key: ["File %1 of %3"]}, 1),
        ("a localised placeholder for a plain one", {key: ["File %L1 of %2"]}, 1),
    ]
    failed = 0
    for name, kept, want in cases:
        got = len(problems({key: None}, kept))
        if got != want:
            print(f"self-test \"{name}\": {got} faults, expected {want}")
            failed += 1
    plural = ("C", "%n точек", "")
    for name, forms, want in [("plural with %n", ["%n point", "%n points"], 0),
                              ("plural spelt out", ["one point", "%n points"], 0),
                              ("plural with a stray %1", ["%1 point", "%n points"], 1)]:
        got = len(problems({plural: None}, {plural: forms}))
        if got != want:
            print(f"self-test \"{name}\": {got} faults, expected {want}")
            failed += 1
    print(f"{11 - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    if sys.argv[1:] == ["--self-test"]:
        sys.exit(self_test())
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(check(sys.argv[1]))
