#!/usr/bin/python3
"""Writes a formatted report workbook of ROWS x COLUMNS for the peer comparison,
the same shape as generated_sheet.h makes in code:
  row 1       header texts, bold, centred, wrapped, blue box, 30 points high;
  column 1    "Item n" labels, 120 pixels wide; every 4th column 80 pixels;
  other cells numbers, "#,##0.00" (every 3rd column "0.0%"), thin box;
  every 10th  row: "Subtotal ..." merged over columns 1..3, red box, centred;
  every 7th   row: a falling diagonal in the last column.

usage: make_workbook.py ROWS COLUMNS OUT.xlsx"""
import sys

import openpyxl
from openpyxl.styles import Alignment, Border, Font, Side
from openpyxl.utils import get_column_letter


def box(color):
    side = Side(style="thin", color=color)
    return Border(left=side, right=side, top=side, bottom=side)


def main(rows, columns, out):
    wb = openpyxl.Workbook()
    ws = wb.active
    header_border, plain, red = box("FF0000FF"), box(None), box("FFFF0000")
    diagonal = Border(left=plain.left, right=plain.right, top=plain.top, bottom=plain.bottom,
                      diagonal=Side(style="thin", color="FF008000"), diagonalDown=True)
    header_font, red_font = Font(bold=True), Font(color="FFFF0000")
    centred = Alignment(horizontal="center", vertical="center", wrap_text=True)
    left = Alignment(horizontal="left")

    # Pixels to openpyxl's character widths for a 7-pixel digit, padding included.
    ws.column_dimensions["A"].width = (120 - 5) / 7
    for c in range(4, columns + 1, 4):
        ws.column_dimensions[get_column_letter(c)].width = (80 - 5) / 7
    ws.row_dimensions[1].height = 30
    for c in range(1, columns + 1):
        cell = ws.cell(1, c, "Column " + get_column_letter(c))
        cell.font, cell.alignment, cell.border = header_font, centred, header_border

    merge_width = min(columns, 3)
    for r in range(2, rows + 1):
        subtotal = r % 10 == 0
        for c in range(1, columns + 1):
            cell = ws.cell(r, c)
            if subtotal and c <= merge_width:
                if c == 1:
                    cell.value = f"Subtotal of rows {r - 9} to {r - 1}"
                cell.font, cell.alignment, cell.border = red_font, centred, red
            elif c == 1:
                cell.value, cell.alignment, cell.border = f"Item {r - 1}", left, plain
            elif c % 3 == 0:
                cell.value, cell.number_format, cell.border = c / (r + c), "0.0%", plain
            else:
                cell.value, cell.number_format = (r * columns + c) * 1.25, "#,##0.00"
                cell.border = diagonal if c == columns and r % 7 == 0 else plain
        if subtotal:
            ws.row_dimensions[r].height = 18
            if merge_width > 1:
                ws.merge_cells(start_row=r, start_column=1, end_row=r, end_column=merge_width)
    wb.save(out)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    main(int(sys.argv[1]), int(sys.argv[2]), sys.argv[3])
