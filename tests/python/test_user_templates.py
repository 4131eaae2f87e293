"""The user's own template folder: it overrides the installed templates file by file, and
`korvanta templates` shows and fills it."""

import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

import zipfile

import openpyxl

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", ""))
TEMPLATE_DIR = Path(os.environ.get("KORVANTA_TEMPLATE_DIR", ""))
EXAMPLES = Path(os.environ.get("KORVANTA_SOURCE_DIR", "")) / "examples"
MARKER = "Edited by the lab"


class UserTemplatesTest(unittest.TestCase):
    def setUp(self):
        self.dir = Path(tempfile.mkdtemp(prefix="korvanta-user-templates-"))
        self.addCleanup(shutil.rmtree, self.dir)
        self.own = self.dir / "data" / "korvanta" / "template"
        self.own.mkdir(parents=True)
        book = openpyxl.load_workbook(TEMPLATE_DIR / "photomet.xlsx")
        book.active["B4"] = MARKER
        book.save(self.own / "photomet.xlsx")

    def korvanta(self, *args):
        env = dict(os.environ, XDG_DATA_HOME=str(self.dir / "data"), HOME=str(self.dir))
        return subprocess.run([str(BIN_DIR / "korvanta"), *map(str, args)], env=env,
                              capture_output=True, text=True, timeout=120)

    def report_marker(self, example):
        report = self.dir / (example.stem + ".xlsx")
        done = self.korvanta("convert", "-o", report, example)
        self.assertEqual(done.returncode, 0, done.stderr)
        return openpyxl.load_workbook(report).active["B4"].value

    def test_the_users_template_lays_out_its_report_and_no_other(self):
        self.assertEqual(self.report_marker(EXAMPLES / "photometry_dna_plate.pht"), MARKER)
        self.assertIsNone(self.report_marker(EXAMPLES / "protein_bradford.pro"))

    def test_an_explicit_template_folder_overrides_the_users_folder(self):
        report = self.dir / "plate.xlsx"
        done = self.korvanta("convert", "-t", TEMPLATE_DIR, "-o", report,
                             EXAMPLES / "photometry_dna_plate.pht")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIsNone(openpyxl.load_workbook(report).active["B4"].value)

    def test_templates_lists_each_with_its_reports_and_the_file_used_now(self):
        done = self.korvanta("templates")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn(f"  user       {self.own}\n", done.stdout)
        self.assertIn("photomet.xlsx  (Photometry)\n"
                      f"    user       {self.own / 'photomet.xlsx'}\n", done.stdout)
        self.assertIn("brad.xlsx  (Protein standard curve, Protein K factor)\n"
                      f"    installed  {TEMPLATE_DIR / 'brad.xlsx'}\n", done.stdout)
        self.assertEqual(done.stdout.count(".xlsx  ("), 12)

    def test_copy_fills_the_users_folder_and_keeps_the_users_files(self):
        done = self.korvanta("templates", "--copy")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stdout, f"{self.own}\n")
        self.assertEqual(len(list(self.own.glob("*.xlsx"))), 12)
        self.assertNotIn("copied photomet.xlsx", done.stderr)
        self.assertEqual(openpyxl.load_workbook(self.own / "photomet.xlsx").active["B4"].value,
                         MARKER)
        again = self.korvanta("templates", "--copy")
        self.assertEqual((again.returncode, again.stderr), (0, ""))

    def test_a_broken_user_template_is_refused_naming_its_path(self):
        (self.own / "photomet.xlsx").write_bytes(b"not a workbook")
        report = self.dir / "plate.xlsx"
        done = self.korvanta("convert", "-o", report, EXAMPLES / "photometry_dna_plate.pht")
        self.assertEqual(done.returncode, 1)
        self.assertIn(str(self.own / "photomet.xlsx"), done.stderr)
        self.assertFalse(report.exists())

    def test_a_template_declaring_a_document_type_is_refused_and_nothing_written(self):
        # An "XML bomb": entities that expand into each other, used in a label of the sheet.
        template = self.own / "photomet.xlsx"
        with zipfile.ZipFile(TEMPLATE_DIR / "photomet.xlsx") as source:
            parts = {info.filename: source.read(info) for info in source.infolist()}
        strings = parts["xl/sharedStrings.xml"].decode("utf-8")
        root = strings.index("<sst")
        parts["xl/sharedStrings.xml"] = (
            strings[:root] + '<!DOCTYPE sst [<!ENTITY a "aaaa"><!ENTITY b "&a;&a;&a;&a;">]>' +
            strings[root:].replace("<t>File name</t>", "<t>&b;</t>")).encode("utf-8")
        with zipfile.ZipFile(template, "w") as out:
            for name, data in parts.items():
                out.writestr(name, data)
        report = self.dir / "plate.xlsx"
        done = self.korvanta("convert", "-o", report, EXAMPLES / "photometry_dna_plate.pht")
        self.assertEqual(done.returncode, 1)
        self.assertIn(f'The workbook "{template}" can not be opened: its part '
                      '"xl/sharedStrings.xml" declares a document type (<!DOCTYPE ...>), '
                      'which no part of a workbook may do.', done.stderr)
        self.assertEqual(sorted(p.name for p in self.dir.iterdir()), ["data"])


if __name__ == "__main__":
    unittest.main()
