"""LibreOffice opens every report the bundled examples give (slow: starts the office suite)."""

import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", ""))
TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")
SOURCE_DIR = Path(os.environ.get("KORVANTA_SOURCE_DIR", Path(__file__).parents[2]))


class OfficeOpensReportsTest(unittest.TestCase):
    def test_every_example_report_opens_in_libreoffice(self):
        examples = sorted(p for p in (SOURCE_DIR / "examples").iterdir() if p.is_file())
        self.assertTrue(examples, "no examples")
        soffice = shutil.which("soffice")
        if soffice is None:
            self.skipTest("LibreOffice (soffice) is not installed")
        with tempfile.TemporaryDirectory(prefix="korvanta-office-") as work:
            work = Path(work)
            reports = work / "reports"
            done = subprocess.run([str(BIN_DIR / "korvanta"), "convert", "-t", TEMPLATE_DIR,
                                   "-d", str(reports), "--force", *map(str, examples)],
                                  capture_output=True, text=True, timeout=300)
            self.assertEqual(done.returncode, 0, done.stderr)
            produced = sorted(reports.glob("*.xlsx"))
            self.assertEqual(len(produced), len(examples))
            # A profile of its own, so that a running office or another test does not interfere.
            profile = (work / "profile").as_uri()
            csv = work / "csv"
            done = subprocess.run([soffice, f"-env:UserInstallation={profile}", "--headless",
                                   "--convert-to", "csv", "--outdir", str(csv),
                                   *map(str, produced)],
                                  capture_output=True, text=True, timeout=600)
            self.assertEqual(done.returncode, 0, done.stderr)
            for example in examples:
                with self.subTest(example=example.name):
                    converted = csv / (example.stem + ".csv")
                    self.assertTrue(converted.exists(), done.stdout + done.stderr)
                    # Every report names its export file in B1.
                    text = converted.read_text(encoding="utf-8", errors="replace")
                    self.assertIn(example.name, text)


if __name__ == "__main__":
    unittest.main()
