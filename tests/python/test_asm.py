"""ASM documents of `korvanta convert --format asm`, checked against golden files and the schema.

For every tests/data/asm/NAME.<ext> with NAME.asm.json beside it, the harness copies the export
file into a fresh folder and runs, there,

    korvanta convert --format asm NAME.<ext>

with SOURCE_DATE_EPOCH=1700000000 (the measurement time reads "2023-11-14T22:13:20+00:00").
NAME.asm.json is either the expected document, compared as parsed JSON (key order and number
spelling aside), or {"refused": "message"}: the conversion fails with that message on stderr
and writes no document. Every expected document is validated against the spectrophotometry
schema with ../shared/asm/validate.py beside the source tree (Debian's python3-jsonschema).

Environment: KORVANTA_BIN_DIR, KORVANTA_TEMPLATE_DIR, KORVANTA_TEST_DATA_DIR, KORVANTA_SOURCE_DIR.
"""

import copy
import json
import os
import re
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", ""))
TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")
DATA_DIR = Path(os.environ.get("KORVANTA_TEST_DATA_DIR", "")) / "asm"
SOURCE_DIR = Path(os.environ.get("KORVANTA_SOURCE_DIR", ""))
VALIDATOR = SOURCE_DIR.parent / "shared" / "asm" / "validate.py"
EXAMPLES = SOURCE_DIR / "examples"
FIXED_TIME = "1700000000"


def korvanta(*args, cwd=None, fixed_time=True, tz=None):
    env = dict(os.environ)
    env.pop("SOURCE_DATE_EPOCH", None)
    if fixed_time:
        env["SOURCE_DATE_EPOCH"] = FIXED_TIME
    if tz:
        env["TZ"] = tz
    return subprocess.run([str(BIN_DIR / "korvanta"), *map(str, args)], cwd=cwd, env=env,
                          capture_output=True, text=True, timeout=300)


def validate(*documents):
    return subprocess.run(["/usr/bin/python3", str(VALIDATOR), *map(str, documents)],
                          capture_output=True, text=True, timeout=120)


def golden_cases():
    return sorted(path for path in DATA_DIR.iterdir()
                  if not path.name.endswith(".json") and path.with_suffix(".asm.json").exists())


def measurement_aggregate(document):
    aggregate = document["spectrophotometry aggregate document"]
    return aggregate["spectrophotometry document"][0]["measurement aggregate document"]


def processed_documents(document):
    """Every processed data document, wherever the layout puts it."""
    return [item for node in walk(document)
            for item in node.get("processed data aggregate document", {}).get(
                "processed data document", [])]


def walk(node):
    """Every object in the document, depth first."""
    if isinstance(node, dict):
        yield node
        node = list(node.values())
    if isinstance(node, list):
        for value in node:
            yield from walk(value)


def identifiers(document):
    return {value for node in walk(document) for key, value in node.items()
            if key in ("measurement identifier", "processed data identifier",
                       "calculated data identifier")}


class TempDirTest(unittest.TestCase):
    def setUp(self):
        self.dir = Path(tempfile.mkdtemp(prefix="korvanta-asm-"))
        self.addCleanup(shutil.rmtree, self.dir)

    def copy_in(self, source, name=None):
        target = self.dir / (name or source.name)
        shutil.copyfile(source, target)
        return target


class GoldenDocumentTest(TempDirTest):
    def test_every_variant_gives_its_golden_document_or_refusal(self):
        cases = golden_cases()
        self.assertGreaterEqual(len(cases), 13)
        for export_file in cases:
            with self.subTest(case=export_file.name):
                work = self.dir / export_file.stem
                work.mkdir()
                shutil.copyfile(export_file, work / export_file.name)
                done = korvanta("convert", "--format", "asm", export_file.name, cwd=work)
                expected = json.loads(export_file.with_suffix(".asm.json").read_text("utf-8"))
                written = work / (export_file.stem + ".json")
                if "refused" in expected:
                    self.assertEqual(done.returncode, 1, done.stderr)
                    self.assertIn(expected["refused"], done.stderr)
                    self.assertFalse(written.exists())
                    continue
                self.assertEqual(done.returncode, 0, done.stderr)
                document = json.loads(written.read_text("utf-8"))
                # The full path depends on the folder; the golden document holds the name.
                data_system = document["spectrophotometry aggregate document"][
                    "data system document"]
                self.assertEqual(data_system["UNC path"],
                                 os.path.realpath(work / export_file.name))
                data_system["UNC path"] = export_file.name
                self.assertEqual(document, expected)
                self.assertFalse((work / (export_file.stem + ".xlsx")).exists())

    def test_golden_documents_are_valid_against_the_schema(self):
        documents = [path for path in DATA_DIR.glob("*.asm.json")
                     if "refused" not in json.loads(path.read_text("utf-8"))]
        self.assertGreaterEqual(len(documents), 10)
        done = validate(*documents)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        self.assertEqual(done.stdout.count(": valid"), len(documents))

    def test_the_validator_rejects_broken_copies(self):
        good = json.loads((DATA_DIR / "protein_labelling.asm.json").read_text("utf-8"))

        def without_identifier(document):
            del measurement_aggregate(document)["measurement document"][0]["measurement identifier"]

        def absorbance_in_au(document):
            measurement_aggregate(document)["measurement document"][0]["absorbance"]["unit"] = "AU"

        def greek_mu(document):
            concentration = {"value": 1.0, "unit": "ng/\u03bcL"}
            processed_documents(document)[0]["mass concentration"] = concentration

        def numeric_string(document):
            measurement_aggregate(document)["measurement document"][0]["absorbance"]["value"] = "0.1"

        for breakage in (without_identifier, absorbance_in_au, greek_mu, numeric_string):
            with self.subTest(breakage=breakage.__name__):
                broken = copy.deepcopy(good)
                breakage(broken)
                path = self.dir / f"{breakage.__name__}.json"
                path.write_text(json.dumps(broken), "utf-8")
                done = validate(path)
                self.assertEqual(done.returncode, 1, done.stdout)
                self.assertIn("errors", done.stdout)


class LimsReadingTest(TempDirTest):
    """Every value right with its unit alone, linked to what it comes from, with ids of its own."""

    def convert(self, export_file):
        done = korvanta("convert", "--format", "asm", "--force", export_file.name,
                        cwd=export_file.parent)
        self.assertEqual(done.returncode, 0, done.stderr)
        return json.loads(export_file.with_suffix(".json").read_text("utf-8"))

    def test_the_cell_count_is_od_times_factor_times_multiple(self):
        lines = (EXAMPLES / "od600_cells.od").read_text().splitlines()
        self.assertEqual(lines[10:13], ["800", "1", "1"])  # factor, unit, multiple code
        for code, multiple in (("1", 1e6), ("0", 1e3)):
            with self.subTest(multiple=multiple):
                export_file = self.dir / "cells.od"
                export_file.write_text("\n".join(lines[:12] + [code] + lines[13:]) + "\n")
                document = self.convert(export_file)
                ods = [m["absorbance"]["value"]
                       for m in measurement_aggregate(document)["measurement document"]]
                counts = [p["custom information document"]["cell count"]
                          for p in processed_documents(document)]
                self.assertEqual(len(counts), len(ods))
                for od, count in zip(ods, counts):
                    self.assertEqual(count["unit"], "10^6 cells/mL")
                    self.assertAlmostEqual(count["value"] * 1e6 / (od * 800 * multiple), 1, 6)


    def test_computed_values_link_every_reading_they_use_and_say_how(self):
        # Background on in both; the labelled file's dye (550 nm) corrects its A260.
        cases = [("dnarna.nuc", {"A260/A280", "A260/A230"}, set()),
                 ("dnarna_labelled.nuc", {"A260/A280", "A260/A230", "frequency"}, {550})]
        for name, names, dye in cases:
            with self.subTest(file=name):
                document = self.convert(self.copy_in(EXAMPLES / name))
                where = {m["measurement identifier"]: (
                    m["sample document"]["sample identifier"],
                    m["device control aggregate document"]["device control document"][0]
                    ["detector wavelength setting"]["value"])
                    for m in measurement_aggregate(document)["measurement document"]}
                derived = document["spectrophotometry aggregate document"][
                    "calculated data aggregate document"]["calculated data document"]
                derived += [p for p in processed_documents(document)
                            if "mass concentration" in p]
                self.assertTrue(names <= {d.get("calculated data name") for d in derived})
                self.assertTrue(any("mass concentration" in d for d in derived))
                for value in derived:
                    sources = [where[d["data source identifier"]] for d in
                               value["data source aggregate document"]["data source document"]]
                    wavelengths = {wavelength for _, wavelength in sources}
                    self.assertIn(320, wavelengths, value)
                    if "mass concentration" in value:
                        self.assertTrue(dye <= wavelengths, value)
                        description = value["custom information document"][
                            "calculation description"]
                    else:
                        description = value["calculation description"]
                    self.assertIn("A320", description)

    def test_same_named_files_with_other_bytes_share_no_identifier(self):
        sources = {"a": DATA_DIR / "dnarna.nuc", "b": EXAMPLES / "dnarna.nuc",
                   "c": DATA_DIR / "dnarna.nuc"}
        ids = {}
        for folder, source in sources.items():
            (self.dir / folder).mkdir()
            document = self.convert(self.copy_in(source, f"{folder}/dnarna.nuc"))
            ids[folder] = identifiers(document)
        self.assertGreater(len(ids["a"]), 10)
        self.assertEqual(ids["a"] & ids["b"], set())
        self.assertEqual(ids["a"], ids["c"])

    def test_every_value_of_every_golden_document_has_a_unit(self):
        for path in DATA_DIR.glob("*.asm.json"):
            for node in walk(json.loads(path.read_text("utf-8"))):
                if "value" in node:
                    self.assertIn("unit", node, f"{path.name}: {node}")

    def test_the_document_says_what_it_cannot_show_and_where_it_comes_from(self):
        export_file = self.copy_in(DATA_DIR / "photometry_truncated.pht")
        done = korvanta("convert", "--format", "asm", "--json", export_file.name, cwd=self.dir)
        warnings = json.loads(done.stdout)["inputs"][0]["warnings"]
        self.assertTrue(warnings)
        document = json.loads((self.dir / "photometry_truncated.json").read_text("utf-8"))
        information = measurement_aggregate(document)["custom information document"]
        self.assertEqual(information["reading warnings"], warnings)
        self.assertIn("SOURCE_DATE_EPOCH", information["measurement time origin"])
        self.assertIn("mAU", information["absorbance unit"])
        body = document["spectrophotometry aggregate document"]
        self.assertEqual(body["data system document"]["UNC path"],
                         os.path.realpath(export_file))
        self.assertEqual(body["device system document"]["device document"][0]["device type"],
                         "UV-Vis spectrophotometer")
        done = korvanta("convert", "--format", "asm", "--force", export_file.name, cwd=self.dir,
                        fixed_time=False)
        document = json.loads((self.dir / "photometry_truncated.json").read_text("utf-8"))
        self.assertIn("modification time",
                      measurement_aggregate(document)["custom information document"][
                          "measurement time origin"])


class MeasurementTimeTest(TempDirTest):
    def test_the_file_time_with_its_utc_offset_or_the_fixed_time_in_utc(self):
        export_file = self.copy_in(DATA_DIR / "od600_density.od")
        os.utime(export_file, (1700000000, 1700000000))
        cases = [("Asia/Kolkata", False, "2023-11-15T03:43:20+05:30"),
                 ("America/New_York", False, "2023-11-14T17:13:20-05:00"),
                 ("UTC", False, "2023-11-14T22:13:20+00:00"),
                 ("Asia/Kolkata", True, "2023-11-14T22:13:20+00:00")]
        for tz, fixed, expected in cases:
            with self.subTest(tz=tz, fixed=fixed):
                done = korvanta("convert", "--format", "asm", "--force", export_file.name,
                                cwd=self.dir, fixed_time=fixed, tz=tz)
                self.assertEqual(done.returncode, 0, done.stderr)
                document = json.loads((self.dir / "od600_density.json").read_text("utf-8"))
                self.assertEqual(measurement_aggregate(document)["measurement time"], expected)
                self.assertRegex(expected, r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$")


class ConvertWithAsmTest(TempDirTest):
    def convert(self, *args, **kwargs):
        return korvanta("convert", "-t", TEMPLATE_DIR, *args, **kwargs)

    def summary(self, *args):
        done = self.convert("--json", *args)
        return done, json.loads(done.stdout)["inputs"]

    def test_both_formats_write_both_files_and_the_summary_names_them(self):
        export_file = self.copy_in(DATA_DIR / "photometry.pht")
        done, inputs = self.summary("--format", "xlsx,asm", export_file)
        self.assertEqual(done.returncode, 0, done.stderr)
        report, document = self.dir / "photometry.xlsx", self.dir / "photometry.json"
        self.assertTrue(report.exists() and document.exists())
        self.assertEqual(inputs[0]["output"], str(report))
        self.assertEqual(sorted(inputs[0]["outputs"]), sorted([str(report), str(document)]))
        self.assertIn(f"{export_file}: ASM document written to {document}", done.stderr)

    def test_a_kinetics_file_still_gets_its_report_when_both_are_asked(self):
        export_file = self.copy_in(DATA_DIR / "kinetics.tsc")
        done, inputs = self.summary("--format", "xlsx,asm", export_file)
        self.assertEqual(done.returncode, 1)
        self.assertTrue((self.dir / "kinetics.xlsx").exists())
        self.assertFalse((self.dir / "kinetics.json").exists())
        self.assertEqual(inputs[0]["status"], "failed")
        self.assertEqual(inputs[0]["outputs"], [str(self.dir / "kinetics.xlsx")])
        self.assertIn("Kinetics", inputs[0]["error"])

    def test_the_document_goes_where_the_report_would(self):
        export_file = self.copy_in(DATA_DIR / "od600_density.od")
        cases = [(["-o", self.dir / "out" / "r.xlsx"], self.dir / "out" / "r.json"),
                 (["-o", self.dir / "out" / "named"], self.dir / "out" / "named.json"),
                 (["-o", self.dir / "out" / "v1.2"], self.dir / "out" / "v1.2.json"),
                 (["-d", self.dir / "folder"], self.dir / "folder" / "od600_density.json"),
                 ([], self.dir / "od600_density.json")]
        (self.dir / "out").mkdir()
        for args, expected in cases:
            with self.subTest(args=args):
                done = self.convert("--format", "asm", *args, export_file)
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertTrue(expected.exists())
                self.assertEqual(list(expected.parent.glob("*.xlsx")), [])

    def test_an_existing_document_is_kept_without_force_and_replaced_with_it(self):
        export_file = self.copy_in(DATA_DIR / "od600_density.od")
        document = self.dir / "od600_density.json"
        document.write_text("keep")
        done = self.convert("--format", "asm", export_file)
        self.assertEqual(done.returncode, 1)
        self.assertIn(f"{document} exists; use --force to replace it", done.stderr)
        self.assertEqual(document.read_text(), "keep")
        done = self.convert("--format", "asm", "--force", export_file)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("$asm.manifest", document.read_text("utf-8"))
        self.assertEqual(sorted(p.name for p in self.dir.iterdir()),
                         ["od600_density.json", "od600_density.od"])

    def test_a_file_name_that_is_not_utf8_costs_neither_the_document_nor_the_report(self):
        name = os.fsdecode(b"caf\xe9.od")
        self.copy_in(DATA_DIR / "od600_density.od", name)
        done = self.convert("-q", "--format", "xlsx,asm", name, cwd=self.dir)
        self.assertEqual(done.returncode, 0, done.stderr)
        document = (self.dir / os.fsdecode(b"caf\xe9.json")).read_bytes().decode("utf-8")
        self.assertIn('"file name": "caf\ufffd.od"', document)
        self.assertTrue((self.dir / os.fsdecode(b"caf\xe9.xlsx")).exists())

    def test_asm_alone_needs_no_templates(self):
        export_file = self.copy_in(DATA_DIR / "protein_labelling.pro")
        empty = self.dir / "no-templates"
        empty.mkdir()
        done = korvanta("convert", "--format", "asm", "-t", empty, export_file)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertTrue((self.dir / "protein_labelling.json").exists())

    def test_a_file_refused_for_the_report_is_refused_for_asm_with_the_same_message(self):
        data = DATA_DIR.parent
        refused = [data / "wlscan" / "interval_code_6.wsc", data / "od600" / "unit_2.od",
                   data / "photometry" / "too_many_wavelengths.pht"]
        for source in refused:
            with self.subTest(file=source.name):
                export_file = self.copy_in(source)
                errors = []
                for formats in ("xlsx", "asm", "xlsx,asm"):
                    done, inputs = self.summary("--format", formats, export_file)
                    self.assertEqual(done.returncode, 1)
                    self.assertEqual(inputs[0]["outputs"], [])
                    errors.append(inputs[0]["error"])
                self.assertTrue(errors[0])
                self.assertEqual(errors, [errors[0]] * 3)

    def test_a_file_that_ends_early_gives_the_reports_warnings_and_what_it_holds(self):
        export_file = self.copy_in(DATA_DIR / "photometry_truncated.pht")
        warnings = {}
        for formats in ("xlsx", "asm"):
            done, inputs = self.summary("--format", formats, "--force", export_file)
            self.assertEqual(done.returncode, 0, done.stderr)
            warnings[formats] = inputs[0]["warnings"]
        self.assertTrue(warnings["xlsx"])
        self.assertEqual(warnings["asm"], warnings["xlsx"])
        document = json.loads((self.dir / "photometry_truncated.json").read_text("utf-8"))
        self.assertEqual(len(measurement_aggregate(document)["measurement document"]), 3)

    def test_equal_input_gives_equal_bytes_whatever_the_jobs_and_time_zone(self):
        runs = []
        for jobs, tz in (("1", "UTC"), ("2", "Asia/Kolkata"), ("4", "America/New_York")):
            out = self.dir / f"out-{jobs}"
            done = korvanta("convert", "--format", "asm", "-q", "-j", jobs, "-d", out, EXAMPLES,
                            tz=tz)
            self.assertEqual(done.returncode, 1, done.stderr)  # the Kinetics example is refused
            runs.append({path.name: path.read_bytes() for path in out.glob("*.json")})
        self.assertGreaterEqual(len(runs[0]), 13)
        self.assertEqual(runs[1], runs[0])
        self.assertEqual(runs[2], runs[0])
        for name, data in runs[0].items():
            self.assertNotRegex(data.decode("utf-8"), r"\\u03bc", name)


class UsageTest(unittest.TestCase):
    def test_unknown_formats_are_bad_usage(self):
        for value in ("", "pdf", "xlsx,xlsx", "asm,", "XLSX"):
            with self.subTest(value=value):
                done = korvanta("convert", "--format", value, "a.pht")
                self.assertEqual(done.returncode, 2)
                self.assertRegex(done.stderr, re.escape("--format takes xlsx, asm or xlsx,asm"))


if __name__ == "__main__":
    unittest.main()
