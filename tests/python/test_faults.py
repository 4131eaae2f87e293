"""Faults while a report is written: a folder that refuses new files, an output path that is a
folder, the file-size limit reached during the save, and the process killed mid-conversion;
and inputs that are no export files at all (a workbook, a PDF, an image, random bytes, a note).

In every case a report that was already at the output path stays as it was (or, after a kill
that came after the save, is the whole new report), and nothing else is left in the folder:
no partial report, no temporary file. Everything the command says is valid UTF-8.
"""

import json
import os
import random
import resource
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
import zipfile
import zlib
from pathlib import Path

import openpyxl

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", ""))
TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")
KORVANTA = BIN_DIR / "korvanta"

EARLIER_REPORT = b"the report of an earlier conversion"
NOBODY = 65534


def photometry(samples, wavelengths=2):
    lines = ["4", "2", "0", "Series", "4", "1", "0", str(wavelengths)]
    lines += [str(260 + 10 * j) for j in range(wavelengths)]
    lines += ["1", str(samples)]
    for i in range(samples):
        lines.append(f"S{i + 1:05d}")
        lines += [f"0.{(i * 7 + j) % 1000:03d}" for j in range(wavelengths)]
    return "\n".join(lines) + "\n"


def protein(samples):
    lines = ["1", "0", "1", "Large plate", "4", "1", "00", "2", "0", "1", "595",
             "0 0.012", "125 0.094", "-18.7", "1523.4", "0.9991", str(samples)]
    for i in range(samples):
        lines += [f"Sample {i + 1}", f"0.{i % 1000:03d} 0.{i % 1000:03d} {i % 997}.5"]
    return "\n".join(lines) + "\n"


class FaultTest(unittest.TestCase):
    def setUp(self):
        self.dir = Path(tempfile.mkdtemp(prefix="korvanta-faults-"))
        self.addCleanup(self.remove_folder)
        self.input = self.dir / "plate.pht"
        self.input.write_text(photometry(12))
        self.report = self.dir / "plate.xlsx"
        self.report.write_bytes(EARLIER_REPORT)

    def remove_folder(self):
        subprocess.run(["chattr", "-i", str(self.dir)], capture_output=True)
        shutil.rmtree(self.dir, ignore_errors=True)

    def command(self, output=None):
        return [str(KORVANTA), "convert", "--force", "-t", TEMPLATE_DIR, "-o",
                str(output or self.report), str(self.input)]

    def run_command(self, command, **options):
        return subprocess.run(command, capture_output=True, text=True, timeout=300, **options)

    def assert_untouched(self, extra=()):
        """The earlier report as it was, beside the input and nothing else."""
        self.assertEqual(self.report.read_bytes(), EARLIER_REPORT)
        names = sorted(p.name for p in self.dir.iterdir())
        self.assertEqual(names, sorted([self.input.name, self.report.name, *extra]))

    def lines_about_input(self, done):
        """What the command said about the input (it may add a summary of the run)."""
        return [line for line in done.stderr.splitlines() if line.startswith(f"{self.input}: ")]

    def assert_refused(self, done, reason, output=None):
        self.assertEqual(done.returncode, 1, done.stderr)
        self.assertEqual(self.lines_about_input(done),
                         [f'{self.input}: Can not save "{output or self.report}": {reason}'])


class ReadOnlyFolderTest(FaultTest):
    """A folder where no file may be created: the temporary file of the save is refused."""

    def test_folder_without_write_permission(self):
        if os.geteuid() == 0:
            if shutil.which("setpriv") is None:
                self.skipTest("running as root and setpriv is missing: permissions do not stop root")
            # As root, the folder's permissions bind only a user without them.
            os.chmod(self.dir, 0o755)
            os.chmod(self.input, 0o644)
            command = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups",
                       *self.command()]
        else:
            os.chmod(self.dir, 0o555)
            self.addCleanup(os.chmod, self.dir, 0o755)
            command = self.command()
        done = self.run_command(command)
        self.assert_refused(done, "Permission denied.")
        self.assert_untouched()

    def test_immutable_folder(self):
        """chattr +i stops root too, where the file system and the capabilities allow it."""
        if os.geteuid() != 0 or shutil.which("chattr") is None:
            self.skipTest("chattr +i needs root and chattr")
        made = subprocess.run(["chattr", "+i", str(self.dir)], capture_output=True, text=True)
        if made.returncode != 0:
            self.skipTest(f"this file system or container refuses chattr +i: {made.stderr.strip()}")
        done = self.run_command(self.command())
        self.assert_refused(done, "Operation not permitted.")
        subprocess.run(["chattr", "-i", str(self.dir)], check=True)
        self.assert_untouched()


class OutputIsAFolderTest(FaultTest):
    def test_output_path_names_a_folder(self):
        folder = self.dir / "out.xlsx"
        folder.mkdir()
        (folder / "keep.txt").write_text("kept")
        done = self.run_command(self.command(folder))
        self.assert_refused(done, "it is a folder.", folder)
        self.assertEqual([p.name for p in folder.iterdir()], ["keep.txt"])
        self.assertEqual((folder / "keep.txt").read_text(), "kept")
        self.assert_untouched(extra=["out.xlsx"])

    def test_output_folder_missing(self):
        missing = self.dir / "no such folder" / "report.xlsx"
        done = self.run_command(self.command(missing))
        self.assert_refused(done, "No such file or directory.", missing)
        self.assert_untouched()


class FileSizeLimitTest(FaultTest):
    """RLIMIT_FSIZE with SIGXFSZ ignored: the write of the report fails with EFBIG."""

    def test_limit_reached_while_saving(self):
        def limit_file_size():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (4096, 4096))

        done = self.run_command(self.command(), preexec_fn=limit_file_size)
        self.assert_refused(done, "File too large.")
        self.assert_untouched()

    def test_report_that_fits_the_limit(self):
        def limit_file_size():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (1 << 20, 1 << 20))

        done = self.run_command(self.command(), preexec_fn=limit_file_size)
        self.assertEqual(done.returncode, 0, done.stderr)
        with zipfile.ZipFile(self.report) as report:
            self.assertIsNone(report.testzip())


class KilledTest(FaultTest):
    """SIGKILL at points spread over a large conversion, the save included."""

    KILLS = 12

    def test_kill_during_a_large_conversion(self):
        for small in (self.input, self.report):
            small.unlink()
        self.input = self.dir / "large.pro"
        self.input.write_text(protein(20000))
        self.report = self.dir / "large.xlsx"
        self.report.write_bytes(EARLIER_REPORT)

        # How long an undisturbed conversion takes here, measured on a report elsewhere.
        elsewhere = self.dir / "measure"
        elsewhere.mkdir()
        started = time.monotonic()
        done = self.run_command(self.command(elsewhere / "large.xlsx"))
        duration = time.monotonic() - started
        self.assertEqual(done.returncode, 0, done.stderr)
        shutil.rmtree(elsewhere)

        replaced = 0
        for kill in range(self.KILLS):
            with self.subTest(kill=kill):
                self.report.write_bytes(EARLIER_REPORT)
                process = subprocess.Popen(self.command(), stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
                time.sleep(duration * (kill + 0.5) / self.KILLS)
                process.send_signal(signal.SIGKILL)
                process.wait()
                names = sorted(p.name for p in self.dir.iterdir())
                self.assertEqual(names, sorted([self.input.name, self.report.name]))
                content = self.report.read_bytes()
                if content != EARLIER_REPORT:
                    # Killed after the save: the report is the whole new one.
                    replaced += 1
                    with zipfile.ZipFile(self.report) as report:
                        self.assertIsNone(report.testzip())
        # The kills are spread over the run: most land before the report is complete.
        self.assertLess(replaced, self.KILLS)


def png_image():
    """A one-pixel PNG, built chunk by chunk."""
    def chunk(kind, data):
        return (len(data).to_bytes(4, "big") + kind + data
                + zlib.crc32(kind + data).to_bytes(4, "big"))
    header = (1).to_bytes(4, "big") * 2 + bytes([8, 2, 0, 0, 0])
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(b"\x00\xff\x00\x00")) + chunk(b"IEND", b""))


def pdf_document():
    return (b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"
            b"2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\ntrailer\n<< /Root 1 0 R >>\n"
            b"%%EOF\n")


class NotAnExportFileTest(unittest.TestCase):
    """Files picked by mistake: refused with a message that says what they hold, exit status 1,
    no report and no ASM document, by convert, convert --json and inspect alike."""

    def setUp(self):
        self.dir = Path(tempfile.mkdtemp(prefix="korvanta-not-export-"))
        self.addCleanup(shutil.rmtree, self.dir, True)

    def run_korvanta(self, *args):
        done = subprocess.run([str(KORVANTA), *map(str, args)], capture_output=True, timeout=120)
        # Strict decoding: any byte that is not UTF-8 fails the test here.
        return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")

    def assert_refused(self, name, content, message=None, prefix=None):
        """Refused with `message` (or one that starts with `prefix`); returns the message."""
        case = self.dir / name.replace(".", "_")
        case.mkdir()
        source = case / name
        source.write_bytes(content)
        report = case / "report.xlsx"
        report.write_bytes(EARLIER_REPORT)

        status, out, err = self.run_korvanta("convert", "--force", "-t", TEMPLATE_DIR, "-o",
                                             report, source)
        self.assertEqual(status, 1, err)
        said = [line[len(f"{source}: "):] for line in err.splitlines()
                if line.startswith(f"{source}: ")]
        self.assertEqual(len(said), 1, err)
        if message is not None:
            self.assertEqual(said[0], message)
        else:
            self.assertTrue(said[0].startswith(prefix), said[0])
        self.assertEqual(report.read_bytes(), EARLIER_REPORT)
        self.assertEqual(sorted(p.name for p in case.iterdir()), sorted([name, report.name]))

        # The ASM document is refused alike: neither output is written.
        status, out, err = self.run_korvanta("convert", "--json", "--format", "xlsx,asm",
                                             "--force", "-t", TEMPLATE_DIR, "-o", report, source)
        self.assertEqual(status, 1)
        entry = json.loads(out)["inputs"][0]
        self.assertEqual((entry["status"], entry["output"], entry["error"], entry["warnings"]),
                         ("failed", None, said[0], []))
        self.assertEqual(sorted(p.name for p in case.iterdir()), sorted([name, report.name]))

        status, out, err = self.run_korvanta("inspect", source)
        self.assertEqual(status, 1)
        self.assertEqual(err, f"{source}: {said[0]}\n")
        status, out, err = self.run_korvanta("inspect", "--json", source)
        self.assertEqual(status, 1)
        self.assertEqual(json.loads(out)["error"], said[0])
        self.assertEqual(report.read_bytes(), EARLIER_REPORT)
        return said[0]

    def test_a_workbook_renamed(self):
        workbook = openpyxl.Workbook()
        workbook.active["A1"] = "Absorbance"
        saved = self.dir / "saved.xlsx"
        workbook.save(saved)
        self.assert_refused("plate.pht", saved.read_bytes(),
                            'plate.pht is not a Photometry export file: line 1 holds "PK..." where '
                            "a number is expected. The file is a zip archive, such as an Excel "
                            "workbook.")

    def test_a_pdf_and_a_png(self):
        self.assert_refused("manual.con", pdf_document(),
                            'manual.con is not a Concentration export file: line 1 holds '
                            '"%PDF-1.4" where a number is expected. The file is a PDF document.')
        self.assert_refused("gel.nuc", png_image(),
                            'gel.nuc is not a DNA/RNA export file: line 1 holds "\u2030PNG" where '
                            "a number is expected. The file is a PNG image.")

    def test_a_text_note_and_an_empty_file(self):
        self.assert_refused("readme.pro", b"Export the plate as .pro first!\r\nAnna\r\n",
                            'readme.pro is not a Protein export file: line 1 holds "Export the '
                            'plate as .pro first!" where a number is expected.')
        self.assert_refused("empty.od", b"",
                            "empty.od is not an OD600 export file: the file is empty.")

    def test_random_bytes(self):
        for seed in range(12):
            with self.subTest(seed=seed):
                content = random.Random(seed).randbytes(4096)
                self.assert_refused(f"noise{seed}.wsc", content,
                                    prefix=f"noise{seed}.wsc is not a WL Scan export file: line ")

    def test_a_kinetics_file_named_photometry_is_read_as_photometry(self):
        """The first field is a number as in every format: the extension names the type."""
        source = self.dir / "kinetics.pht"
        source.write_bytes(b"4\r\n1\r\nKinetics\r\nNADH\r\n4\r\n1\r\n0\r\n1\r\n600\r\n"
                           b"340\r\n1\r\n3\r\n3\r\n0.05\r\n0.06\r\n0.07\r\n")
        status, out, err = self.run_korvanta("convert", "-t", TEMPLATE_DIR, source)
        self.assertEqual(status, 0, err)
        self.assertTrue((self.dir / "kinetics.xlsx").exists())


if __name__ == "__main__":
    unittest.main()
