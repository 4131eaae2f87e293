"""A grown Protein standard-curve report (22 wavelengths, 10 standards, 500 samples) as
openpyxl and LibreOffice read it: every block where its rows and columns put it, the
moved table headings and print titles, and the office's own recalculated view."""

import csv
import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

import openpyxl

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", ""))
TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")

WAVELENGTHS = 22
STANDARDS = 10
SAMPLES = 500


def column(index):
    """1 -> A, 27 -> AA."""
    name = ""
    while index:
        index, rest = divmod(index - 1, 26)
        name = chr(ord("A") + rest) + name
    return name


def export_text():
    lines = ["1", "0", "1", "Large Bradford series", "4", "5", "00", str(STANDARDS), "0",
             str(WAVELENGTHS)]
    lines += [f"{400 + 12.5 * j:g}" for j in range(WAVELENGTHS)]
    lines += [f"{125 * k} 0.{100 + k:03d}" for k in range(STANDARDS)]
    lines += ["-18.7", "1523.4", "0.9991", str(SAMPLES)]
    for i in range(1, SAMPLES + 1):
        lines.append(f"{i:04d}")
        values = [f"{i}.{j:02d}" for j in range(1, WAVELENGTHS + 1)]
        lines.append(" ".join(values + [f"0.{i:03d}", f"{i}.5"]))
    return "\n".join(lines) + "\n"


class LargeProteinReportTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = Path(tempfile.mkdtemp(prefix="korvanta-protein-"))
        source = cls.work / "large.pro"
        source.write_text(export_text(), encoding="ascii")
        cls.report = cls.work / "large.xlsx"
        env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
        done = subprocess.run([str(BIN_DIR / "korvanta"), "convert", str(source), "-o",
                               str(cls.report), "-t", TEMPLATE_DIR, "--force"],
                              capture_output=True, text=True, env=env, timeout=300)
        assert done.returncode == 0, done.stderr

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def test_blocks_stand_where_the_layout_puts_them(self):
        sheet = openpyxl.load_workbook(self.report).active
        # Wavelength rows 11..32, "STD No." in row 34, standards 35..44, equation row 46,
        # table heading row 48, samples 49..548; the sample table runs from A to Z.
        self.assertEqual(sheet["A32"].value, "WL22")
        self.assertEqual(sheet["B32"].value, 662.5)
        self.assertEqual(sheet["A34"].value, "STD No.")
        self.assertEqual([sheet["A44"].value, sheet["B44"].value, sheet["C44"].value],
                         [10, 1125, 0.109])
        self.assertEqual(sheet["B46"].value, "CONC = 1523.4 * OD - 18.7")
        self.assertEqual(sheet["C46"].value, "(R = 0.9991)")
        headings = [sheet[f"{column(c)}48"].value for c in range(1, 27)]
        self.assertEqual(headings[2:24], [f"WL{j} OD Value" for j in range(1, 23)])
        self.assertEqual(headings[24:], ["OD Value", "Concentration"])
        last = [sheet[f"{column(c)}548"].value for c in range(1, 27)]
        self.assertEqual(last[:3], [500, "0500", 500.01])
        self.assertEqual(last[23:], [500.22, 0.5, 500.5])
        self.assertEqual(sheet.max_row, 548)
        self.assertEqual(sheet.print_title_rows, "$48:$48")

    def test_libreoffice_reads_the_grown_report(self):
        soffice = shutil.which("soffice")
        if soffice is None:
            self.skipTest("LibreOffice (soffice) is not installed")
        profile = (self.work / "profile").as_uri()
        done = subprocess.run([soffice, f"-env:UserInstallation={profile}", "--headless",
                               "--convert-to", "csv", "--outdir", str(self.work),
                               str(self.report)],
                              capture_output=True, text=True, timeout=600)
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(self.work / "large.csv", encoding="utf-8", newline="") as f:
            rows = list(csv.reader(f))
        self.assertEqual(len(rows), 548)
        self.assertEqual(rows[47][2], "WL1 OD Value")
        self.assertEqual(rows[47][25], "Concentration")
        self.assertEqual(rows[547][:3], ["500", "0500", "500.01"])
        self.assertEqual(rows[547][24:26], ["0.5", "500.5"])


if __name__ == "__main__":
    unittest.main()
