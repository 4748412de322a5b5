#!/usr/bin/python3
"""Writes a drawing full of a user's own work, made by ezdxf, for round-trip tests.

usage: make_ezdxf_drawing.py OUT.dxf VERSION   (VERSION: R2000, R2004, ..., R2018)

Layers, linetypes, text styles, a dimension with its style, a hatch, xrecords and
dictionaries, extended data, a block with attributes and its insert, an old
style polyline with vertices, texts with non-ASCII characters, and records
ezdxf does not know: an unknown entity and a proxy-like object.
"""
import sys

import ezdxf


def main():
    out, version = sys.argv[1], sys.argv[2]
    doc = ezdxf.new(version, setup=True)
    msp = doc.modelspace()

    doc.layers.add("Walls", color=3, linetype="DASHED")
    doc.layers.add("Notes", color=5)
    doc.styles.add("Mono", font="cour.ttf")
    doc.appids.add("USERAPP")

    msp.add_line((0, 0), (100, 0), dxfattribs={"layer": "Walls"})
    msp.add_circle((50, 50), 20, dxfattribs={"layer": "Walls", "color": 1})
    msp.add_text("Café au lait", dxfattribs={"style": "Mono", "layer": "Notes"}).set_placement((0, 10))
    msp.add_mtext("Line one\\PLine two ~ Größe", dxfattribs={"char_height": 2.5}).set_location((0, 30))
    dim = msp.add_linear_dim(base=(0, -10), p1=(0, 0), p2=(100, 0), dimstyle="EZDXF")
    dim.render()
    hatch = msp.add_hatch(color=2)
    hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10), (0, 10)], is_closed=True)
    polyline = msp.add_polyline2d([(0, 0), (5, 5), (10, 0)])
    polyline.set_xdata("USERAPP", [(1000, "polyline note"), (1070, 7)])

    block = doc.blocks.new("Door")
    block.add_line((0, 0), (1, 0))
    block.add_attdef("TAG", (0, 0), dxfattribs={"height": 0.5})
    insert = msp.add_blockref("Door", (20, 20))
    insert.add_auto_attribs({"TAG": "D-01"})
    insert.set_xdata("USERAPP", [(1000, "door"), (1040, 2.5), (1010, (1, 2, 3))])

    rootdict = doc.rootdict
    user_dict = rootdict.add_new_dict("USER_DICTIONARY")
    xrecord = user_dict.add_xrecord("USER_SETTINGS")
    xrecord.reset([(1, "setting"), (40, 3.25), (70, 4), (10, (1, 2, 3))])

    # Records ezdxf does not model, with handles ezdxf hands out so the seed moves past them.
    unknown_handle = doc.entitydb.next_handle()
    proxy_handle = doc.entitydb.next_handle()
    msp_handle = msp.block_record_handle
    root_handle = rootdict.dxf.handle
    doc.saveas(out)

    with open(out, encoding="utf-8" if version >= "R2007" else "cp1252") as f:
        text = f.read()
    unknown = (
        f"  0\nMY_CUSTOM_ENTITY\n  5\n{unknown_handle}\n330\n{msp_handle}\n100\nAcDbEntity\n"
        f"  8\n0\n100\nMyCustomEntity\n 10\n1.5\n 20\n2.5\n 30\n0.0\n  1\nunknown payload\n"
        f"1001\nUSERAPP\n1000\ncustom xdata\n"
    )
    proxy = (
        f"  0\nACAD_PROXY_OBJECT\n  5\n{proxy_handle}\n330\n{root_handle}\n100\nAcDbProxyObject\n"
        f" 90\n499\n 91\n1\n 95\n0\n 70\n1\n 93\n8\n310\n0102030405060708\n 94\n0\n"
    )
    entities_end = text.index("ENDSEC", text.index("ENTITIES"))
    entities_end = text.rindex("  0\n", 0, entities_end)
    text = text[:entities_end] + unknown + text[entities_end:]
    objects_end = text.index("ENDSEC", text.index("OBJECTS"))
    objects_end = text.rindex("  0\n", 0, objects_end)
    text = text[:objects_end] + proxy + text[objects_end:]
    with open(out, "w", encoding="utf-8" if version >= "R2007" else "cp1252") as f:
        f.write(text)


if __name__ == "__main__":
    main()
