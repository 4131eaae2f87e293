"""A folder of 200 mixed export files, ten of them broken, converted at once: every good file
gives its report, every broken one a clear error, and the reports do not depend on -j."""

import json
import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", ""))
TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")
SOURCE_DIR = Path(os.environ.get("KORVANTA_SOURCE_DIR", Path(__file__).resolve().parents[2]))
EXAMPLES = SOURCE_DIR / "examples"

GOOD_FILES = 190


def with_line(text, number, value):
    """`text` with its line `number` (from 1) replaced."""
    lines = text.splitlines()
    lines[number - 1] = value
    return "\n".join(lines) + "\n"


def make_batch(folder):
    """Writes the batch; returns the names of the good inputs and {broken input: error}."""
    examples = sorted(EXAMPLES.iterdir())
    good = []
    for i in range(GOOD_FILES):
        example = examples[i % len(examples)]
        name = f"{i:03d}_{example.name}"
        data = example.read_bytes()
        if i % 9 == 4:
            data = data[: len(data) // 2]  # ends early: still a report, with a warning
        (folder / name).write_bytes(data)
        good.append(name)

    broken = {}

    def text_of(name):
        return (EXAMPLES / name).read_text()

    if os.geteuid() != 0:
        empty = folder / "unreadable.pro"
        empty.write_bytes(b"")
        empty.chmod(0)
    else:  # root reads every file: a link to nothing stands in for the unreadable one
        (folder / "unreadable.pro").symlink_to(folder / "never-written.pro")
    broken["unreadable.pro"] = "Can not open export file: {path}"
    (folder / "unit2.od").write_text(with_line(text_of("od600_cells.od"), 12, "2"))
    broken["unit2.od"] = ('Unknown OD600 unit "2" on line 12: expected 0 (optical density) or 1 '
                          "(cell count).")
    (folder / "interval9.wsc").write_text(with_line(text_of("wlscan.wsc"), 11, "9"))
    broken["interval9.wsc"] = "Unknown sampling interval code 9 on line 11: expected 0 to 5."
    (folder / "x.pro").mkdir()
    broken["x.pro"] = "Can not open export file: {path}"
    (folder / "dangling.tsc").symlink_to(folder / "moved-away.tsc")
    broken["dangling.tsc"] = "Can not open export file: {path}"
    os.mkfifo(folder / "pipe.pht")
    broken["pipe.pht"] = "Can not open export file: {path}"
    (folder / "wavelengths.pht").write_text(with_line(text_of("photometry_dna_plate.pht"), 8,
                                                      "5000"))
    broken["wavelengths.pht"] = ("wavelengths.pht, line 8: wl_number is 5000, more than a report "
                                 "can hold (at most 1024).")
    (folder / "points.tsc").write_text(with_line(text_of("kinetics.tsc"), 13, "2000000"))
    broken["points.tsc"] = ("points.tsc, line 13: realmeasuredata is 2000000, more than a report "
                            "can hold (at most 1048563).")
    (folder / "longname.nuc").write_text(with_line(text_of("dnarna.nuc"), 4, "x" * 40000))
    broken["longname.nuc"] = ("longname.nuc, line 4: sample_name is longer than the 32,767 "
                              "characters a cell can hold.")
    (folder / "samples.con").write_text(with_line(text_of("concentration_k_factor.con"), 14,
                                                  "9999999"))
    broken["samples.con"] = "samples.con, line 14: sample_number is 9999999"

    # Not export files: passed over, not counted.
    (folder / "notes.txt").write_text("not an export")
    (folder / "data.pro.bak").write_bytes((EXAMPLES / "protein_uv.pro").read_bytes())
    return good, broken


class BatchTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = Path(tempfile.mkdtemp(prefix="korvanta-batch-"))
        cls.batch = cls.dir / "batch"
        cls.batch.mkdir()
        cls.good, cls.broken = make_batch(cls.batch)
        cls.runs = {jobs: cls.convert(jobs) for jobs in (1, 2)}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir)

    @classmethod
    def convert(cls, jobs):
        env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
        return subprocess.run(
            [str(BIN_DIR / "korvanta"), "convert", "-t", TEMPLATE_DIR, "-d",
             str(cls.dir / f"out{jobs}"), "-j", str(jobs), "--json", str(cls.batch)],
            env=env, capture_output=True, text=True, timeout=900)

    def test_good_files_give_reports_and_broken_ones_clear_errors(self):
        for jobs, done in self.runs.items():
            with self.subTest(jobs=jobs):
                self.assertEqual(done.returncode, 1)
                summary = json.loads(done.stdout)
                self.assertEqual((summary["converted"], summary["failed"]), (190, 10))
                self.assertEqual(len(summary["inputs"]), 200)
                by_name = {Path(e["input"]).name: e for e in summary["inputs"]}
                self.assertNotIn("notes.txt", by_name)
                self.assertNotIn("data.pro.bak", by_name)
                for name in self.good:
                    entry = by_name[name]
                    self.assertEqual(entry["status"], "converted", entry)
                    self.assertIsNone(entry["error"])
                for name, error in self.broken.items():
                    entry = by_name[name]
                    path = str(self.batch / name)
                    expected = error.format(path=path)
                    self.assertEqual(entry["status"], "failed", entry)
                    self.assertIsNone(entry["output"])
                    self.assertTrue(entry["error"].startswith(expected), entry["error"])
                    self.assertIn(f"{path}: {entry['error']}\n", done.stderr)
                self.assertTrue(done.stderr.endswith("190 converted, 10 failed\n"))
                reports = sorted(p.name for p in (self.dir / f"out{jobs}").iterdir())
                self.assertEqual(reports, sorted(Path(n).stem + ".xlsx" for n in self.good))

    def test_files_that_end_early_are_converted_with_a_warning(self):
        summary = json.loads(self.runs[2].stdout)
        numbers = {e["input"]: Path(e["input"]).name[:3] for e in summary["inputs"]}
        cut = [e for e in summary["inputs"]
               if numbers[e["input"]].isdigit() and int(numbers[e["input"]]) % 9 == 4]
        self.assertGreater(len(cut), 15)
        for entry in cut:
            self.assertEqual(entry["status"], "converted")
            self.assertTrue(any("ends early" in w for w in entry["warnings"]), entry)

    def test_two_jobs_give_the_bytes_of_one(self):
        for name in self.good:
            report = Path(name).stem + ".xlsx"
            with self.subTest(report=report):
                self.assertEqual((self.dir / "out2" / report).read_bytes(),
                                 (self.dir / "out1" / report).read_bytes())


if __name__ == "__main__":
    unittest.main()
