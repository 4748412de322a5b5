#!/usr/bin/python3
"""Checks tables written by the drawing stand-in with an independent reader.

usage: check_table.py DRAWING.dxf EXPECTED.json

EXPECTED lists each table: its block (name, base point, each LINE's points and
colour, each MTEXT's text, insertion point, height, width, attachment point and
colour) and its INSERT (found by handle: point, scale, extended data under
"Tabulo"). ezdxf's auditor must report no error and fix nothing. Prints every
difference and exits with 1 when there is one.
"""
import json
import re
import sys

import ezdxf

ESCAPE = re.compile(r"\\U\+([0-9A-Fa-f]{4})")


def stored_text(text):
    """A stored text as the host shows it: \\U+XXXX escapes and caret notation decoded."""
    units = []
    pos = 0
    for match in ESCAPE.finditer(text):
        units.append(text[pos:match.start()])
        units.append(chr(int(match.group(1), 16)))
        pos = match.end()
    units.append(text[pos:])
    joined = "".join(units)
    # Join UTF-16 surrogate pairs the escapes may have produced.
    joined = joined.encode("utf-16", "surrogatepass").decode("utf-16")
    out, i = [], 0
    while i < len(joined):
        if joined[i] == "^" and i + 1 < len(joined):
            nxt = joined[i + 1]
            if nxt == " ":
                out.append("^"); i += 2; continue
            if "@" <= nxt <= "_":
                out.append(chr(ord(nxt) - 64)); i += 2; continue
        out.append(joined[i]); i += 1
    return "".join(out)


def main():
    drawing, expected_file = sys.argv[1], sys.argv[2]
    with open(expected_file, encoding="utf-8") as f:
        expected = json.load(f)
    doc = ezdxf.readfile(drawing)
    problems = []

    def check(what, got, want):
        if got != want:
            problems.append(f"{what}: found {got!r}, expected {want!r}")

    for table in expected["tables"]:
        name = table["block"]
        block = doc.blocks.get(name)
        if block is None:
            problems.append(f"block {name} missing")
            continue
        check(f"{name} base point", list(block.block.dxf.base_point), table["base"])
        entities = list(block)
        check(f"{name} entity count", len(entities), len(table["entities"]))
        for i, (entity, want) in enumerate(zip(entities, table["entities"])):
            where = f"{name} entity {i}"
            check(f"{where} type", entity.dxftype(), want["type"])
            check(f"{where} colour", entity.dxf.color, want["color"])
            if want["type"] == "LINE":
                check(f"{where} start", list(entity.dxf.start), want["start"])
                check(f"{where} end", list(entity.dxf.end), want["end"])
            else:
                check(f"{where} text", stored_text(entity.text), want["text"])
                check(f"{where} insert", list(entity.dxf.insert), want["insert"])
                check(f"{where} height", entity.dxf.char_height, want["height"])
                check(f"{where} width", entity.dxf.width, want["width"])
                check(f"{where} attachment", entity.dxf.attachment_point, want["attachment"])
        ref = table["insert"]
        insert = doc.entitydb.get(ref["handle"])
        if insert is None or insert.dxftype() != "INSERT":
            problems.append(f"INSERT {ref['handle']} missing")
            continue
        check("INSERT block", insert.dxf.name, name)
        check("INSERT owner is model space", insert.dxf.owner, doc.modelspace().block_record_handle)
        check("INSERT point", list(insert.dxf.insert), ref["point"])
        check("INSERT scale", [insert.dxf.xscale, insert.dxf.yscale, insert.dxf.zscale], ref["scale"])
        codes = ref["xdata"]["codes"]
        values = ref["xdata"]["values"]
        if codes and codes[0] == 1001:
            codes, values = codes[1:], values[1:]
        tags = insert.get_xdata("Tabulo")
        check("xdata codes", [tag.code for tag in tags], codes)
        got = [stored_text(tag.value) if tag.code == 1000 else tag.value for tag in tags]
        check("xdata values", got, values)
        if "Tabulo" not in doc.appids:
            problems.append("APPID Tabulo missing")

    auditor = doc.audit()
    for error in auditor.errors:
        problems.append(f"audit error: {error.message}")
    for fix in auditor.fixes:
        problems.append(f"audit fix: {fix.message}")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
