#!/usr/bin/python3
"""Makes examples/example.xlsx, the bundled workbook the README exports.

A small priced parts list: a merged title, coloured borders, a diagonal in an
empty corner cell, wrapped and aligned texts, several fonts and sizes, numbers
and dates. Run with Debian's python3 (python3-openpyxl):
    /usr/bin/python3 examples/make_example.py
"""
import datetime
import os
import sys

from openpyxl import Workbook
from openpyxl.styles import Alignment, Border, Font, Side

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "example.xlsx")


def side(style, colour):
    return Side(style=style, color=colour)


def main(out):
    wb = Workbook()
    ws = wb.active
    ws.title = "Parts"

    widths = {"A": 6, "B": 26, "C": 10, "D": 12, "E": 14}
    for col, width in widths.items():
        ws.column_dimensions[col].width = width
    ws.row_dimensions[1].height = 30
    ws.row_dimensions[2].height = 18
    ws.row_dimensions[5].height = 33

    thin_black = side("thin", "FF000000")
    thick_blue = side("thick", "FF0000FF")
    medium_red = side("medium", "FFFF0000")
    thin_green = side("thin", "FF008000")

    ws.merge_cells("A1:E1")
    ws["A1"] = "Bracket assembly - parts list"
    ws["A1"].font = Font(name="Arial", size=14, bold=True, color="FF000080")
    ws["A1"].alignment = Alignment(horizontal="center", vertical="center")
    for col in "ABCDE":
        ws[f"{col}1"].border = Border(top=thick_blue, bottom=thick_blue,
                                      left=thick_blue if col == "A" else None,
                                      right=thick_blue if col == "E" else None)

    headers = ["No.", "Description", "Qty", "Unit price", "Delivered"]
    for i, text in enumerate(headers):
        cell = ws.cell(row=2, column=i + 1, value=text)
        cell.font = Font(name="Arial", size=10, bold=True, color="FF800000")
        cell.alignment = Alignment(horizontal="center", vertical="center")
        cell.border = Border(left=thin_black, right=thin_black, top=thin_black,
                             bottom=medium_red)

    rows = [
        (1, "Base plate, 6 mm steel", 2, 14.5, datetime.date(2026, 3, 2)),
        (2, "Hex bolt M8 x 30, zinc plated", 8, 0.35, datetime.date(2026, 3, 4)),
        (3, "Spacer sleeve with a longer description that wraps", 4, 1.2,
         datetime.date(2026, 3, 9)),
        (4, "Gusset", 2, 6.75, None),
    ]
    for r, (no, desc, qty, price, date) in enumerate(rows, start=3):
        values = [no, desc, qty, price, date]
        for c, value in enumerate(values, start=1):
            cell = ws.cell(row=r, column=c, value=value)
            cell.font = Font(name="Times New Roman" if c == 2 else "Arial", size=10)
            cell.border = Border(left=thin_black, right=thin_black, top=thin_black,
                                 bottom=thin_black)
        ws.cell(row=r, column=2).alignment = Alignment(wrap_text=True, vertical="top")
        ws.cell(row=r, column=4).number_format = "#,##0.00"
        ws.cell(row=r, column=5).number_format = "yyyy-mm-dd"
        ws.cell(row=r, column=5).alignment = Alignment(horizontal="center")
    # A cell with nothing delivered yet is crossed out by a diagonal.
    ws["E6"].border = Border(left=thin_black, right=thin_black, top=thin_black,
                             bottom=thin_black, diagonal=thin_green, diagonalDown=True)

    ws.merge_cells("A7:C7")
    ws["A7"] = "Total"
    ws["A7"].font = Font(name="Arial", size=11.5, bold=True)
    ws["A7"].alignment = Alignment(horizontal="right", vertical="bottom")
    # A value, not a formula: openpyxl stores no cached result for formulas.
    ws["D7"] = sum(row[3] for row in rows)
    ws["D7"].number_format = "#,##0.00"
    ws["D7"].font = Font(name="Arial", size=11.5, bold=True, color="FFFF0000")
    for col in "ABCDE":
        ws[f"{col}7"].border = Border(top=medium_red, bottom=thick_blue,
                                      left=thick_blue if col == "A" else None,
                                      right=thick_blue if col == "E" else None)
    wb.save(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else OUT)
