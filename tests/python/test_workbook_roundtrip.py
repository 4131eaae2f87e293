"""The workbook engine's output read by office software we did not write.

The C++ test OfficeRoundTrip.* (test_workbook) writes workbooks into KORVANTA_ROUNDTRIP_DIR:
row operations on tests/data/workbook/report_template.xlsx (saved by LibreOffice), copies of
the pattern row inserted into a libxlsxwriter wavelength table, and a report grown from a
libxlsxwriter template. Here openpyxl reads them, LibreOffice converts them, and
LibreOffice itself repeats the row operations on the same template through UNO, for a
cell-by-cell comparison.

Environment: KORVANTA_BIN_DIR (build/bin; test_workbook lies in build/tests),
KORVANTA_TEST_DATA_DIR.
"""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

import openpyxl

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", "build/bin"))
DATA_DIR = Path(os.environ.get("KORVANTA_TEST_DATA_DIR", Path(__file__).parents[1] / "data"))
TEMPLATE = DATA_DIR / "workbook" / "report_template.xlsx"
OPERATIONS = ["insert_rows", "delete_rows", "insert_columns", "copy_rows"]

# The one place where the engine's rule for inserted copies and LibreOffice differ (see
# doc/engine-rules.md): LibreOffice pastes each copy of row 9 as the row read before the
# insertion, so in the copies (rows 9 and 10) references to the rows below keep their old
# addresses and name the wrong cells; the engine moves them with the cells, as the original
# row's own formulas (row 11) are moved.
WAVELENGTH_DIFFERENCES = {
    ("Sheet1", "B9"): ("=SUMIF($B$19:$B$82,A9,$C$19:$C$82)", "=SUMIF($B$21:$B$84,A9,$C$21:$C$84)"),
    ("Sheet1", "B10"): ("=SUMIF($B$20:$B$83,A10,$C$20:$C$83)",
                        "=SUMIF($B$21:$B$84,A10,$C$21:$C$84)"),
    ("Sheet1", "G9"): ("=MAX($C$19:$C$82*(A9>0))", "=MAX($C$21:$C$84*(A9>0))"),
    ("Sheet1", "G10"): ("=MAX($C$20:$C$83*(A10>0))", "=MAX($C$21:$C$84*(A10>0))"),
    ("Sheet1", "H9"): ("=SUM(Samples)+C10", "=SUM(Samples)+C12"),
    ("Sheet1", "H10"): ("=SUM(Samples)+C11", "=SUM(Samples)+C12"),
}


def test_executable():
    return Path(os.environ.get("KORVANTA_WORKBOOK_TEST", BIN_DIR.parent / "tests" / "test_workbook"))


def cell_map(path):
    """Every non-empty cell of every sheet, the merged ranges and the defined names."""
    book = openpyxl.load_workbook(path)
    cells = {}
    for sheet in book:
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is not None:
                    value = cell.value
                    if isinstance(value, str) and value.startswith("="):
                        # "Sheet1!#REF!" and "#REF!" are the same error.
                        value = re.sub(r"(?:'[^']*'|\w+)!#REF!", "#REF!", value)
                    if hasattr(value, "ref") and hasattr(value, "text"):  # an array formula
                        value = ("array", value.ref, value.text)
                    cells[(sheet.title, cell.coordinate)] = value
        cells[(sheet.title, "merged")] = sorted(str(r) for r in sheet.merged_cells.ranges)
    for name in book.defined_names.definedName:
        cells[("names", name.name)] = re.sub(r"(?:'[^']*'|\w+)!#REF!", "#REF!", name.attr_text)
    return cells


class LibreOfficeSession:
    """A headless LibreOffice of its own, driven through UNO."""

    def __init__(self, work):
        import uno  # noqa: F401  (python3-uno)
        self.uno = uno
        self.pipe = f"korvanta-engine-{os.getpid()}"
        self.process = subprocess.Popen(
            ["soffice", "--headless", "--invisible", "--norestore", "--nologo",
             f"-env:UserInstallation={(work / 'uno-profile').as_uri()}",
             f"--accept=pipe,name={self.pipe};urp;StarOffice.ComponentContext"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + 120
        while True:
            try:
                context = resolver.resolve(
                    f"uno:pipe,name={self.pipe};urp;StarOffice.ComponentContext")
                break
            except Exception:
                if time.monotonic() > deadline or self.process.poll() is not None:
                    self.close()
                    raise
                time.sleep(0.5)
        self.desktop = context.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", context)

    def prop(self, name, value):
        from com.sun.star.beans import PropertyValue
        p = PropertyValue()
        p.Name, p.Value = name, value
        return p

    def apply(self, operation, source, target):
        """The spreadsheet's own row operation on `source`, saved as .xlsx to `target`."""
        doc = self.desktop.loadComponentFromURL(source.as_uri(), "_blank", 0,
                                                (self.prop("Hidden", True),))
        sheet = doc.Sheets.getByName("Sheet1")
        controller = doc.getCurrentController()
        last_col = sheet.Columns.Count - 1

        def rows(first, last):
            return sheet.getCellRangeByPosition(0, first - 1, last_col, last - 1)

        def insert_two_copies(row):
            # One at a time, as Paste Special with "shift cells down" on the row does.
            controller.select(rows(row, row))
            copied = controller.getTransferable()
            for _ in range(2):
                sheet.Rows.insertByIndex(row - 1, 1)
                controller.select(rows(row, row))
                controller.insertTransferable(copied)

        if operation == "insert_rows":  # two copies of row 14 inserted at row 14
            insert_two_copies(14)
        elif operation == "delete_rows":  # rows 14 and 15
            sheet.Rows.removeByIndex(13, 2)
        elif operation == "insert_columns":  # one column at C
            sheet.Columns.insertByIndex(2, 1)
        elif operation == "insert_wavelength_rows":  # two copies of row 9 inserted at row 9
            insert_two_copies(9)
        elif operation == "copy_rows":  # row 14 pasted over rows 20 to 22
            controller.select(rows(14, 14))
            copied = controller.getTransferable()
            controller.select(rows(20, 22))
            controller.insertTransferable(copied)
        doc.storeToURL(target.as_uri(), (self.prop("FilterName", "Calc MS Excel 2007 XML"),))
        try:
            doc.close(True)
        except Exception:
            pass

    def close(self):
        try:
            self.desktop.terminate()
        except Exception:
            pass
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


class WorkbookRoundTripTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = Path(tempfile.mkdtemp(prefix="korvanta-engine-"))
        cls.out = cls.work / "out"
        environment = dict(os.environ, KORVANTA_ROUNDTRIP_DIR=str(cls.out))
        done = subprocess.run([str(test_executable()), "--gtest_filter=OfficeRoundTrip.*"],
                              env=environment, capture_output=True, text=True, timeout=300)
        if done.returncode != 0:
            raise AssertionError(done.stdout + done.stderr)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def test_openpyxl_reads_the_grown_report(self):
        book = openpyxl.load_workbook(self.out / "grown_report.xlsx")
        sheet = book.active
        self.assertEqual(sheet.title, "Sheet1")
        self.assertEqual(sheet["B1"].value, "sample.pht")
        self.assertEqual(sheet["B4"].value, "001")
        self.assertEqual(sheet["B4"].data_type, "s")
        for i in range(5):
            row = 14 + i
            self.assertEqual(sheet[f"A{row}"].value, i + 1)
            self.assertEqual(sheet[f"B{row}"].value, i + 0.5)
            self.assertEqual(sheet[f"B{row}"].data_type, "n")
            self.assertEqual(sheet[f"C{row}"].value, f"=B{row}*2")
            self.assertTrue(sheet[f"B{row}"].border.left.style, f"B{row} lost its border")
        self.assertEqual(sheet["C20"].value, "=SUM(C13:C19)")
        self.assertEqual([str(r) for r in sheet.merged_cells.ranges], ["A22:C22"])
        self.assertEqual(sheet["A22"].value, "Remarks")
        self.assertEqual(sheet.max_row, 22)

    def test_openpyxl_reads_every_row_operation(self):
        expected = {
            "insert_rows": {("Sheet1", "D16"): "=C16*$B$10", ("Sheet1", "C18"): "=SUM(C13:C17)",
                            ("Other", "A2"): "=SUM(Sheet1!C16:C18)"},
            "delete_rows": {("Sheet1", "C14"): "=SUM(C13:C13)", ("Sheet1", "D14"): "=#REF!",
                            ("Sheet1", "A16"): "Remarks"},
            "insert_columns": {("Sheet1", "E14"): "=D14*$B$10", ("Sheet1", "D16"): "=SUM(D13:D15)",
                               ("Other", "A3"): "=Sheet1!$B$10"},
            "copy_rows": {("Sheet1", "D21"): "=C21*$B$10", ("Sheet1", "A22"): 1},
        }
        for operation, cells in expected.items():
            with self.subTest(operation=operation):
                found = cell_map(self.out / f"lo_{operation}.xlsx")
                for key, value in cells.items():
                    self.assertEqual(found.get(key), value, key)

    def test_libreoffice_converts_every_output(self):
        soffice = shutil.which("soffice")
        if soffice is None:
            self.skipTest("LibreOffice (soffice) is not installed")
        outputs = sorted(self.out.glob("*.xlsx"))
        csv = self.work / "csv"
        done = subprocess.run([soffice, f"-env:UserInstallation={(self.work / 'profile').as_uri()}",
                               "--headless", "--convert-to", "csv", "--outdir", str(csv),
                               *map(str, outputs)], capture_output=True, text=True, timeout=600)
        self.assertEqual(done.returncode, 0, done.stderr)
        for output in outputs:
            with self.subTest(output=output.name):
                self.assertTrue((csv / (output.stem + ".csv")).exists(), done.stdout + done.stderr)
        # The grown table's formulas are computed afresh on loading: 2 * (0.5 + ... + 4.5).
        rows = (csv / "grown_report.csv").read_text(encoding="utf-8").splitlines()
        self.assertEqual(rows[17].split(",")[:3], ["5", "4.5", "9"])
        self.assertEqual(rows[19].split(",")[:3], ["Total", "", "25"])

    def test_row_operations_match_libreoffice(self):
        try:
            import uno  # noqa: F401
        except ImportError:
            self.skipTest("python3-uno is not installed")
        if shutil.which("soffice") is None:
            self.skipTest("LibreOffice (soffice) is not installed")
        cases = {operation: (TEMPLATE, {}) for operation in OPERATIONS}
        cases["insert_wavelength_rows"] = (self.out / "wavelength_template.xlsx",
                                           WAVELENGTH_DIFFERENCES)
        session = LibreOfficeSession(self.work)
        try:
            for operation, (template, known) in cases.items():
                with self.subTest(operation=operation):
                    source = self.work / f"template_{operation}.xlsx"
                    shutil.copy(template, source)
                    theirs = self.work / f"libreoffice_{operation}.xlsx"
                    session.apply(operation, source, theirs)
                    ours = cell_map(self.out / f"lo_{operation}.xlsx")
                    expected = cell_map(theirs)
                    differences = {key: (expected.get(key), ours.get(key))
                                   for key in set(ours) | set(expected)
                                   if ours.get(key) != expected.get(key)}
                    self.assertEqual(differences, known, "(LibreOffice, ours)")
        finally:
            session.close()


if __name__ == "__main__":
    unittest.main()
