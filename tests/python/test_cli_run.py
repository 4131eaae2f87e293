"""The korvanta command at work: the JSON summary, progress on a terminal, --open, inspect, and
the help, man page and completion agreeing with each other."""

import json
import os
import pty
import re
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", ""))
TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")
SOURCE_DIR = Path(os.environ.get("KORVANTA_SOURCE_DIR", Path(__file__).resolve().parents[2]))
EXAMPLES = SOURCE_DIR / "examples"
KORVANTA = str(BIN_DIR / "korvanta")

PHOTOMETRY = "4\n2\n0\nSeries\n1\n1\n0\n2\n260\n280\n1\n2\nS1\n0.5\n0.6\nS2\n0.7\n0.8\n"


def run(*args, env=None, **kwargs):
    full_env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
    full_env.update(env or {})
    return subprocess.run([KORVANTA, *map(str, args)], env=full_env, capture_output=True,
                          text=True, timeout=300, **kwargs)


class TempDirTest(unittest.TestCase):
    def setUp(self):
        self.dir = Path(tempfile.mkdtemp(prefix="korvanta-cli-run-"))
        self.addCleanup(shutil.rmtree, self.dir)


class JsonSummaryTest(TempDirTest):
    def test_one_object_per_input_in_their_order(self):
        short = self.dir / "short.pht"
        short.write_text(PHOTOMETRY[:40])
        missing = self.dir / "missing.tm"
        done = run("convert", "-t", TEMPLATE_DIR, "-d", self.dir / "out", "--json", "-j", "2",
                   EXAMPLES / "protein_uv.pro", missing, short, EXAMPLES / "kinetics.tsc")
        self.assertEqual(done.returncode, 1, done.stderr)
        summary = json.loads(done.stdout)
        self.assertEqual((summary["converted"], summary["failed"]), (3, 1))
        uv, gone, cut, kinetics = summary["inputs"]

        self.assertEqual(uv["input"], str(EXAMPLES / "protein_uv.pro"))
        self.assertEqual(uv["output"], str(self.dir / "out" / "protein_uv.xlsx"))
        self.assertEqual((uv["status"], uv["data_type"], uv["variant"]),
                         ("converted", "Protein", "Protein UV"))
        self.assertEqual(uv["counts"],
                         {"samples": 6, "standards": None, "wavelengths": 3, "points": None})
        self.assertEqual((uv["warnings"], uv["error"]), ([], None))
        self.assertIsInstance(uv["milliseconds"], int)

        self.assertEqual((gone["status"], gone["output"]), ("failed", None))
        self.assertEqual(gone["error"], f"Can not open export file: {missing}")
        self.assertEqual(gone["data_type"], "TM")

        self.assertEqual(cut["status"], "converted")
        self.assertEqual(len(cut["warnings"]), 1)
        self.assertIn("ends early", cut["warnings"][0])

        self.assertEqual(kinetics["counts"]["points"], 600)
        self.assertTrue(Path(kinetics["output"]).exists())

    def test_a_refused_replacement_is_a_failure_with_its_reason(self):
        report = self.dir / "r.xlsx"
        report.write_bytes(b"earlier")
        done = run("convert", "-t", TEMPLATE_DIR, "-o", report, "--json", EXAMPLES / "tm.tm")
        self.assertEqual(done.returncode, 1)
        entry = json.loads(done.stdout)["inputs"][0]
        self.assertEqual(entry["error"], f"{report} exists; use --force to replace it")
        self.assertEqual(entry["output"], None)
        self.assertEqual(report.read_bytes(), b"earlier")

    def test_stdout_holds_nothing_but_the_document(self):
        done = run("convert", "-t", TEMPLATE_DIR, "-d", self.dir, "--json", "-v",
                   EXAMPLES / "tm.tm")
        self.assertEqual(done.returncode, 0, done.stderr)
        json.loads(done.stdout)
        self.assertIn("TM, 141 points", done.stderr)
        self.assertTrue(done.stderr.endswith("1 converted, 0 failed\n"), done.stderr)


class ProgressTest(TempDirTest):
    def convert_on_terminal(self, *args):
        """Runs korvanta with stderr on a pseudo-terminal; returns its status and what it drew."""
        leader, follower = pty.openpty()
        env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000", TERM="xterm")
        process = subprocess.Popen([KORVANTA, "convert", "-t", TEMPLATE_DIR, *map(str, args)],
                                   stdout=subprocess.PIPE, stderr=follower, env=env)
        os.close(follower)
        drawn = b""
        while True:
            try:
                chunk = os.read(leader, 65536)
            except OSError:
                break
            if not chunk:
                break
            drawn += chunk
        process.communicate(timeout=300)
        os.close(leader)
        return process.returncode, drawn.decode("utf-8", "replace")

    def test_a_status_line_rewritten_in_place_then_a_closing_count(self):
        code, drawn = self.convert_on_terminal("-d", self.dir, "-j", "1", EXAMPLES / "tm.tm",
                                               EXAMPLES / "kinetics.tsc",
                                               self.dir / "missing.pro")
        self.assertEqual(code, 1)
        self.assertIn("\r\x1b[K0/3  tm.tm", drawn)
        self.assertIn("\r\x1b[K3/3  missing.pro", drawn)
        # Messages are written below a taken-away status line.
        self.assertIn("\r\x1b[K" + str(self.dir / "missing.pro") + ": Can not open", drawn)
        self.assertTrue(drawn.replace("\r\n", "\n").endswith("\r\x1b[K2 converted, 1 failed\n"),
                        repr(drawn[-200:]))

    def test_nothing_is_animated_when_stderr_is_no_terminal(self):
        done = run("convert", "-t", TEMPLATE_DIR, "-d", self.dir, EXAMPLES / "tm.tm",
                   EXAMPLES / "wlscan.wsc")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertNotIn("\r", done.stderr)
        self.assertNotIn("\x1b", done.stderr)
        self.assertTrue(done.stderr.endswith("\n2 converted, 0 failed\n"), done.stderr)

    def test_quiet_shows_neither_progress_nor_count(self):
        code, drawn = self.convert_on_terminal("-q", "-d", self.dir, EXAMPLES / "tm.tm")
        self.assertEqual((code, drawn), (0, ""))


class OpenTest(TempDirTest):
    def fake_opener(self, body):
        bin_dir = self.dir / "bin"
        bin_dir.mkdir(exist_ok=True)
        opener = bin_dir / "xdg-open"
        opener.write_text("#!/bin/sh\n" + body)
        opener.chmod(0o755)
        return str(bin_dir)

    def test_each_finished_report_is_handed_to_the_opener(self):
        record = self.dir / "opened.txt"
        path = self.fake_opener(f'echo "$1" >> "{record}"\necho noise\n')
        done = run("convert", "-t", TEMPLATE_DIR, "-d", self.dir / "out", "--open", "--json",
                   EXAMPLES / "tm.tm", EXAMPLES / "wlscan.wsc", self.dir / "missing.tsc",
                   env={"PATH": path + ":/usr/bin:/bin"})
        self.assertEqual(done.returncode, 1, done.stderr)
        json.loads(done.stdout)  # the opener's own output does not reach stdout
        self.assertEqual(sorted(record.read_text().split()),
                         [str(self.dir / "out" / "tm.xlsx"), str(self.dir / "out" / "wlscan.xlsx")])

    def test_an_opener_that_fails_is_a_warning_and_the_report_stays(self):
        path = self.fake_opener("exit 3\n")
        done = run("convert", "-t", TEMPLATE_DIR, "-d", self.dir, "--open", "--json",
                   EXAMPLES / "tm.tm", env={"PATH": path + ":/usr/bin:/bin"})
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("warning: the report could not be opened: xdg-open ended with status 3",
                      done.stderr)
        entry = json.loads(done.stdout)["inputs"][0]
        self.assertEqual(entry["status"], "converted")
        self.assertEqual(entry["warnings"],
                         ["the report could not be opened: xdg-open ended with status 3"])
        self.assertTrue((self.dir / "tm.xlsx").exists())

    def test_a_missing_opener_is_a_warning(self):
        empty = self.dir / "nothing"
        empty.mkdir()
        done = run("convert", "-t", TEMPLATE_DIR, "-d", self.dir, "--open", EXAMPLES / "tm.tm",
                   env={"PATH": str(empty)})
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn(f"{EXAMPLES / 'tm.tm'}: warning: the report could not be opened: xdg-open "
                      "could not be started: No such file or directory", done.stderr)


class RecursiveTest(TempDirTest):
    def test_subfolders_only_with_recursive(self):
        tree = self.dir / "tree"
        (tree / "week1").mkdir(parents=True)
        (tree / "a.pht").write_text(PHOTOMETRY)
        (tree / "week1" / "b.pht").write_text(PHOTOMETRY)
        flat = run("convert", "-t", TEMPLATE_DIR, "-d", self.dir / "flat", "--json", tree)
        self.assertEqual(flat.returncode, 0, flat.stderr)
        self.assertEqual([e["input"] for e in json.loads(flat.stdout)["inputs"]],
                         [str(tree / "a.pht")])
        deep = run("convert", "-t", TEMPLATE_DIR, "-d", self.dir / "deep", "-r", "--json", tree)
        self.assertEqual(deep.returncode, 0, deep.stderr)
        self.assertEqual([e["input"] for e in json.loads(deep.stdout)["inputs"]],
                         [str(tree / "a.pht"), str(tree / "week1" / "b.pht")])


class InspectTest(TempDirTest):
    def test_text_and_json_and_nothing_written(self):
        before = sorted(EXAMPLES.iterdir())
        text = run("inspect", EXAMPLES / "dnarna_labelled.nuc", cwd=self.dir)
        self.assertEqual(text.returncode, 0, text.stderr)
        self.assertIn("Variant:     DNA/RNA labelling\n", text.stdout)
        self.assertIn("Template:    dnarna_dye.xlsx\n", text.stdout)
        self.assertEqual(text.stderr, "")
        as_json = run("inspect", "--json", EXAMPLES / "od600_density.od")
        document = json.loads(as_json.stdout)
        self.assertEqual(document["variant"], "OD600 optical density")
        self.assertEqual(document["counts"]["samples"], 10)
        self.assertEqual(sorted(EXAMPLES.iterdir()), before)
        self.assertEqual(list(self.dir.iterdir()), [])

    def test_needs_no_templates(self):
        # A copy of the program with no template folder beside it cannot convert, but inspects.
        alone = self.dir / "alone"
        alone.mkdir()
        shutil.copy(KORVANTA, alone / "korvanta")
        done = subprocess.run([str(alone / "korvanta"), "inspect", str(EXAMPLES / "tm.tm")],
                              capture_output=True, text=True, timeout=60)
        self.assertEqual((done.returncode, done.stderr), (0, ""))
        self.assertIn("Variant:     TM\n", done.stdout)
        converted = subprocess.run([str(alone / "korvanta"), "convert", "-d", str(self.dir),
                                    str(EXAMPLES / "tm.tm")], capture_output=True, text=True,
                                   timeout=60)
        self.assertEqual(converted.returncode, 1)
        self.assertIn("Can not find template file", converted.stderr)

    def test_a_file_that_cannot_be_converted_exits_1(self):
        broken = self.dir / "broken.od"
        lines = (EXAMPLES / "od600_cells.od").read_text().splitlines()
        lines[11] = "2"
        broken.write_text("\n".join(lines) + "\n")
        done = run("inspect", broken)
        self.assertEqual(done.returncode, 1)
        message = 'Unknown OD600 unit "2" on line 12: expected 0 (optical density) or 1 (cell count).'
        self.assertIn(f"{broken}: {message}", done.stderr)
        as_json = run("inspect", "--json", broken)
        self.assertEqual(as_json.returncode, 1)
        self.assertEqual(json.loads(as_json.stdout)["error"], message)
        self.assertEqual(run("inspect", broken, broken).returncode, 2)


class DocumentationTest(unittest.TestCase):
    def setUp(self):
        self.help = run("--help").stdout
        man = (SOURCE_DIR / "doc" / "korvanta.1").read_text()
        self.man = man.replace("\\-", "-").replace("\\fB", "").replace("\\fR", "")
        self.completion = (SOURCE_DIR / "doc" / "korvanta.bash-completion").read_text()

    def options(self, text):
        return set(re.findall(r"(?<![\w-])(--?[a-z][a-z-]*)", text))

    def test_every_option_of_the_help_is_in_the_man_page(self):
        options = self.options(self.help)
        self.assertGreaterEqual(len(options), 20)
        for option in sorted(options):
            with self.subTest(option=option):
                self.assertRegex(self.man, r"(?<![\w-])" + re.escape(option) + r"(?![\w-])")

    def test_every_long_option_of_the_man_page_is_in_the_help(self):
        for option in sorted(o for o in self.options(self.man) if o.startswith("--")):
            with self.subTest(option=option):
                self.assertIn(option, self.help)

    def test_the_completion_offers_every_long_option(self):
        subprocess.run(["bash", "-n", str(SOURCE_DIR / "doc" / "korvanta.bash-completion")],
                       check=True)
        for option in sorted(o for o in self.options(self.help) if o.startswith("--")):
            with self.subTest(option=option):
                self.assertIn(option, self.completion)


if __name__ == "__main__":
    unittest.main()
