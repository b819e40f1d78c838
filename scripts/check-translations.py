#!/usr/bin/env python3
"""Checks the shipped translations against the template (translations/kivo_sales_station.ts):
every text of the template is translated in every kivo_sales_station_LANG.ts (no unfinished or
empty entry, every plural form filled), and each translation keeps exactly the placeholders
(%1..%99, %L1, %n, %i) and the HTML tags of its source, which the code fills in or the labels
render.
Usage: check-translations.py [TEMPLATE TRANSLATION...]
Exit 0 when every check passed; otherwise 1, one line per fault."""
import collections
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%(?:L?\d{1,2}|n|i)")
TAG = re.compile(r"</?(?:a|b|i|u|s|br|p|div|span|font|big|small|center|h[1-6]|table|tr|td|th|ul|ol"
                 r"|li|img|hr|pre|tt|code|em|strong|sup|sub|nobr|qt)\b[^>]*>", re.IGNORECASE)


def messages(path):
    """(context, source, comment) -> message element, for every message of PATH."""
    result = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = (name, message.findtext("source"), message.findtext("comment") or "")
            result[key] = message
    return result


def marks(text):
    return (collections.Counter(PLACEHOLDER.findall(text)),
            collections.Counter(t.lower() for t in TAG.findall(text)))


def check(template_path, translation_path):
    faults = []
    name = os.path.basename(translation_path)
    template = messages(template_path)
    translated = messages(translation_path)
    for key in template.keys() - translated.keys():
        faults.append("%s: [%s] %r is not translated (run the lupdate target)" % (name, key[0], key[1]))
    for key, message in translated.items():
        where = "%s: [%s] %r" % (name, key[0], key[1])
        if key not in template:
            faults.append("%s is not in the template any more" % where)
        translation = message.find("translation")
        if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
            faults.append("%s is unfinished" % where)
            continue
        if message.get("numerus") == "yes":
            forms = [f.text or "" for f in translation.iter("numerusform")]
        else:
            forms = [translation.text or ""]
        if not forms or any(not f.strip() for f in forms):
            faults.append("%s has an empty translation" % where)
            continue
        wanted = marks(key[1])
        for form in forms:
            placeholders, tags = marks(form)
            if placeholders != wanted[0]:
                faults.append("%s: %r has the placeholders %s, not %s" % (
                    where, form, sorted(placeholders.elements()), sorted(wanted[0].elements())))
            if tags != wanted[1]:
                faults.append("%s: %r has the tags %s, not %s" % (
                    where, form, sorted(tags.elements()), sorted(wanted[1].elements())))
    return faults


def main(argv):
    if len(argv) > 1:
        template, translations = argv[1], argv[2:]
    else:
        folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "translations")
        template = os.path.join(folder, "kivo_sales_station.ts")
        translations = sorted(glob.glob(os.path.join(folder, "kivo_sales_station_*.ts")))
    if not translations:
        print("no translation next to %s" % template)
        return 1
    faults = [fault for path in translations for fault in check(template, path)]
    for fault in faults:
        print(fault)
    print("%d translation(s) checked, %d fault(s)" % (len(translations), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
