#!/usr/bin/env python3
"""Checks the administrative template: both files are well-formed XML, every text
and presentation the template names is in the language file, and every registry
value a policy writes is one the program reads: its key and its name are literals
of the program's sources (a setting may instead be a key of the shipped const.dat).

    check-template.py SOURCE_DIR
"""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

NS = "{http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions}"
POLICY_KEY = r"Software\Policies\Tallowmere"


def literals(source):
    found = set()
    for path in (source / "src").rglob("*"):
        if path.suffix in (".cpp", ".h"):
            for text in re.findall(r'"((?:[^"\\]|\\.)*)"', path.read_text(errors="replace")):
                found.add(text.replace("\\\\", "\\"))
    return found


def shipped_settings(source):
    keys, section = set(), None
    for line in (source / "dist" / "const.dat").read_text(errors="replace").splitlines():
        line = line.strip()
        if line.startswith("["):
            section = line.strip("[]").lower()
        elif section == "setting" and "=" in line:
            keys.add(line.split("=", 1)[0].lower())
    return keys


def main(source):
    source = pathlib.Path(source)
    folder = source / "installer" / "policy"
    errors = []
    try:
        admx = ET.parse(folder / "tallowmere.admx").getroot()
        adml = ET.parse(folder / "en-US" / "tallowmere.adml").getroot()
    except (ET.ParseError, OSError) as e:
        print(f"FAIL: {e}")
        return 1

    strings = {s.get("id") for s in adml.iter(NS + "string")}
    presentations = {p.get("id"): {c.get("refId") for c in p} for p in adml.iter(NS + "presentation")}
    for element in admx.iter():
        for value in element.attrib.values():
            for kind, name in re.findall(r"\$\((string|presentation)\.([^)]*)\)", value):
                if name not in (strings if kind == "string" else presentations):
                    errors.append(f"{kind} {name} is not in the language file")

    code = literals(source)
    settings = shipped_settings(source)
    policies = list(admx.iter(NS + "policy"))
    if len(policies) != 5:
        errors.append(f"expected five policies, found {len(policies)}")
    for policy in policies:
        key = policy.get("key")
        named = [(policy.get("valueName"), None)] if policy.get("valueName") else []
        presentation = re.sub(r"^\$\(presentation\.(.*)\)$", r"\1", policy.get("presentation") or "")
        for element in policy.iter():
            if element.tag != NS + "policy" and element.get("valueName"):
                named.append((element.get("valueName"), element.get("id")))
                if element.get("id") not in presentations.get(presentation, set()):
                    errors.append(f"{policy.get('name')}: element {element.get('id')} has no presentation")
        if not named:
            errors.append(f"{policy.get('name')}: names no registry value")
        if key not in code:
            errors.append(f"{policy.get('name')}: the program reads no key {key}")
        for value, _ in named:
            read = value in code or (key == POLICY_KEY and value.lower() in settings)
            if not read:
                errors.append(f"{policy.get('name')}: the program reads no value {value} of {key}")

    for error in errors:
        print("FAIL:", error)
    if not errors:
        print(f"the template's {len(policies)} policies name only values the program reads")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
