#!/usr/bin/env python3
"""Merges Qt translation files (.ts) and keeps them in one canonical order.

  merge-ts.py [--base BASE] OURS THEIRS -o OUT   union of the finished translations of OURS and THEIRS
  merge-ts.py --normalize FILE...                 rewrites each FILE in canonical order, in place

Several people add texts at once; each branch's update appends its own messages, so a plain text merge
of two branches conflicts where nothing really does. A message is known by its context, source text and
disambiguation. The union keeps every message of either side, a finished translation before an
unfinished one, one still in use before an obsolete one. With BASE (a three-way merge, as git's merge
driver gives it), a message one side removed and the other left as it was is removed.

When both sides finished the same message differently, OURS is kept, the message is named on standard
error and the exit code is 1, so that git leaves the file marked as conflicting for a person to look at.
Exit code 2: a file could not be read or written.

Canonical order: contexts by name, messages by source text and disambiguation. It is what
scripts/update-translations.sh leaves, so new texts of two branches land in different places.
"""

import argparse
import os
import sys
import tempfile
import xml.etree.ElementTree as ET


class TsError(Exception):
    pass


def read_ts(path):
    """Returns (language, source_language, {key: message element}) with key (context, source, comment)."""
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError) as error:
        raise TsError(f"{path}: {error}") from error
    if root.tag != "TS":
        raise TsError(f"{path}: not a translation file (root element {root.tag})")
    messages = {}
    for context in root.iter("context"):
        name = context.findtext("name", default="")
        for message in context.iter("message"):
            key = (name, message.findtext("source", default=""), message.findtext("comment", default=""))
            messages[key] = message
    return root.get("language", ""), root.get("sourcelanguage", ""), messages


def translation_state(message):
    """2: finished, 1: unfinished, 0: obsolete or vanished."""
    translation = message.find("translation")
    if translation is None:
        return 1
    kind = translation.get("type", "")
    if kind in ("obsolete", "vanished"):
        return 0
    if kind == "unfinished":
        return 1
    forms = translation.findall("numerusform")
    texts = [form.text or "" for form in forms] if forms else [translation.text or ""]
    return 2 if all(texts) else 1


def translation_text(message):
    translation = message.find("translation")
    if translation is None:
        return None
    forms = translation.findall("numerusform")
    if forms:
        return tuple(form.text or "" for form in forms)
    return translation.text or ""


def better(ours, theirs):
    """The message to keep of two versions of one message: the more finished one, ours on a tie."""
    return theirs if translation_state(theirs) > translation_state(ours) else ours


def merge(ours, theirs, base, conflicts):
    result = {}
    for key in sorted(set(ours) | set(theirs)):
        mine, other = ours.get(key), theirs.get(key)
        if mine is not None and other is not None:
            if (translation_state(mine) == 2 and translation_state(other) == 2
                    and translation_text(mine) != translation_text(other)):
                original = base.get(key)
                if original is not None and translation_text(original) == translation_text(mine):
                    result[key] = other  # only they changed it
                    continue
                if original is None or translation_text(original) != translation_text(other):
                    conflicts.append(key)
            result[key] = better(mine, other)
            continue
        present = mine if mine is not None else other
        original = base.get(key)
        if original is not None and translation_text(original) == translation_text(present):
            continue  # the other side removed it and this side left it alone
        result[key] = present
    return result


def escape(text, attribute=False):
    text = text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    if attribute:
        text = text.replace('"', "&quot;")
    else:
        text = text.replace('"', "&quot;").replace("'", "&apos;")
    return text


def write_element(out, element, indent):
    attributes = "".join(f' {name}="{escape(value, True)}"' for name, value in element.attrib.items())
    children = list(element)
    if not children:
        out.append(f"{indent}<{element.tag}{attributes}>{escape(element.text or '')}</{element.tag}>\n")
        return
    out.append(f"{indent}<{element.tag}{attributes}>\n")
    for child in children:
        write_element(out, child, indent + "    ")
    out.append(f"{indent}</{element.tag}>\n")


def write_message(out, message):
    attributes = "".join(f' {name}="{escape(value, True)}"' for name, value in message.attrib.items())
    out.append(f"    <message{attributes}>\n")
    for child in message:
        if child.tag == "translation" and child.findall("numerusform"):
            kind = "".join(f' {n}="{escape(v, True)}"' for n, v in child.attrib.items())
            out.append(f"            <translation{kind}>\n")
            for form in child:
                out.append(f"                <numerusform>{escape(form.text or '')}</numerusform>\n")
            out.append("            </translation>\n")
        else:
            write_element(out, child, "        ")
    out.append("    </message>\n")


def write_ts(path, language, source_language, messages):
    out = ['<?xml version="1.0" encoding="utf-8"?>\n', "<!DOCTYPE TS>\n"]
    source_attribute = f' sourcelanguage="{escape(source_language, True)}"' if source_language else ""
    out.append(f'<TS version="2.1" language="{escape(language, True)}"{source_attribute}>\n')
    current = None
    for key in sorted(messages):
        if key[0] != current:
            if current is not None:
                out.append("</context>\n")
            current = key[0]
            out.append(f"<context>\n    <name>{escape(current)}</name>\n")
        write_message(out, messages[key])
    if current is not None:
        out.append("</context>\n")
    out.append("</TS>\n")
    folder = os.path.dirname(os.path.abspath(path))
    try:
        with tempfile.NamedTemporaryFile("w", encoding="utf-8", dir=folder, delete=False) as handle:
            handle.write("".join(out))
            temporary = handle.name
        os.replace(temporary, path)
    except OSError as error:
        raise TsError(f"{path}: {error}") from error


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--normalize", action="store_true", help="rewrite each FILE in canonical order")
    parser.add_argument("--base", help="the common ancestor of OURS and THEIRS")
    parser.add_argument("-o", "--output", help="where the merged file goes")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args(argv)
    try:
        if args.normalize:
            for path in args.files:
                language, source_language, messages = read_ts(path)
                write_ts(path, language, source_language, messages)
            return 0
        if len(args.files) != 2 or not args.output:
            parser.error("a merge takes OURS THEIRS -o OUT")
        language, source_language, ours = read_ts(args.files[0])
        _, _, theirs = read_ts(args.files[1])
        base = read_ts(args.base)[2] if args.base else {}
        conflicts = []
        merged = merge(ours, theirs, base, conflicts)
        write_ts(args.output, language, source_language, merged)
    except TsError as error:
        print(f"merge-ts: {error}", file=sys.stderr)
        return 2
    for context, source, comment in conflicts:
        note = f" ({comment})" if comment else ""
        print(f"merge-ts: both sides translate {context}: {source!r}{note}; ours kept", file=sys.stderr)
    return 1 if conflicts else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
