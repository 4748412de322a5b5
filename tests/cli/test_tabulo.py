#!/usr/bin/python3
"""End-to-end tests of the built tabulo command.

Each test runs the binary in a fresh folder with its own settings file and checks
what it printed, its exit status and the files it wrote: drawings with ezdxf,
workbooks with openpyxl. Fixture workbooks are made here by independent writers
(openpyxl, xlwt) or taken from the shared corpus.

Run by ctest, which passes through the environment:
  TABULO_BINARY      the tabulo executable
  TABULO_SOURCE_DIR  the repository root (for examples/example.xlsx)
  TABULO_CORPUS_DIR  the shared corpus of real workbooks and drawings
  TABULO_VERSION     the project version --version must print
"""
import datetime
import difflib
import hashlib
import os
import pty
import re
import shutil
import struct
import subprocess
import tempfile
import unittest

import ezdxf
import openpyxl
import xlwt
from openpyxl.utils import get_column_letter
from openpyxl.styles import Alignment, Border, Font, Side

BINARY = os.environ["TABULO_BINARY"]
SOURCE_DIR = os.environ["TABULO_SOURCE_DIR"]
CORPUS_DIR = os.environ["TABULO_CORPUS_DIR"]
VERSION = os.environ.get("TABULO_VERSION", "")
EXAMPLE = os.path.join(SOURCE_DIR, "examples", "example.xlsx")

# The table reference's scale with the default output scale: a 12-point text
# (7.8 block units high) becomes 2.5 drawing units high.
DEFAULT_SCALE = 2.5 / 7.8
LOAD_ERROR = "Error occured when loading Tabulo table."

EXPORT_LINE = re.compile(
    r"^(?P<workbook>.+): table (?P<block>TabuloBk\d{3,}), id (?P<id>\d+), "
    r"handle (?P<handle>[0-9A-F]+), inserted at \((?P<at>[^)]*)\) in (?P<drawing>.+)$")
LIST_ROW = re.compile(
    r"^\s*(?P<id>\d+)\s+(?P<handle>[0-9A-F]+)\s+(?P<block>\S+)\s+\((?P<at>[^)]*)\)\s+"
    r"(?P<scale>\S+)\s+(?P<rows>\d+) x (?P<cols>\d+)$")


def corpus(name):
    return os.path.join(CORPUS_DIR, name)


# ---------------------------------------------------------------------------
# Spreadsheet units and colours

def column_pixels(width, mdw=7):
    """Pixels of a stored column width (characters incl. padding), as the spreadsheet rounds."""
    return int(((256 * width + int(128 / mdw)) / 256) * mdw)


def column_points(width):
    return column_pixels(width) * 0.75


# The spreadsheet's default palette, ColorIndex 1..56 (file index 8..63).
PALETTE = (
    "000000 FFFFFF FF0000 00FF00 0000FF FFFF00 FF00FF 00FFFF 800000 008000 000080 808000 "
    "800080 008080 C0C0C0 808080 9999FF 993366 FFFFCC CCFFFF 660066 FF8080 0066CC CCCCFF "
    "000080 FF00FF FFFF00 00FFFF 800080 800000 008080 0000FF 00CCFF CCFFFF CCFFCC FFFF99 "
    "99CCFF FF99CC CC99FF FFCC99 3366FF 33CCCC 99CC00 FFCC00 FF9900 FF6600 666699 969696 "
    "003366 339966 003300 333300 993300 993366 333399 333333").split()
EGA = "000000 FFFFFF FF0000 00FF00 0000FF FFFF00 FF00FF 00FFFF".split()


def rgb_of(color):
    """RGB hex of an openpyxl colour, or None for automatic/theme colours."""
    if color is None:
        return None
    if color.type == "rgb" and isinstance(color.rgb, str):
        return color.rgb[-6:].upper()
    if color.type == "indexed":
        if color.indexed < 8:
            return EGA[color.indexed]
        if color.indexed < 64:
            return PALETTE[color.indexed - 8]
    return None


def displayed_text(cell):
    """The text the spreadsheet shows for the fixtures' values and number formats."""
    value, fmt = cell.value, cell.number_format
    if value is None:
        return ""
    if isinstance(value, str):
        return value
    if isinstance(value, (datetime.date, datetime.datetime)):
        assert fmt == "yyyy-mm-dd", fmt
        return value.strftime("%Y-%m-%d")
    if fmt == "#,##0.00":
        return f"{value:,.2f}"
    assert fmt == "General", fmt
    return str(int(value)) if float(value).is_integer() else repr(float(value))


def same_text(expected, loaded):
    """A loaded value shows `expected`: as text, or as the number the text spells."""
    if isinstance(loaded, str):
        return loaded == expected
    if isinstance(loaded, (int, float)):
        try:
            return float(expected.replace(",", "")) == loaded
        except ValueError:
            return False
    return False


def round_half_even(x):
    return int(round(x))


# ---------------------------------------------------------------------------
# Fixtures

KNOWN_WIDTHS = {"A": 10, "B": 15, "C": 8}
KNOWN_HEIGHTS = {1: 24, 2: 30, 3: 20}


def make_known_xlsx(path):
    """Three by three cells with known borders, merges and alignments (see KnownLayout)."""
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Known"
    for col, width in KNOWN_WIDTHS.items():
        ws.column_dimensions[col].width = width
    for row, height in KNOWN_HEIGHTS.items():
        ws.row_dimensions[row].height = height
    thin = Side(style="thin", color="FF000000")
    thick_blue = Side(style="thick", color="FF0000FF")
    thin_red = Side(style="thin", color="FFFF0000")
    small = Font(name="Arial", size=10)

    ws.merge_cells("A1:B1")
    ws["A1"] = "Title"
    ws["A1"].font = Font(name="Times New Roman", size=12, color="FFFF0000")
    ws["A1"].alignment = Alignment(horizontal="center", vertical="center")
    ws["C1"] = "R"
    ws["C1"].font = small
    ws["C1"].alignment = Alignment(horizontal="right", vertical="top")

    ws["A2"] = "Left top"
    ws["A2"].font = small
    ws["A2"].alignment = Alignment(horizontal="left", vertical="top", wrap_text=True)
    ws["A2"].border = Border(left=thin, right=thin, top=thin, bottom=thin)
    ws["B2"] = 12.5
    ws["B2"].font = small
    # Covered by A2's right edge: drawn once, by A2.
    ws["B2"].border = Border(left=thin, top=thick_blue)
    ws["C2"] = "ctr"
    ws["C2"].font = small
    ws["C2"].alignment = Alignment(horizontal="center", vertical="center")
    ws["C2"].border = Border(diagonal=thin, diagonalDown=True, diagonalUp=True)

    ws["A3"] = "bot"
    ws["A3"].font = small
    # The top edge is A2's bottom edge, drawn by A2.
    ws["A3"].border = Border(top=thin, right=thin_red)
    ws.merge_cells("B3:C3")
    ws["B3"] = "jus"
    ws["B3"].font = small
    ws["B3"].alignment = Alignment(horizontal="justify")
    ws["B3"].border = Border(diagonal=thin, diagonalDown=True)
    wb.save(path)


class KnownLayout:
    """Where the known workbook's lines and texts must land, in table-block units."""
    X = [0.0]
    for _col in "ABC":
        X.append(X[-1] + column_points(KNOWN_WIDTHS[_col]))
    Y = [0.0]
    for _row in (1, 2, 3):
        Y.append(Y[-1] - KNOWN_HEIGHTS[_row])
    X0, X1, X2, X3 = X
    Y0, Y1, Y2, Y3 = Y
    # Margins of a 10-point text: 0.30 and 0.36 of its height 6.5.
    MX, MY = 1.95, 2.34

    # In the order of the cell walk: per cell its lines, then its text.
    # ("LINE", start, end) / ("MTEXT", text, attachment, insertion, height, width)
    ENTITIES = [
        ("MTEXT", "Title", 5, (X2 / 2, Y1 / 2), 7.8, 0.0),
        ("MTEXT", "R", 3, (X3 - MX, Y0 - MY), 6.5, 0.0),
        ("LINE", (X0, Y1), (X1, Y1)),
        ("LINE", (X1, Y1), (X1, Y2)),
        ("LINE", (X1, Y2), (X0, Y2)),
        ("LINE", (X0, Y1), (X0, Y2)),
        ("MTEXT", "Left top", 1, (X0 + MX, Y1 - MY), 6.5, X1 - X0 - 2.4),
        ("LINE", (X1, Y1), (X2, Y1)),
        ("MTEXT", "12.5", 9, (X2 - MX, Y2 + MY), 6.5, 0.0),
        ("LINE", (X2, Y1), (X3, Y2)),
        ("LINE", (X3, Y1), (X2, Y2)),
        ("MTEXT", "ctr", 5, ((X2 + X3) / 2, (Y1 + Y2) / 2), 6.5, 0.0),
        ("LINE", (X1, Y2), (X1, Y3)),
        ("MTEXT", "bot", 7, (X0 + MX, Y3 + MY), 6.5, 0.0),
        ("LINE", (X1, Y2), (X3, Y3)),
        # Justified: no alignment row of its own, yet kept inside its cell by the
        # margins, so that a load finds it there.
        ("MTEXT", "jus", 7, (X1 + MX, Y3 + MY), 6.5, 0.0),
    ]
    MERGES = ["$A$1:$B$1", "$B$3:$C$3"]
    # Cell -> (text, horizontal, vertical) after a load.
    CELLS = {
        "A1": ("Title", "center", "center"),
        "C1": ("R", "right", "top"),
        "A2": ("Left top", "left", "top"),
        "B2": ("12.5", "right", "bottom"),
        "C2": ("ctr", "center", "center"),
        "A3": ("bot", "left", "bottom"),
        "B3": ("jus", "left", "bottom"),
    }
    # Edges of the grid after a load: ("h", i, col) is the line below row i,
    # ("v", row, j) the line right of column j; diagonals by their area's top-left cell.
    EDGES = {("h", 1, 1), ("h", 2, 1), ("v", 2, 0), ("v", 2, 1), ("h", 1, 2), ("v", 3, 1)}
    DIAGONALS = {("C2", "down"), ("C2", "up"), ("B3", "down")}


XLWT_WIDTHS = [256 * 12, 256 * 20]
XLWT_HEIGHTS = [25, 18, 18]


def make_xlwt_xls(path):
    wb = xlwt.Workbook()
    ws = wb.add_sheet("Plain")
    boxed = xlwt.easyxf("font: name Arial, height 200; "
                        "borders: left thin, right thin, top thin, bottom thin")
    centred = xlwt.easyxf("font: name Arial, height 200; align: horiz center; "
                          "borders: left thin, right thin, top thin, bottom thin")
    for c, width in enumerate(XLWT_WIDTHS):
        ws.col(c).width = width
    for r, height in enumerate(XLWT_HEIGHTS):
        ws.row(r).height_mismatch = True
        ws.row(r).height = height * 20
    ws.write(0, 0, "Head", boxed)
    ws.write(0, 1, "Value", boxed)
    ws.write_merge(1, 1, 0, 1, "Merged", centred)
    ws.write(2, 0, "pi", boxed)
    ws.write(2, 1, 3.25, boxed)
    wb.save(path)


# ---------------------------------------------------------------------------
# Drawings

def table_data(insert):
    """The table data of a table reference: [(group code, value), ...] from 1001 on."""
    return [(t.code, t.value) for t in insert.xdata.get("Tabulo")]


class TableData:
    """The table data split into its parts, with the grid edges the load builds."""

    def __init__(self, tags):
        self.tags = tags
        self.rows = tags[1][1]
        self.cols = tags[2][1]
        values = [v for _, v in tags[3:]]
        self.heights = values[:self.rows]
        self.char_widths = values[self.rows:self.rows + self.cols]
        self.point_widths = values[self.rows + self.cols:self.rows + 2 * self.cols]
        self.merges = values[self.rows + 2 * self.cols:-1]
        self.ratio = values[-1]
        # Running sums, one addition at a time, as the export and the load form them.
        self.x_edges = [0.0]
        for w in self.point_widths:
            self.x_edges.append(self.x_edges[-1] + w)
        self.y_edges = [0.0]
        for h in self.heights:
            self.y_edges.append(self.y_edges[-1] - h)

    def codes(self):
        return [c for c, _ in self.tags]


def read_dxf(path):
    return ezdxf.readfile(path)


def table_inserts(doc):
    return [e for e in doc.modelspace()
            if e.dxftype() == "INSERT" and e.has_xdata("Tabulo")]


def xy(vec):
    return (vec[0], vec[1])


def block_entities(doc, name):
    """The table block's entities in block order, as comparable tuples."""
    out = []
    for e in doc.blocks.get(name):
        if e.dxftype() == "LINE":
            out.append(("LINE", xy(e.dxf.start), xy(e.dxf.end)))
        elif e.dxftype() == "MTEXT":
            out.append(("MTEXT", e.text, e.dxf.attachment_point, xy(e.dxf.insert),
                        e.dxf.char_height, e.dxf.get("width", 0.0)))
        else:
            out.append((e.dxftype(),))
    return out


def dxf_records(path):
    """The drawing as records of (group code, value) tags, one record per 0 tag."""
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\n")
    lines = [line.rstrip("\r") for line in lines]
    records, current = [], []
    for i in range(0, len(lines) - 1, 2):
        code = int(lines[i].strip())
        if code == 0 and current:
            records.append(tuple(current))
            current = []
        current.append((code, lines[i + 1]))
    if current:
        records.append(tuple(current))
    return records


def record_change_allowed(before, after):
    """A record an export may rewrite: the header's handle seed, a table's entry count."""
    if len(before) != len(after):
        return False
    for k, (b, a) in enumerate(zip(before, after)):
        if b == a:
            continue
        if b[0] != a[0]:
            return False
        if before[0] == (0, "SECTION") and before[1][1].strip() == "HEADER":
            if before[k - 1] != (9, "$HANDSEED"):
                return False
        elif before[0][1] == "TABLE":
            if b[0] != 70:
                return False
        else:
            return False
    return True


def changed_records(before_path, after_path):
    """Records of `before_path` that `after_path` lost or changed beyond what is allowed."""
    before, after = dxf_records(before_path), dxf_records(after_path)
    lost = []
    matcher = difflib.SequenceMatcher(None, before, after, autojunk=False)
    for op, i1, i2, j1, j2 in matcher.get_opcodes():
        if op in ("equal", "insert"):
            continue
        if op == "replace" and i2 - i1 == j2 - j1 and all(
                record_change_allowed(before[i1 + k], after[j1 + k]) for k in range(i2 - i1)):
            continue
        lost.extend(before[i1:i2])
    return lost


def file_hashes(folder):
    """Every file under `folder` with the hash of its bytes."""
    hashes = {}
    for root, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                hashes[os.path.relpath(path, folder)] = hashlib.sha256(f.read()).hexdigest()
    return hashes


# ---------------------------------------------------------------------------
# Loaded workbooks

def row_height(ws, row):
    height = ws.row_dimensions[row].height if row in ws.row_dimensions else None
    return height if height is not None else ws.sheet_format.defaultRowHeight


def column_width_pixels(ws, letter):
    dim = ws.column_dimensions.get(letter)
    if dim is not None and dim.width:
        return column_pixels(dim.width)
    return 64


def cell_at(ws, row, col):
    """The cell if the sheet has it; unlike ws.cell, never adds one (nor grows max_row)."""
    return ws._cells.get((row, col))


def anchor_of(ws, row, col):
    """(row, col) of the top-left cell of the merged area holding the cell, or its own."""
    for area in ws.merged_cells.ranges:
        if area.min_row <= row <= area.max_row and area.min_col <= col <= area.max_col:
            return area.min_row, area.min_col
    return row, col


def grid_edges(ws, rows, cols, colours=False):
    """The set edges of the grid: a line between two cells from either side.

    The upper cell's bottom and the left cell's right win, as the export draws them.
    Edges inside a merged area are left out: they are not seen, and openpyxl itself
    rewrites the borders of merged cells when it reads a workbook.
    """
    def side(r, c, name):
        cell = cell_at(ws, r, c)
        s = getattr(cell.border, name) if cell is not None else None
        return s if s is not None and s.style else None

    edges = set()
    for i in range(rows + 1):
        for c in range(1, cols + 1):
            if i >= 1 and anchor_of(ws, i, c) == anchor_of(ws, i + 1, c):
                continue
            s = side(i, c, "bottom") or side(i + 1, c, "top")
            if s:
                edges.add(("h", i, c, rgb_of(s.color)) if colours else ("h", i, c))
    for r in range(1, rows + 1):
        for j in range(cols + 1):
            if j >= 1 and anchor_of(ws, r, j) == anchor_of(ws, r, j + 1):
                continue
            s = side(r, j, "right") or side(r, j + 1, "left")
            if s:
                edges.add(("v", r, j, rgb_of(s.color)) if colours else ("v", r, j))
    return edges


def diagonals(ws, rows, cols, anchors_only):
    """Diagonal borders by the top-left cell of their area."""
    found = set()
    for r in range(1, rows + 2):
        for c in range(1, cols + 2):
            cell = cell_at(ws, r, c)
            if cell is None:
                continue
            anchor = anchor_of(ws, r, c)
            if anchors_only and anchor != (r, c):
                continue
            b = cell.border
            if b.diagonal is not None and b.diagonal.style:
                name = get_column_letter(anchor[1]) + str(anchor[0])
                if b.diagonalDown:
                    found.add((name, "down"))
                if b.diagonalUp:
                    found.add((name, "up"))
    return found


def texts(ws, rows, cols):
    """Cells that hold a value, by coordinate."""
    found = {}
    for r in range(1, rows + 1):
        for c in range(1, cols + 1):
            cell = cell_at(ws, r, c)
            if cell is not None and cell.value not in (None, ""):
                found[cell.coordinate] = cell
    return found


# ---------------------------------------------------------------------------

class Run:
    def __init__(self, args, completed):
        self.args = args
        self.rc = completed.returncode
        self.out = completed.stdout
        self.err = completed.stderr

    def __str__(self):
        return (f"tabulo {' '.join(self.args)}\n  exit status {self.rc}\n"
                f"  stdout:\n{self.out}  stderr:\n{self.err}")


class TabuloCase(unittest.TestCase):
    maxDiff = None

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="tabulo-e2e-")
        self.addCleanup(shutil.rmtree, self.dir, ignore_errors=True)
        self.settings = self.path("settings.reg")

    def path(self, *names):
        return os.path.join(self.dir, *names)

    def env(self):
        env = dict(os.environ)
        env.update(TABULO_SETTINGS=self.settings, HOME=self.dir,
                   XDG_CONFIG_HOME=self.path("config"), LC_ALL="C")
        return env

    def tabulo(self, *args, rc=0, stdin=None):
        """Runs the command in the test's folder; fails showing its output unless it exits `rc`."""
        args = [str(a) for a in args]
        completed = subprocess.run([BINARY] + args, cwd=self.dir, env=self.env(),
                                   capture_output=True, text=True, timeout=60,
                                   stdin=subprocess.DEVNULL)
        run = Run(args, completed)
        if rc is not None:
            self.assertEqual(run.rc, rc, f"unexpected exit status\n{run}")
        return run

    def assertErrorLine(self, run, line):
        self.assertIn(line, run.err.splitlines(), f"missing error line {line!r}\n{run}")

    def export(self, workbook, drawing="out.dxf", *extra):
        """Exports and returns the printed table: block, id, handle, at."""
        run = self.tabulo("export", workbook, drawing, *extra)
        lines = run.out.splitlines()
        self.assertEqual(len(lines), 1, str(run))
        match = EXPORT_LINE.match(lines[0])
        self.assertIsNotNone(match, str(run))
        self.assertEqual(run.err, "", f"an export on a pipe prints nothing on stderr\n{run}")
        self.assertEqual(int(match["id"]), int(match["handle"], 16), str(run))
        return match.groupdict()

    def known_xlsx(self):
        path = self.path("known.xlsx")
        if not os.path.exists(path):
            make_known_xlsx(path)
        return path

    def write_settings(self, *values):
        with open(self.settings, "w") as f:
            f.write("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo]\n")
            f.write("".join(v + "\n" for v in values))

    def assertAuditClean(self, doc, what):
        auditor = doc.audit()
        self.assertEqual([e.message for e in auditor.errors], [], f"audit errors in {what}")
        self.assertEqual([f.message for f in auditor.fixes], [], f"audit fixes in {what}")

    def check_table(self, doc, insert, what):
        """What every exported table must satisfy, whatever the workbook."""
        name = insert.dxf.name
        self.assertRegex(name, r"^TabuloBk\d{3,}$")
        block = doc.blocks.get(name)
        self.assertIsNotNone(block, what)
        self.assertEqual(xy(block.block.dxf.base_point), (0.0, 0.0), what)
        for axis in ("xscale", "yscale", "zscale"):
            self.assertAlmostEqual(insert.dxf.get(axis), DEFAULT_SCALE, places=12, msg=what)
        self.assertEqual(insert.dxf.get("rotation", 0.0), 0.0, what)

        data = TableData(table_data(insert))
        n = 4 + data.rows + 2 * data.cols + len(data.merges)
        self.assertEqual(data.codes(),
                         [1001, 1070, 1070] + [1040] * (data.rows + 2 * data.cols)
                         + [1000] * len(data.merges) + [1040], what)
        self.assertEqual(len(data.tags), n, what)
        self.assertEqual(data.tags[0][1], "Tabulo", what)
        for merged in data.merges:
            self.assertRegex(merged, r"^\$[A-Z]+\$\d+:\$[A-Z]+\$\d+$", what)
        self.assertAlmostEqual(data.ratio, data.char_widths[0] / data.point_widths[0],
                               places=12, msg=what)

        # The load finds lines by exact comparison with its running sums of the
        # table data's widths and heights: every end point must be a grid point.
        entities = block_entities(doc, name)
        self.assertTrue(entities, f"{what}: empty table block")
        for e in entities:
            self.assertIn(e[0], ("LINE", "MTEXT"), what)
            if e[0] == "LINE":
                for x, y in e[1:]:
                    self.assertIn(x, data.x_edges, f"{what}: line {e} off the grid")
                    self.assertIn(y, data.y_edges, f"{what}: line {e} off the grid")
            else:
                x, y = e[3]
                self.assertTrue(0 <= x <= data.x_edges[-1] and data.y_edges[-1] <= y <= 0,
                                f"{what}: text {e} outside the table")
        return data


# ---------------------------------------------------------------------------

class ExportTest(TabuloCase):
    """tabulo export on fixture workbooks, the drawing read back with ezdxf."""

    def test_known_workbook(self):
        table = self.export(self.known_xlsx())
        self.assertEqual(table["block"], "TabuloBk001")
        self.assertEqual(table["at"], "0, 0, 0")
        doc = read_dxf(self.path("out.dxf"))
        self.assertAuditClean(doc, "out.dxf")
        (insert,) = table_inserts(doc)
        self.assertEqual(insert.dxf.handle, table["handle"])
        self.assertEqual(tuple(insert.dxf.insert), (0.0, 0.0, 0.0))
        data = self.check_table(doc, insert, "known.xlsx")

        self.assertEqual((data.rows, data.cols), (3, 3))
        self.assertEqual(data.heights, [24.0, 30.0, 20.0])
        self.assertEqual(data.point_widths, [column_points(w) for w in KNOWN_WIDTHS.values()])
        for chars, width in zip(data.char_widths, KNOWN_WIDTHS.values()):
            self.assertAlmostEqual(chars, (column_pixels(width) - 5) / 7, delta=0.006)
        self.assertEqual(data.merges, KnownLayout.MERGES)

        entities = block_entities(doc, "TabuloBk001")
        self.assertEqual([e[0] for e in entities], [e[0] for e in KnownLayout.ENTITIES])
        for got, want in zip(entities, KnownLayout.ENTITIES):
            with self.subTest(entity=want):
                if want[0] == "LINE":
                    self.assertEqual(got, want)
                else:
                    self.assertEqual(got[1:3], want[1:3])
                    for g, w in zip(got[3] + got[4:], want[3] + want[4:]):
                        self.assertAlmostEqual(g, w, places=9)
        # By Layer colours: no entity carries a colour of its own.
        self.assertFalse([e for e in doc.blocks.get("TabuloBk001") if e.dxf.hasattr("color")])

    def test_bundled_example(self):
        table = self.export(EXAMPLE)
        doc = read_dxf(self.path("out.dxf"))
        self.assertAuditClean(doc, "out.dxf")
        (insert,) = table_inserts(doc)
        data = self.check_table(doc, insert, "example.xlsx")
        ws = openpyxl.load_workbook(EXAMPLE).active
        self.assertEqual((data.rows, data.cols), (ws.max_row, ws.max_column))
        self.assertEqual(data.merges, ["$A$1:$E$1", "$A$7:$C$7"])
        self.assertEqual(data.point_widths,
                         [column_points(ws.column_dimensions[c].width) for c in "ABCDE"])
        self.assertEqual(data.heights, [row_height(ws, r) for r in range(1, ws.max_row + 1)])

        # Every shown text once, as the spreadsheet displays it (number formats applied).
        shown = sorted(displayed_text(c) for c in texts(ws, ws.max_row, ws.max_column).values())
        entities = block_entities(doc, table["block"])
        self.assertEqual(sorted(e[1] for e in entities if e[0] == "MTEXT"), shown)
        self.assertIn("14.50", shown)
        self.assertIn("2026-03-02", shown)
        # The diagonal crossing out E6 runs from its top-left to its bottom-right corner.
        X, Y = data.x_edges, data.y_edges
        self.assertIn(("LINE", (X[4], Y[5]), (X[5], Y[6])), entities)

    def test_xlwt_xls(self):
        make_xlwt_xls(self.path("plain.xls"))
        table = self.export("plain.xls")
        doc = read_dxf(self.path("out.dxf"))
        self.assertAuditClean(doc, "out.dxf")
        (insert,) = table_inserts(doc)
        data = self.check_table(doc, insert, "plain.xls")
        self.assertEqual((data.rows, data.cols), (3, 2))
        self.assertEqual(data.heights, [float(h) for h in XLWT_HEIGHTS])
        self.assertEqual(data.point_widths, [column_points(w / 256) for w in XLWT_WIDTHS])
        self.assertEqual(data.merges, ["$A$2:$B$2"])
        entities = block_entities(doc, table["block"])
        mtexts = [e for e in entities if e[0] == "MTEXT"]
        self.assertEqual([e[1] for e in mtexts], ["Head", "Value", "Merged", "pi", "3.25"])
        X, Y = data.x_edges, data.y_edges
        merged = mtexts[2]
        self.assertEqual(merged[2], 8)  # centred, bottom: across the whole merged row
        self.assertAlmostEqual(merged[3][0], (X[0] + X[2]) / 2, places=9)
        self.assertAlmostEqual(merged[3][1], Y[2] + 2.34, places=9)  # 10 points: margin 2.34
        self.assertEqual(mtexts[4][2], 9)  # a General number goes right
        # Boxed cells, shared edges drawn once: 4 x 2 horizontal and 3 x 3 vertical
        # lines. xlwt gives every cell of the merged area the boxed style, so the
        # area's inner edge is drawn too.
        lines = [e for e in entities if e[0] == "LINE"]
        self.assertEqual(len(lines), len(set(lines)))
        self.assertEqual(len(lines), 4 * 2 + 3 * 3)

    def test_corpus_workbooks(self):
        cases = {
            # file: (rows, columns, merged areas, texts that must be there)
            "xlrd_xf_class_diag_align_fontcolours.xls": (7, 5, ["$C$4:$E$7"], ["MERGED"]),
            "poi_59264_all13_border_styles.xlsx": (14, 14, [], ["THIN", "SLANTED_DASH_DOT"]),
            "poi_59264_all13_border_styles.xls": (14, 14, [], ["THIN", "SLANTED_DASH_DOT"]),
            "phpss_stylesTest_diagonal_theme_colours.xlsx": (12, 6, None, []),
            "phpss_47_xlsfill_diagonals_fills.xls": (15, 7, None, []),
            "poi_apsme_form_merged_borders_wrap.xls": (59, 7, None, []),
        }
        for name, (rows, cols, merges, must_show) in cases.items():
            with self.subTest(workbook=name):
                drawing = name + ".dxf"
                table = self.export(corpus(name), drawing)
                doc = read_dxf(self.path(drawing))
                self.assertAuditClean(doc, drawing)
                (insert,) = table_inserts(doc)
                data = self.check_table(doc, insert, name)
                self.assertEqual((data.rows, data.cols), (rows, cols))
                if merges is not None:
                    self.assertEqual(data.merges, merges)
                entities = block_entities(doc, table["block"])
                shown = [e[1] for e in entities if e[0] == "MTEXT"]
                for text in must_show:
                    self.assertIn(text, shown)
                # Loading it back succeeds and merges what the table data lists.
                out = name + ".xlsx"
                self.tabulo("load", drawing, "-o", out)
                ws = openpyxl.load_workbook(self.path(out)).active
                self.assertEqual(sorted(str(r) for r in ws.merged_cells.ranges),
                                 sorted(m.replace("$", "") for m in data.merges))

    def test_corpus_diagonals(self):
        # A15 rising only, B15 falling only, C15 both.
        self.export(corpus("phpss_47_xlsfill_diagonals_fills.xls"))
        doc = read_dxf(self.path("out.dxf"))
        data = TableData(table_data(table_inserts(doc)[0]))
        X, Y = data.x_edges, data.y_edges
        lines = {e[1:] for e in block_entities(doc, "TabuloBk001") if e[0] == "LINE"}
        rising = lambda c: ((X[c], Y[14]), (X[c - 1], Y[15]))  # noqa: E731
        falling = lambda c: ((X[c - 1], Y[14]), (X[c], Y[15]))  # noqa: E731
        self.assertIn(rising(1), lines)
        self.assertNotIn(falling(1), lines)
        self.assertIn(falling(2), lines)
        self.assertNotIn(rising(2), lines)
        self.assertIn(rising(3), lines)
        self.assertIn(falling(3), lines)

    def test_merged_text_centred_in_its_area(self):
        self.export(corpus("xlrd_xf_class_diag_align_fontcolours.xls"))
        doc = read_dxf(self.path("out.dxf"))
        data = TableData(table_data(table_inserts(doc)[0]))
        X, Y = data.x_edges, data.y_edges
        (text,) = [e for e in block_entities(doc, "TabuloBk001") if e[0] == "MTEXT"]
        self.assertEqual(text[1:3], ("MERGED", 5))  # C4:E7, centre/centre
        self.assertAlmostEqual(text[3][0], (X[2] + X[5]) / 2, places=9)
        self.assertAlmostEqual(text[3][1], (Y[3] + Y[7]) / 2, places=9)

    def test_progress_bar_on_a_terminal(self):
        try:
            controller, terminal = pty.openpty()
        except OSError as e:
            self.skipTest(f"no pseudo-terminal: {e}")
        self.addCleanup(os.close, controller)
        proc = subprocess.Popen([BINARY, "export", EXAMPLE, "out.dxf"], cwd=self.dir,
                                env=self.env(), stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=terminal)
        os.close(terminal)
        shown = b""
        while True:
            try:
                chunk = os.read(controller, 4096)
            except OSError:  # the terminal closed with the command
                break
            if not chunk:
                break
            shown += chunk
        proc.stdout.read()
        proc.stdout.close()
        self.assertEqual(proc.wait(timeout=60), 0, shown)
        self.assertIn(b"Exporting [", shown)
        self.assertIn(b"100%", shown)


class DrawingTest(TabuloCase):
    """Where the table goes in the drawing, and what else the drawing keeps."""

    def test_insertion_point(self):
        table = self.export(self.known_xlsx(), "out.dxf", "--at", "10.5,-20,3")
        self.assertEqual(table["at"], "10.5, -20, 3")
        (insert,) = table_inserts(read_dxf(self.path("out.dxf")))
        self.assertEqual(tuple(insert.dxf.insert), (10.5, -20.0, 3.0))

    def test_second_export_keeps_the_first(self):
        first = self.export(self.known_xlsx())
        shutil.copy(self.path("out.dxf"), self.path("before.dxf"))
        second = self.export(EXAMPLE, "out.dxf", "--at=500,0,0")
        self.assertEqual((first["block"], second["block"]), ("TabuloBk001", "TabuloBk002"))
        self.assertNotEqual(first["id"], second["id"])
        self.assertEqual(changed_records(self.path("before.dxf"), self.path("out.dxf")), [])
        doc = read_dxf(self.path("out.dxf"))
        self.assertAuditClean(doc, "out.dxf")
        inserts = table_inserts(doc)
        self.assertEqual([i.dxf.name for i in inserts], ["TabuloBk001", "TabuloBk002"])
        self.check_table(doc, inserts[0], "first table")
        self.check_table(doc, inserts[1], "second table")

    def test_export_into_a_corpus_drawing(self):
        for name in ("acadsharp_sample_R2000_AC1015.dxf", "acadsharp_xdata_R2018_AC1032.dxf"):
            with self.subTest(drawing=name):
                shutil.copyfile(corpus(name), self.path(name))
                os.chmod(self.path(name), 0o644)
                self.assertEqual(self.tabulo("list", name).out, f"{name} holds no table.\n")
                table = self.export(self.known_xlsx(), name, "--at", "1000,2000,0")
                self.assertEqual(table["block"], "TabuloBk001")
                self.assertEqual(changed_records(corpus(name), self.path(name)), [])
                doc = read_dxf(self.path(name))
                self.assertEqual(doc.dxfversion, read_dxf(corpus(name)).dxfversion)
                self.assertAuditClean(doc, name)
                (insert,) = table_inserts(doc)
                self.assertEqual(insert.dxf.handle, table["handle"])
                self.check_table(doc, insert, name)
                # The only table of the drawing is loaded without choosing it.
                self.tabulo("load", name, "-o", name + ".xlsx")

    def test_settings_decide_scale_colours_and_fonts(self):
        red_line = ("LINE", (KnownLayout.X1, KnownLayout.Y2), (KnownLayout.X1, KnownLayout.Y3))
        blue_line = ("LINE", (KnownLayout.X1, KnownLayout.Y1), (KnownLayout.X2, KnownLayout.Y1))
        cases = [
            # settings file values, scale, colours from the workbook, font codes
            ([], DEFAULT_SCALE, False, False),
            (['"Output Scale"=hex:33,33,33,33,33,33,1f,40'], 1.0, False, False),
            (['"Output Scale"="7.8"', '"Color Mapping"=dword:00000005'],
             DEFAULT_SCALE, False, False),
            (['"Output Scale"=hex:00,00,00,00,00,00,13,40', '"Color Mapping"=dword:00000000',
              '"Font"=dword:00000000'], 4.75 / 7.8, True, True),
        ]
        for values, scale, colours, fonts in cases:
            with self.subTest(settings=values):
                self.write_settings(*values)
                if os.path.exists(self.path("out.dxf")):
                    os.remove(self.path("out.dxf"))
                table = self.export(self.known_xlsx())
                doc = read_dxf(self.path("out.dxf"))
                (insert,) = table_inserts(doc)
                for axis in ("xscale", "yscale", "zscale"):
                    self.assertAlmostEqual(insert.dxf.get(axis), scale, places=12)
                block = list(doc.blocks.get(table["block"]))
                coloured = [e for e in block if e.dxf.hasattr("color")]
                self.assertEqual(len(coloured), len(block) if colours else 0)
                if colours:
                    by_geometry = dict(zip(block_entities(doc, table["block"]), block))
                    self.assertEqual(by_geometry[red_line].dxf.color, 1)
                    self.assertEqual(by_geometry[blue_line].dxf.color, 5)
                contents = [e.text for e in block if e.dxftype() == "MTEXT"]
                self.assertEqual(contents[0], "\\fTimes New Roman;Title" if fonts else "Title")
                self.assertEqual(contents[1], "\\fArial;R" if fonts else "R")


class ListTest(TabuloCase):
    """tabulo list."""

    def test_lists_every_table(self):
        self.export(self.known_xlsx())
        self.export(EXAMPLE, "out.dxf", "--at", "100,50.5,0")
        run = self.tabulo("list", "out.dxf")
        lines = run.out.splitlines()
        self.assertEqual(lines[0].split(),
                         ["id", "handle", "block", "insertion", "point", "scale", "rows", "x",
                          "columns"])
        self.assertEqual(lines[-1], "(id: the reference's handle as an unsigned 32-bit number,"
                                    " for tabulo load --id)")
        rows = [LIST_ROW.match(line) for line in lines[1:-1]]
        self.assertTrue(all(rows), str(run))
        doc = read_dxf(self.path("out.dxf"))
        inserts = table_inserts(doc)
        self.assertEqual(len(rows), len(inserts), str(run))
        for row, insert in zip(rows, inserts):
            data = TableData(table_data(insert))
            self.assertEqual(row["handle"], insert.dxf.handle)
            self.assertEqual(int(row["id"]), int(insert.dxf.handle, 16))
            self.assertEqual(row["block"], insert.dxf.name)
            self.assertEqual([float(v) for v in row["at"].split(",")], list(insert.dxf.insert))
            self.assertAlmostEqual(float(row["scale"]), DEFAULT_SCALE, places=5)
            self.assertEqual((int(row["rows"]), int(row["cols"])), (data.rows, data.cols))
        self.assertEqual(rows[1]["at"], "100, 50.5, 0")
        self.assertEqual((rows[0]["rows"], rows[0]["cols"]), ("3", "3"))
        self.assertEqual((rows[1]["rows"], rows[1]["cols"]), ("7", "5"))

    def test_drawing_without_tables(self):
        doc = ezdxf.new("R2000")
        doc.blocks.new("PLAIN").add_circle((0, 0), 1)
        doc.modelspace().add_blockref("PLAIN", (5, 5))
        doc.modelspace().add_line((0, 0), (1, 1))
        doc.saveas(self.path("plain.dxf"))
        run = self.tabulo("list", "plain.dxf")
        self.assertEqual(run.out, "plain.dxf holds no table.\n")


class LoadTest(TabuloCase):
    """tabulo load, the workbook read back with openpyxl."""

    def test_known_workbook(self):
        self.export(self.known_xlsx())
        run = self.tabulo("load", "out.dxf", "-o", "loaded.xlsx")
        self.assertEqual(run.err, "", str(run))
        ws = openpyxl.load_workbook(self.path("loaded.xlsx")).active
        for row, height in KNOWN_HEIGHTS.items():
            self.assertEqual(row_height(ws, row), height, f"row {row}")
        for col, width in KNOWN_WIDTHS.items():
            self.assertEqual(column_width_pixels(ws, col), column_pixels(width), f"column {col}")
        self.assertEqual(sorted(str(r) for r in ws.merged_cells.ranges),
                         sorted(m.replace("$", "") for m in KnownLayout.MERGES))
        loaded = texts(ws, 4, 4)
        self.assertEqual(sorted(loaded), sorted(KnownLayout.CELLS))
        for coordinate, (text, horizontal, vertical) in KnownLayout.CELLS.items():
            with self.subTest(cell=coordinate):
                cell = loaded[coordinate]
                self.assertTrue(same_text(text, cell.value), cell.value)
                self.assertEqual(cell.alignment.horizontal, horizontal)
                self.assertEqual(cell.alignment.vertical or "bottom", vertical)
                self.assertEqual(cell.font.sz, 12 if coordinate == "A1" else 10)
        self.assertTrue(loaded["A2"].alignment.wrap_text)
        self.assertFalse(loaded["C2"].alignment.wrap_text)
        self.assertEqual(grid_edges(ws, 3, 3), KnownLayout.EDGES)
        self.assertEqual(diagonals(ws, 3, 3, anchors_only=False), KnownLayout.DIAGONALS)

    def test_choosing_the_table(self):
        known = self.export(self.known_xlsx())
        example = self.export(EXAMPLE, "out.dxf", "--at", "0,-500,0")
        cases = [
            (["--id", known["id"]], "Title"),
            (["--id", example["id"]], "Bracket assembly - parts list"),
            (["--handle", example["handle"]], "Bracket assembly - parts list"),
            (["--handle", known["handle"].lower()], "Title"),
            (["--block", "TabuloBk002"], "Bracket assembly - parts list"),
            (["--block", "tabulobk001"], "Title"),
        ]
        for i, (selector, a1) in enumerate(cases):
            with self.subTest(selector=selector):
                out = f"chosen{i}.xlsx"
                run = self.tabulo("load", "out.dxf", *selector, "-o", out)
                self.assertRegex(run.out, r"table id \d+ written to ")
                ws = openpyxl.load_workbook(self.path(out)).active
                self.assertEqual(ws["A1"].value, a1)

    def test_several_tables_need_a_choice(self):
        known = self.export(self.known_xlsx())
        example = self.export(EXAMPLE, "out.dxf", "--at", "0,-500,0")
        run = self.tabulo("load", "out.dxf", "-o", "loaded.xlsx", rc=1)
        self.assertIn("holds 2 tables; choose one with --id, --handle or --block", run.err)
        for table in (known, example):
            self.assertRegex(run.err, rf"\b{table['id']}\s+{table['handle']}\s+{table['block']}\b")
        self.assertFalse(os.path.exists(self.path("loaded.xlsx")))

    def test_block_inserted_twice_needs_an_id(self):
        self.export(self.known_xlsx())
        doc = read_dxf(self.path("out.dxf"))
        copy = table_inserts(doc)[0].copy()
        copy.dxf.insert = (0, -300, 0)
        doc.modelspace().add_entity(copy)
        doc.saveas(self.path("twice.dxf"))
        run = self.tabulo("load", "twice.dxf", "--block", "TabuloBk001", "-o", "x.xlsx", rc=1)
        self.assertIn('block "TabuloBk001" is inserted 2 times', run.err)
        self.assertFalse(os.path.exists(self.path("x.xlsx")))
        self.tabulo("load", "twice.dxf", "--handle", copy.dxf.handle, "-o", "x.xlsx")

    def test_output_replaced_only_with_force(self):
        self.export(self.known_xlsx())
        with open(self.path("loaded.xlsx"), "wb") as f:
            f.write(b"mine")
        run = self.tabulo("load", "out.dxf", "-o", "loaded.xlsx", rc=1)
        self.assertIn("'loaded.xlsx' exists; choose another name or add --force", run.err)
        with open(self.path("loaded.xlsx"), "rb") as f:
            self.assertEqual(f.read(), b"mine")
        self.tabulo("load", "out.dxf", "-o", "loaded.xlsx", "--force")
        self.assertEqual(openpyxl.load_workbook(self.path("loaded.xlsx")).active["A1"].value,
                         "Title")


class RoundTripTest(TabuloCase):
    """Workbook -> drawing -> workbook, compared cell by cell."""

    def round_trip(self, workbook, xls_settings):
        """Exports and loads back with the default settings or with colours and fonts
        from the workbook; returns the original and the loaded sheet."""
        mapping = "xls" if xls_settings else "layer"
        self.tabulo("options", "--color-mapping", mapping, "--font", mapping)
        drawing, back = f"{mapping}.dxf", f"{mapping}.xlsx"
        self.export(workbook, drawing)
        self.tabulo("load", drawing, "-o", back)
        return (openpyxl.load_workbook(workbook).active,
                openpyxl.load_workbook(self.path(back)).active)

    def compare(self, original, loaded, xls_settings):
        rows, cols = original.max_row, original.max_column
        self.assertEqual(sorted(str(r) for r in loaded.merged_cells.ranges),
                         sorted(str(r) for r in original.merged_cells.ranges))
        for c in range(1, cols + 1):
            letter = get_column_letter(c)
            self.assertEqual(column_width_pixels(loaded, letter),
                             column_width_pixels(original, letter), f"column {letter}")

        want, got = texts(original, rows, cols), texts(loaded, rows + 1, cols + 1)
        self.assertEqual(sorted(got), sorted(want))
        for coordinate, cell in want.items():
            with self.subTest(cell=coordinate):
                back = got[coordinate]
                self.assertTrue(same_text(displayed_text(cell), back.value),
                                f"{displayed_text(cell)!r} came back as {back.value!r}")
                self.assertEqual(back.font.sz, round_half_even(cell.font.sz))
                self.assertEqual(bool(back.alignment.wrap_text), bool(cell.alignment.wrap_text))
                if xls_settings:
                    self.assertEqual(back.font.name, cell.font.name)
                    self.assertEqual(rgb_of(back.font.color), rgb_of(cell.font.color) or "000000")

        self.assertEqual(grid_edges(loaded, rows, cols, colours=xls_settings),
                         grid_edges(original, rows, cols, colours=xls_settings))
        self.assertEqual(diagonals(loaded, rows, cols, anchors_only=False),
                         diagonals(original, rows, cols, anchors_only=True))

    def test_known_workbook(self):
        for xls_settings in (False, True):
            with self.subTest(xls_settings=xls_settings):
                original, loaded = self.round_trip(self.known_xlsx(), xls_settings)
                self.compare(original, loaded, xls_settings)
                for r in range(1, original.max_row + 1):
                    self.assertEqual(row_height(loaded, r), row_height(original, r), f"row {r}")

    def test_bundled_example(self):
        for xls_settings in (False, True):
            with self.subTest(xls_settings=xls_settings):
                original, loaded = self.round_trip(EXAMPLE, xls_settings)
                self.compare(original, loaded, xls_settings)

    # libxlsxwriter drops a row height equal to its own default of 15 points.
    def test_rows_of_15_points_keep_their_height(self):
        original, loaded = self.round_trip(EXAMPLE, False)
        self.assertEqual([row_height(loaded, r) for r in range(1, original.max_row + 1)],
                         [row_height(original, r) for r in range(1, original.max_row + 1)])


class FailureTest(TabuloCase):
    """Every failure exits 1 with its message and leaves every file as it was."""

    def prepare(self):
        """A folder with a settings file, a good drawing, a workbook, a drawing with
        other entities, and damaged copies."""
        self.tabulo("options")  # the settings file exists before the failures
        make_known_xlsx(self.path("known.xlsx"))
        self.table = self.export("known.xlsx", "good.dxf")
        doc = ezdxf.new("R2000")
        doc.blocks.new("PLAIN").add_circle((0, 0), 1)
        msp = doc.modelspace()
        self.line_id = int(msp.add_line((0, 0), (10, 10)).dxf.handle, 16)
        self.plain_id = int(msp.add_blockref("PLAIN", (5, 5)).dxf.handle, 16)
        doc.saveas(self.path("other.dxf"))
        self.export("known.xlsx", "other.dxf")

        with open(self.path("good.dxf"), "rb") as f:
            dxf = f.read()
        with open(self.path("cut.dxf"), "wb") as f:
            f.write(dxf[:len(dxf) // 2])
        with open(self.path("noise.dxf"), "wb") as f:
            f.write(bytes(range(256)) * 8)
        with open(self.path("known.xlsx"), "rb") as f:
            xlsx = f.read()
        with open(self.path("cut.xlsx"), "wb") as f:
            f.write(xlsx[:len(xlsx) // 3])
        with open(self.path("noise.xls"), "wb") as f:
            f.write(b"\xd0\xcf\x11\xe0 not really a compound file" * 40)
        with open(self.path("text.xlsx"), "w") as f:
            f.write("a,b,c\n1,2,3\n")
        make_xlwt_xls(self.path("plain.xls"))
        with open(self.path("plain.xls"), "rb") as f:
            xls = f.read()
        with open(self.path("cut.xls"), "wb") as f:
            f.write(xls[:1536])
        with open(self.path("a-file"), "w") as f:
            f.write("not a folder\n")
        os.mkdir(self.path("folder.dxf"))

    def check_failure(self, args, rc, lines=(), contains=()):
        before = file_hashes(self.dir)
        run = self.tabulo(*args, rc=rc)
        for line in lines:
            self.assertErrorLine(run, line)
        for text in contains:
            self.assertIn(text, run.err, str(run))
        self.assertEqual(run.out, "", str(run))
        self.assertEqual(file_hashes(self.dir), before, f"files changed\n{run}")
        return run

    def test_failed_exports(self):
        self.prepare()
        wb = self.path("missing.xlsx")
        cases = [
            (["export", "missing.xlsx", "good.dxf"],
             [f"tabulo export: Cannot open workbook '{wb}': the file does not exist."], []),
            (["export", "missing.xlsx", "new.dxf"], [], ["does not exist"]),
            (["export", "cut.xlsx", "good.dxf"], [], ["Cannot open workbook", "cut.xlsx"]),
            (["export", "noise.xls", "good.dxf"], [], ["Cannot open workbook", "noise.xls"]),
            (["export", "cut.xls", "good.dxf"], [], ["cut.xls"]),
            (["export", "text.xlsx", "good.dxf"], [],
             ["it is not an .xls, .xlsx or .ods workbook"]),
            (["export", corpus("poi_15556_protected_merged_grid_korean.xls"), "good.dxf"], [],
             ['the active sheet "2270-170-1"', "is protected with a password"]),
            (["export", corpus("phpss_issue2301_protected_552_merged.xlsx"), "good.dxf"], [],
             ['the active sheet "HS1-XYZ"', "is protected with a password"]),
            (["export", corpus("phpss_30templatebiff5_invoice_BIFF5.xls"), "good.dxf"], [],
             ["Excel 5.0/95 format"]),
            (["export", "known.xlsx", "cut.dxf"], [], ["cut.dxf", "damaged"]),
            (["export", "known.xlsx", "noise.dxf"], [], ["noise.dxf"]),
            (["export", "known.xlsx", "folder.dxf"], [], ["folder.dxf", "it is a folder"]),
            (["export", "known.xlsx", "no-folder/new.dxf"], [], ["no-folder"]),
            (["export", "known.xlsx", "a-file/new.dxf"], [], ["a-file"]),
        ]
        for args, lines, contains in cases:
            with self.subTest(args=args):
                self.check_failure(args, 1, lines, contains)

    def test_table_data_too_large(self):
        # 2000 row heights do not fit in the 16 KiB of extended data an entity may carry.
        self.prepare()
        wb = openpyxl.Workbook()
        for r in range(1, 2001):
            wb.active.cell(row=r, column=1, value=r)
        wb.save(self.path("tall.xlsx"))
        for drawing in ("good.dxf", "new.dxf"):
            with self.subTest(drawing=drawing):
                run = self.check_failure(["export", "tall.xlsx", drawing], 1)
                lines = run.err.splitlines()
                self.assertEqual(lines[:2], ["Error occured when attaching data.",
                                             "Error occured when exporting to AutoCAD."], str(run))
                self.assertIn("a table of 2000 rows and 1 columns needs at least", lines[2])
                self.assertIn("more than the 16383 bytes a drawing entity may carry", lines[2])

    def test_failed_loads(self):
        self.prepare()
        cases = [
            (["load", "good.dxf", "--id", "12345", "-o", "x.xlsx"],
             ["Can't find the Block(Id:12345)"]),
            (["load", "good.dxf", "--id", "4294967295", "-o", "x.xlsx"],
             ["Can't find the Block(Id:4294967295)"]),
            (["load", "good.dxf", "--handle", "FFFF", "-o", "x.xlsx"],
             ["Can't find the Block(Id:65535)"]),
            (["load", "other.dxf", "--id", str(self.line_id), "-o", "x.xlsx"], [LOAD_ERROR]),
            (["load", "other.dxf", "--id", str(self.plain_id), "-o", "x.xlsx"], [LOAD_ERROR]),
            (["load", "good.dxf", "--block", "TabuloBk009", "-o", "x.xlsx"], []),
            (["load", "good.dxf", "-o", "known.xlsx"], []),
            (["load", "good.dxf", "-o", "good.dxf", "--force"], []),
            (["load", "good.dxf", "-o", "./good.dxf"], []),
            (["load", "good.dxf", "-o", "folder.dxf", "--force"], []),
            (["load", "good.dxf", "-o", "no-folder/x.xlsx"], []),
            (["load", "good.dxf", "-o", "a-file/x.xlsx"], []),
            (["load", "missing.dxf", "-o", "x.xlsx"], []),
            (["load", "cut.dxf", "-o", "x.xlsx"], []),
            (["load", "noise.dxf", "-o", "x.xlsx"], []),
            (["list", "cut.dxf"], []),
            (["list", "noise.dxf"], []),
            (["list", "missing.dxf"], []),
        ]
        for args, lines in cases:
            with self.subTest(args=args):
                self.check_failure(args, 1, lines)

    def test_read_only_files_are_refused_and_permissions_kept(self):
        self.prepare()
        os.chmod(self.path("good.dxf"), 0o444)
        self.addCleanup(os.chmod, self.path("good.dxf"), 0o644)
        self.check_failure(["export", "known.xlsx", "good.dxf"], 1, [], ["read-only"])
        shutil.copy(self.path("known.xlsx"), self.path("kept.xlsx"))
        os.chmod(self.path("kept.xlsx"), 0o444)
        self.addCleanup(os.chmod, self.path("kept.xlsx"), 0o644)
        self.check_failure(["load", "good.dxf", "-o", "kept.xlsx", "--force"], 1, [],
                           ["read-only"])
        # A replaced file keeps who may read and write it.
        shutil.copy(self.path("other.dxf"), self.path("private.dxf"))
        os.chmod(self.path("private.dxf"), 0o640)
        self.export("known.xlsx", "private.dxf")
        self.assertEqual(os.stat(self.path("private.dxf")).st_mode & 0o777, 0o640)

    @unittest.skipIf(os.geteuid() == 0, "root writes into read-only folders")
    def test_read_only_folder(self):
        self.prepare()
        os.mkdir(self.path("locked"))
        shutil.copy(self.path("good.dxf"), self.path("locked", "good.dxf"))
        os.chmod(self.path("locked"), 0o555)
        self.addCleanup(os.chmod, self.path("locked"), 0o755)
        self.check_failure(["load", "good.dxf", "-o", "locked/x.xlsx"], 1)
        self.check_failure(["export", "known.xlsx", "locked/good.dxf"], 1)
        self.check_failure(["export", "known.xlsx", "locked/new.dxf"], 1)

    def test_usage_errors(self):
        self.prepare()
        cases = [
            [],
            ["frobnicate"],
            ["export"],
            ["export", "known.xlsx"],
            ["export", "known.xlsx", "good.dxf", "extra.dxf"],
            ["export", "known.xlsx", "new.dxf", "--bogus"],
            ["export", "known.xlsx", "new.dxf", "--at"],
            ["export", "known.xlsx", "new.dxf", "--at", "1,2"],
            ["export", "known.xlsx", "new.dxf", "--at", "1,2,3,4"],
            ["export", "known.xlsx", "new.dxf", "--at", "1,,3"],
            ["export", "known.xlsx", "new.dxf", "--at", "1,2,x"],
            ["export", "known.xlsx", "new.dxf", "--at", "1,2,nan"],
            ["export", "known.xlsx", "new.dxf", "--at", "1e999,0,0"],
            ["load", "good.dxf"],
            ["load", "-o", "x.xlsx"],
            ["load", "good.dxf", "-o", "x.xlsx", "--id", "abc"],
            ["load", "good.dxf", "-o", "x.xlsx", "--id", "-3"],
            ["load", "good.dxf", "-o", "x.xlsx", "--id", "4294967296"],
            ["load", "good.dxf", "-o", "x.xlsx", "--handle", "xyz"],
            ["load", "good.dxf", "-o", "x.xlsx", "--id", "1", "--block", "TabuloBk001"],
            ["list"],
            ["list", "good.dxf", "other.dxf"],
            ["options", "--color-mapping", "blue"],
            ["options", "--font"],
            ["options", "extra"],
            ["about", "extra"],
            ["help", "--bogus"],
        ]
        for args in cases:
            with self.subTest(args=args):
                before = file_hashes(self.dir)
                run = self.tabulo(*args, rc=2)
                self.assertEqual(run.out, "", str(run))
                self.assertIn("usage: tabulo", run.err, str(run))
                self.assertEqual(file_hashes(self.dir), before, str(run))


class OptionsTest(TabuloCase):
    """tabulo options, about, help, --help and --version."""

    SHOWN_DEFAULTS = ("Color Mapping: By Layer\n"
                      "Scale: 12 Point = 2.5 ACAD Unit\n"
                      "Font: By Layer\n")

    def settings_bytes(self):
        with open(self.settings, "rb") as f:
            return f.read()

    def test_show_and_change(self):
        self.assertEqual(self.tabulo("options").out, self.SHOWN_DEFAULTS)
        changed = ("Color Mapping: By XLS File\n"
                   "Scale: 12 Point = 4.75 ACAD Unit\n"
                   "Font: By XLS File\n")
        run = self.tabulo("options", "--color-mapping", "xls", "--scale", "4.75", "--font", "xls")
        self.assertEqual(run.out, changed)
        self.assertEqual(self.tabulo("options").out, changed)
        text = self.settings_bytes().decode()
        scale = ",".join(f"{b:02x}" for b in struct.pack("<d", 4.75))
        self.assertIn('"Color Mapping"=dword:00000000', text)
        self.assertIn(f'"Output Scale"=hex:{scale}', text)
        self.assertIn('"Font"=dword:00000000', text)

        run = self.tabulo("options", "--color-mapping", "layer")
        self.assertEqual(run.out, changed.replace("Color Mapping: By XLS File",
                                                  "Color Mapping: By Layer"))

    def test_invalid_scale_saves_nothing(self):
        self.tabulo("options", "--scale", "3")
        saved = self.settings_bytes()
        for args in (["--scale", "3,5"], ["--color-mapping", "xls", "--scale", "3,5"]):
            with self.subTest(args=args):
                run = self.tabulo("options", *args, rc=1)
                self.assertErrorLine(run, '"3,5" is not a valid real value.')
                self.assertEqual(self.settings_bytes(), saved)
        self.assertIn("Scale: 12 Point = 3 ACAD Unit", self.tabulo("options").out)

    def test_about(self):
        run = self.tabulo("about")
        self.assertEqual(run.out.splitlines()[0], "Tabulo")
        self.assertRegex(run.out.splitlines()[1], r"^Version \d+\.\d+")

    def test_help(self):
        run = self.tabulo("help")
        self.assertTrue(run.out.startswith("usage: tabulo COMMAND"), str(run))
        self.assertIn("no installation folder is recorded", run.out)
        self.write_settings('"Path"="/opt/tabulo"')
        run = self.tabulo("help")
        self.assertIn("Help: /opt/tabulo/Tabulo.chm (topic options.htm)", run.out)

    def test_help_on_every_subcommand(self):
        for command in ("export", "load", "list", "options", "about", "help"):
            for flag in ("--help", "-h"):
                with self.subTest(command=command, flag=flag):
                    run = self.tabulo(command, flag)
                    self.assertTrue(run.out.startswith(f"usage: tabulo {command}"), str(run))
                    self.assertEqual(run.err, "")
        for flag in ("--help", "-h"):
            run = self.tabulo(flag)
            self.assertTrue(run.out.startswith("usage: tabulo COMMAND"), str(run))
            for command in ("export", "load", "list", "options", "about", "help"):
                self.assertRegex(run.out, rf"\n  {command}\b")
        self.assertFalse(os.path.exists(self.settings), "--help touches no settings")

    def test_version(self):
        run = self.tabulo("--version")
        self.assertEqual(run.out, f"tabulo {VERSION}\n")


class LibreCadTest(TabuloCase):
    """The drawings the export writes open in LibreCAD: its dxf2pdf prints them.
    (A drawing it cannot read gets no PDF; it waits on an error dialog instead.)"""

    def printed(self, name):
        # dxf2pdf writes NAME.pdf into the working folder.
        subprocess.run(["xvfb-run", "-a", "librecad", "dxf2pdf", "-a", name + ".dxf"],
                       cwd=self.dir, capture_output=True, timeout=90,
                       stdin=subprocess.DEVNULL)
        pdf = self.path(name + ".pdf")
        return os.path.getsize(pdf) if os.path.exists(pdf) else 0

    @unittest.skipUnless(shutil.which("librecad") and shutil.which("xvfb-run"),
                         "LibreCAD or xvfb-run is not installed")
    def test_exported_drawings_open(self):
        self.export(EXAMPLE, "new.dxf")
        shutil.copyfile(corpus("acadsharp_xdata_R2018_AC1032.dxf"), self.path("r2018.dxf"))
        self.export(self.known_xlsx(), "r2018.dxf")
        for name in ("new", "r2018"):
            with self.subTest(drawing=name):
                self.assertGreater(self.printed(name), 1000)


if __name__ == "__main__":
    unittest.main()
