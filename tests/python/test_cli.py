"""The korvanta command: usage, exit status, messages and what it does to existing reports."""

import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", ""))
TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")

PHOTOMETRY = "4\n2\n0\nSeries\n1\n1\n0\n2\n260\n280\n1\n2\nS1\n0.5\n0.6\nS2\n0.7\n0.8\n"


def korvanta(*args, cwd=None):
    env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
    return subprocess.run([str(BIN_DIR / "korvanta"), *map(str, args)], cwd=cwd, env=env,
                          capture_output=True, text=True, timeout=120)


class UsageTest(unittest.TestCase):
    def test_help_and_version(self):
        for args in (["--help"], ["-h"], ["convert", "--help"]):
            done = korvanta(*args)
            self.assertEqual(done.returncode, 0, args)
            self.assertIn("korvanta convert [options] INPUT...", done.stdout)
        done = korvanta("--version")
        self.assertEqual(done.returncode, 0)
        self.assertRegex(done.stdout, r"^korvanta \d+\.\d+\.\d+\n$")

    def test_bad_usage_exits_2(self):
        for args in ([], ["frobnicate"], ["convert"], ["convert", "--bogus", "a.pht"],
                     ["convert", "a.pht", "-o"], ["convert", "a.pht", "b.pht", "-o", "x"],
                     ["convert", "a.pht", "-o", "x", "-d", "y"], ["convert", "--force=yes", "a"]):
            with self.subTest(args=args):
                done = korvanta(*args)
                self.assertEqual(done.returncode, 2)
                self.assertIn("korvanta --help", done.stderr)
                self.assertEqual(done.stdout, "")


class ConvertTest(unittest.TestCase):
    def setUp(self):
        self.dir = Path(tempfile.mkdtemp(prefix="korvanta-cli-"))
        self.addCleanup(shutil.rmtree, self.dir)
        self.input = self.dir / "plate.pht"
        self.input.write_text(PHOTOMETRY)

    def convert(self, *args):
        return korvanta("convert", "-t", TEMPLATE_DIR, *args)

    def test_report_beside_the_input_by_default(self):
        done = self.convert(self.input)
        self.assertEqual(done.returncode, 0, done.stderr)
        report = self.dir / "plate.xlsx"
        self.assertTrue(report.exists())
        self.assertIn(f"{self.input}: report written to {report}", done.stderr)

    def test_templates_beside_the_program_by_default(self):
        done = korvanta("convert", self.input)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertTrue((self.dir / "plate.xlsx").exists())

    def test_second_run_refuses_without_force_and_keeps_the_report(self):
        report = self.dir / "out.xlsx"
        self.assertEqual(self.convert(self.input, "-o", self.dir / "out").returncode, 0)
        first = report.read_bytes()
        os.utime(report, (0, 0))
        done = self.convert(self.input, "-o", self.dir / "out")
        self.assertEqual(done.returncode, 1)
        self.assertIn(f"{self.input}: {report} exists; use --force to replace it", done.stderr)
        self.assertEqual(report.read_bytes(), first)
        self.assertEqual(report.stat().st_mtime, 0)
        done = self.convert(self.input, "-o", report, "--force")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertNotEqual(report.stat().st_mtime, 0)

    def test_equal_input_gives_equal_bytes(self):
        self.assertEqual(self.convert(self.input, "-o", self.dir / "a.xlsx").returncode, 0)
        self.assertEqual(self.convert(self.input, "-o", self.dir / "b.xlsx").returncode, 0)
        self.assertEqual((self.dir / "a.xlsx").read_bytes(), (self.dir / "b.xlsx").read_bytes())

    def test_an_open_report_is_refused(self):
        report = self.dir / "open.xlsx"
        report.write_bytes(b"earlier")
        (self.dir / "~$open.xlsx").write_bytes(b"lock")
        done = self.convert(self.input, "-o", report, "--force")
        self.assertEqual(done.returncode, 1)
        self.assertIn(f"{self.input}: The same .xlsx file is already opened, please close it "
                      "first.", done.stderr)
        self.assertIn(f"(Lock file: {self.dir / '~$open.xlsx'})", done.stderr)
        self.assertEqual(report.read_bytes(), b"earlier")

    def test_failures_are_reported_per_input_and_the_others_converted(self):
        missing = self.dir / "missing.pht"
        wrong = self.dir / "notes.txt"
        wrong.write_text("x")
        out = self.dir / "out"
        done = self.convert(missing, wrong, self.input, "-d", out)
        self.assertEqual(done.returncode, 1)
        self.assertIn(f"{missing}: Can not open export file: {missing}", done.stderr)
        self.assertIn(f"{wrong}: Invalid file extension.", done.stderr)
        self.assertTrue((out / "plate.xlsx").exists())
        self.assertEqual(sorted(p.name for p in out.iterdir()), ["plate.xlsx"])

    def test_a_missing_template_is_named(self):
        templates = self.dir / "templates"
        templates.mkdir()
        done = korvanta("convert", "-t", templates, self.input)
        self.assertEqual(done.returncode, 1)
        self.assertIn(f"{self.input}: Can not find template file: {templates / 'photomet.xlsx'}",
                      done.stderr)
        self.assertFalse((self.dir / "plate.xlsx").exists())

    def test_a_folder_gives_its_export_files(self):
        batch = self.dir / "batch"
        batch.mkdir()
        for name in ("b.pht", "a.PHT"):
            (batch / name).write_text(PHOTOMETRY)
        (batch / "readme.txt").write_text("not an export")
        done = self.convert(batch, "-d", self.dir / "out")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(sorted(p.name for p in (self.dir / "out").iterdir()),
                         ["a.xlsx", "b.xlsx"])
        empty = self.dir / "empty"
        empty.mkdir()
        self.assertEqual(self.convert(empty).returncode, 1)

    def test_two_inputs_never_write_one_report(self):
        other = self.dir / "other"
        other.mkdir()
        (other / "plate.pht").write_text(PHOTOMETRY)
        done = self.convert(self.input, other / "plate.pht", "-d", self.dir / "out", "--force")
        self.assertEqual(done.returncode, 1)
        self.assertIn(f"{other / 'plate.pht'}: {self.dir / 'out' / 'plate.xlsx'} is the report of "
                      f"{self.input} in this run", done.stderr)

    def test_verbosity(self):
        truncated = self.dir / "short.pht"
        truncated.write_text(PHOTOMETRY[:40])
        normal = self.convert(truncated, "-o", self.dir / "n.xlsx")
        self.assertEqual(normal.returncode, 0, normal.stderr)
        self.assertIn(f"{truncated}: warning: ", normal.stderr)
        self.assertIn("ends early", normal.stderr)

        quiet = self.convert(truncated, "-o", self.dir / "q.xlsx", "-q")
        self.assertEqual((quiet.returncode, quiet.stderr), (0, ""))

        verbose = self.convert(self.input, "-o", self.dir / "v.xlsx", "-v")
        self.assertIn(f"{self.input}: Transforming...Please wait...", verbose.stderr)
        self.assertIn(f"{self.input}: Completed.", verbose.stderr)
        self.assertIn("Photometry, 2 samples, 2 wavelengths", verbose.stderr)


if __name__ == "__main__":
    unittest.main()
