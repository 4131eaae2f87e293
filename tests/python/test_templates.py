"""Checks the generated template workbooks against what the report writers rely on.

Every template must have one active sheet "Sheet1"; a bold label beside every header cell
its writer fills; an empty, labelled B4; the table heading and pattern rows exactly where
the writer copies, inserts and deletes rows and columns; empty General (never Text) cells
wherever the writer puts a value, so typed numbers become numbers; A4 print setup one page
wide. The folder comes from KORVANTA_TEMPLATE_DIR.
"""

import os
import shutil
import subprocess
import tempfile
import unittest

import openpyxl

TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")


def cells(columns, row):
    return [f"{column}{row}" for column in columns]


def column_range(first, last):
    return [chr(code) for code in range(ord(first), ord(last) + 1)]


# For each template: the header rows whose B cell the writer fills, the rows besides 4 whose
# B cell is left to the user, the header cells the writer rewrites with a fixed text, the
# table heading row with its columns, the bordered pattern rows the writer copies (row ->
# last column), lists in the header's look (their heading rows, and the rows the writer
# fills label and value alike), extra value cells outside B, and the legend cell of the
# conditional formats with the pattern-row cells they mark.
TEMPLATES = {
    "brad.xlsx": {
        "header_rows": [1, 2, 3, 5, 6, 7, 8, 9, 10, 16],
        "fixed_texts": {"A7": "Dilution factor", "A13": "STD No."},
        "heading": (18, "E"),
        "pattern_rows": {19: "E"},
        "list_headings": {13: "C"},
        "list_rows": {11: "B", 14: "C"},
        "extra_values": ["C16", "A15"],
        "moved_columns_from": "D",
        "legend": "B15",
        "marked_cells": ["E19"],
    },
    "concentration.xlsx": {
        "header_rows": [1, 2, 3, 5, 6, 7, 8, 9, 10, 16],
        "fixed_texts": {"A7": "Dilution factor", "A13": "STD No."},
        "heading": (18, "E"),
        "pattern_rows": {19: "E"},
        "list_headings": {13: "C"},
        "list_rows": {11: "B", 14: "C"},
        "extra_values": ["C16", "A15"],
        "moved_columns_from": "D",
        "legend": "B15",
        "marked_cells": ["E19"],
    },
    "brad6.xlsx": {
        "header_rows": [1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12],
        "heading": (14, "F"),
        "pattern_rows": {15: "F"},
    },
    "brad6_2.xlsx": {
        "user_rows": [2],
        "header_rows": [1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17],
        "heading": (19, "J"),
        "pattern_rows": {20: "J"},
    },
    "dnarna.xlsx": {
        "header_rows": [1, 2, 3, 5, 6, 7, 8, 9, 10],
        "heading": (12, "I"),
        "pattern_rows": {13: "I"},
        "legend": "A11",
        "marked_cells": ["G13", "H13"],
    },
    "dnarna_dye.xlsx": {
        "header_rows": [1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14],
        "heading": (16, "L"),
        "pattern_rows": {17: "L"},
        "legend": "A15",
        "marked_cells": ["H17", "I17"],
    },
    "kinetics.xlsx": {
        "user_rows": [2],
        "header_rows": [1, 3, 5, 6, 7, 8, 9, 10, 11],
        "heading": (13, "B"),
        "pattern_rows": {14: "B"},
        "chart_area": True,
    },
    "tm.xlsx": {
        "user_rows": [2],
        "header_rows": [1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14],
        "heading": (16, "B"),
        "pattern_rows": {17: "B"},
        "chart_area": True,
    },
    "wlscan.xlsx": {
        "user_rows": [2],
        "header_rows": [1, 3, 5, 6, 7, 8, 9, 10, 11],
        "heading": (13, "B"),
        "pattern_rows": {14: "B"},
        "chart_area": True,
    },
    "od600.xlsx": {
        "user_rows": [2],
        "header_rows": [1, 3, 5, 6, 7, 8, 9, 10],
        "fixed_texts": {"A10": "Multiple"},
        "heading": (12, "D"),
        "pattern_rows": {13: "D"},
    },
    "OD600_OD.xlsx": {
        "user_rows": [2],
        "header_rows": [1, 3, 5, 6, 7, 8, 9, 10],
        "fixed_texts": {"A10": "Multiple"},
        "heading": (12, "C"),
        "pattern_rows": {13: "C"},
    },
    "photomet.xlsx": {
        "user_rows": [2],
        "header_rows": [1, 3, 5, 6, 7, 8],
        "heading": (11, "C"),
        "pattern_rows": {12: "C"},
        "list_rows": {9: "B"},
        "moved_columns_from": "C",
    },
}


def column_width(sheet, letter):
    """The width of a column, also when a <col> element covers a range of columns."""
    index = openpyxl.utils.column_index_from_string(letter)
    for dimension in sheet.column_dimensions.values():
        if dimension.min is not None and dimension.min <= index <= dimension.max:
            return dimension.width
    return None


def has_full_border(cell):
    border = cell.border
    return all(side is not None and side.style == "thin"
               for side in (border.left, border.right, border.top, border.bottom))


def is_decorated(cell):
    border = cell.border
    has_border = any(side is not None and side.style is not None
                     for side in (border.left, border.right, border.top, border.bottom))
    return has_border or cell.fill.fill_type is not None


class TemplateTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not TEMPLATE_DIR:
            raise unittest.SkipTest("KORVANTA_TEMPLATE_DIR is not set")
        cls.books = {}
        for name in TEMPLATES:
            cls.books[name] = openpyxl.load_workbook(os.path.join(TEMPLATE_DIR, name))

    def each(self, key=None):
        """The templates (those whose layout has `key`, when given) with their layouts."""
        return [(name, layout, self.books[name]) for name, layout in TEMPLATES.items()
                if key is None or layout.get(key)]

    def assert_receives_values(self, sheet, address):
        cell = sheet[address]
        self.assertIsNone(cell.value, f"{address} must be empty for the writer")
        self.assertTrue(cell.has_style, f"{address} must be a prepared cell")
        self.assertEqual(cell.number_format, "General", f"{address} must be General")

    def written_cells(self, layout):
        written = [f"B{row}" for row in layout["header_rows"]]
        for row, last in layout.get("list_rows", {}).items():
            written += cells(column_range("A", last), row)
        for row, last in layout["pattern_rows"].items():
            written += cells(column_range("A", last), row)
        return written + layout.get("extra_values", [])

    def test_one_active_sheet_named_sheet1(self):
        for name, layout, book in self.each():
            with self.subTest(template=name):
                self.assertEqual(book.sheetnames, ["Sheet1"])
                self.assertEqual(book.active.title, "Sheet1")

    def test_every_written_header_cell_has_a_bold_label(self):
        for name, layout, book in self.each():
            with self.subTest(template=name):
                sheet = book.active
                for row in layout["header_rows"]:
                    label = sheet[f"A{row}"]
                    self.assertIsInstance(label.value, str, f"A{row} needs a label")
                    self.assertTrue(label.value.strip(), f"A{row} needs a label")
                    self.assertTrue(label.font.b, f"A{row} must be bold")

    def test_fields_left_to_the_user_are_empty_and_labelled(self):
        # B4 (operator) everywhere, and B2 where the writer has no method to show.
        for name, layout, book in self.each():
            with self.subTest(template=name):
                sheet = book.active
                for row in [4] + layout.get("user_rows", []):
                    self.assertTrue(sheet[f"A{row}"].value, f"A{row} needs a label")
                    self.assertTrue(sheet[f"A{row}"].font.b)
                    self.assert_receives_values(sheet, f"B{row}")

    def test_cells_the_writer_fills_are_empty_general_cells(self):
        for name, layout, book in self.each():
            with self.subTest(template=name):
                sheet = book.active
                for address in self.written_cells(layout):
                    self.assert_receives_values(sheet, address)

    def test_texts_the_writer_rewrites_are_already_there(self):
        for name, layout, book in self.each():
            with self.subTest(template=name):
                sheet = book.active
                for address, text in layout.get("fixed_texts", {}).items():
                    self.assertEqual(sheet[address].value, text)
                    self.assertEqual(sheet[address].number_format, "General")

    def test_headings_stand_above_their_pattern_rows(self):
        for name, layout, book in self.each():
            with self.subTest(template=name):
                sheet = book.active
                row, last = layout["heading"]
                lists = layout.get("list_headings", {})
                for heading_row, last_column, rows_below in (
                        [(row, last, layout["pattern_rows"])]
                        + [(r, c, layout["list_rows"]) for r, c in lists.items()]):
                    for column in column_range("A", last_column):
                        cell = sheet[f"{column}{heading_row}"]
                        self.assertIsInstance(cell.value, str, f"{cell.coordinate} heading")
                        self.assertTrue(cell.font.b, f"{cell.coordinate} heading must be bold")
                        self.assertEqual(cell.number_format, "General")
                    self.assertEqual(rows_below.get(heading_row + 1), last_column)
                    after_last = chr(ord(last_column) + 1)
                    self.assertIsNone(sheet[f"{after_last}{heading_row}"].value)

    def test_pattern_rows_are_bordered(self):
        for name, layout, book in self.each():
            with self.subTest(template=name):
                sheet = book.active
                for row, last in layout["pattern_rows"].items():
                    for address in cells(column_range("A", last), row):
                        self.assertTrue(has_full_border(sheet[address]), f"{address} border")

    def test_nothing_below_the_sample_pattern_row(self):
        # The writers copy the last pattern row over the rows below it.
        for name, layout, book in self.each():
            with self.subTest(template=name):
                sheet = book.active
                self.assertEqual(sheet.max_row, max(layout["pattern_rows"]))

    def test_no_merged_cells(self):
        # Merges straddling copied, inserted or deleted rows and columns would grow oddly.
        for name, layout, book in self.each():
            with self.subTest(template=name):
                self.assertEqual(list(book.active.merged_cells.ranges), [])

    def test_column_left_of_an_insertion_carries_no_decoration_outside_tables(self):
        # Inserted columns take the format of the column to their left, row by row.
        for name, layout, book in self.each("moved_columns_from"):
            with self.subTest(template=name):
                sheet = book.active
                left = chr(ord(layout["moved_columns_from"]) - 1)
                table_rows = set(layout["pattern_rows"]) | {layout["heading"][0]}
                for row in range(1, sheet.max_row + 1):
                    if row in table_rows:
                        continue
                    cell = sheet[f"{left}{row}"]
                    self.assertFalse(is_decorated(cell), f"{cell.coordinate} would spread")

    def test_inserted_columns_keep_the_table_width(self):
        for name, layout, book in self.each("moved_columns_from"):
            with self.subTest(template=name):
                sheet = book.active
                left = chr(ord(layout["moved_columns_from"]) - 1)
                first_new = layout["moved_columns_from"]
                self.assertIsNotNone(column_width(sheet, left))
                self.assertEqual(column_width(sheet, left), column_width(sheet, first_new))

    def test_chart_area_right_of_the_header_is_free(self):
        for name, layout, book in self.each("chart_area"):
            with self.subTest(template=name):
                sheet = book.active
                for row in range(2, sheet.max_row + 1):
                    for column in range(4, 20):
                        self.assertIsNone(sheet.cell(row, column).value)

    def test_marks_sit_on_the_pattern_rows_and_the_legend_shows_their_look(self):
        for name, layout, book in self.each("legend"):
            with self.subTest(template=name):
                sheet = book.active
                marked = sorted(str(area.sqref) for area in sheet.conditional_formatting)
                self.assertEqual(marked, sorted(layout["marked_cells"]))
                for area in sheet.conditional_formatting:
                    for rule in area.rules:
                        self.assertEqual(rule.type, "expression")
                        # Texts such as "----" are never marked.
                        self.assertTrue(rule.formula[0].startswith("AND(ISNUMBER("), rule.formula)
                        # A solid fill of a conditional format is stated as its background.
                        fill = rule.dxf.fill.bgColor.rgb
                        legend = sheet[layout["legend"]]
                        self.assertEqual(legend.fill.fgColor.rgb[-6:], fill[-6:])
                        self.assertEqual(legend.font.color.rgb[-6:],
                                         rule.dxf.font.color.rgb[-6:])
                self.assertEqual(sheet[layout["legend"]].value, "Marked")
                self.assertTrue(sheet[layout["legend"]].offset(0, 1).value)

    def test_printed_pages_repeat_the_table_heading(self):
        for name, layout, book in self.each():
            with self.subTest(template=name):
                row = layout["heading"][0]
                self.assertEqual(book.active.print_title_rows, f"${row}:${row}")

    def test_print_setup_is_a4_one_page_wide(self):
        for name, layout, book in self.each():
            with self.subTest(template=name):
                sheet = book.active
                self.assertEqual(int(sheet.page_setup.paperSize), 9)
                self.assertTrue(sheet.sheet_properties.pageSetUpPr.fitToPage)
                # libxlsxwriter leaves out fitToWidth="1", the schema's default.
                self.assertIn(sheet.page_setup.fitToWidth, (None, 1, "1"))
                self.assertEqual(int(sheet.page_setup.fitToHeight), 0)
                self.assertIn(sheet.page_setup.orientation, ("portrait", "landscape"))


class OfficeOpenTest(unittest.TestCase):
    def test_libreoffice_reads_every_template(self):
        soffice = shutil.which("soffice")
        if not TEMPLATE_DIR or soffice is None:
            self.skipTest("needs KORVANTA_TEMPLATE_DIR and LibreOffice")
        with tempfile.TemporaryDirectory() as scratch:
            # A private profile, so that parallel test runs do not share LibreOffice's lock;
            # the CSV filter options ask for commas, quotes and UTF-8.
            profile = "file://" + os.path.join(scratch, "profile")
            paths = [os.path.join(TEMPLATE_DIR, name) for name in TEMPLATES]
            subprocess.run([soffice, f"-env:UserInstallation={profile}", "--headless",
                            "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76", "--outdir", scratch, *paths],
                           check=True, capture_output=True, timeout=300)
            for name in TEMPLATES:
                with self.subTest(template=name):
                    csv_path = os.path.join(scratch, os.path.splitext(name)[0] + ".csv")
                    with open(csv_path, encoding="utf-8") as csv_file:
                        first_line = csv_file.readline()
                    self.assertTrue(first_line.startswith("File name,"), first_line)


if __name__ == "__main__":
    unittest.main()
