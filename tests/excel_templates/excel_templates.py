#!/usr/bin/python3
"""Template workbooks shaped the way Excel writes them, through the report writers' row and
column operations. Each fixture (libxlsxwriter's packages from `template_lab fixtures`, and the
XML-edited and re-zipped ones of template_edits.py) goes through every recipe below, and then:

  package    every part has a content type and every relationship points to a part
             (../python/package_rules.py);
  schema     every part the engine changed validates against the transitional schemas
             (../shared/ooxml/validate-part.py) with no error the template's part had not;
  bytes      every part the engine did not change is byte-identical to the template's: a part
             whose bytes differ must differ in its canonical XML too;
  openpyxl   the output loads in openpyxl;
  office     the output opens in LibreOffice (all outputs converted in one soffice run);
  rules      what the operations must do to the pattern row's companions, tables, pivot
             caches and copied formulas (operation_rules.py).

Files that are no packages (a password-protected workbook, an Excel 97-2003 workbook renamed
.xlsx) must be refused with the sentence that says what to do.

    excel_templates.py --lab PATH/template_lab [--shared PATH/shared] [--keep DIR] [--only RE]

Prints one line per fixture; exit 1 when a fixture fails that is not in EXPECTED_FAILURES, or
when one listed there passes (then the list is out of date)."""

import argparse
import concurrent.futures
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

from lxml import etree

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "python"))
import operation_rules  # noqa: E402
import package_rules  # noqa: E402
import template_edits  # noqa: E402

# The writers' calls on the common layout (header row 4, pattern row 5, summary rows 12-14).
RECIPES = {
    # Photometry: wavelength columns inserted, sample rows copied from the pattern row; then a
    # chart over the samples, as the scan reports add one.
    "grow": ["insert-columns", "2", "D:D", "insert-copied-rows", "3", "5:5", "set", "C6", "0.75",
             "add-chart", "B:C", "5:8"],
    # Pattern-row reports: the pattern pasted over the rows below it, then the empty rows
    # between the samples and the summary deleted, as a block the writer drops.
    "fill": ["copy-rows", "5:5", "6:8", "set", "B7", "S3", "delete-rows", "2", "10:10"],
}

# Fixtures that fail on main only because of faults that other branches fix, with what they
# wait for. Empty this list as those branches land; a listed fixture that passes fails the run.
EXPECTED_FAILURES = {}

CONTENT_TYPE_SCHEMAS = {
    "application/vnd.openxmlformats-officedocument.drawingml.chart+xml": "dml-chart.xsd",
    "application/vnd.openxmlformats-officedocument.drawing+xml": "dml-spreadsheetDrawing.xsd",
}
SML_CONTENT_TYPE = re.compile(r"application/vnd\.openxmlformats-officedocument\.spreadsheetml\."
                              r"(sheet\.main|worksheet|table|comments|pivotCacheDefinition|"
                              r"pivotTable|sharedStrings|styles)\+xml")


def parts(path):
    with zipfile.ZipFile(path) as z:
        return {info.filename: z.read(info) for info in z.infolist()
                if not info.filename.endswith("/")}


def content_types(package):
    root = etree.fromstring(package["[Content_Types].xml"])
    types = {}
    for element in root:
        if element.tag.endswith("Override"):
            types[element.get("PartName").lstrip("/")] = element.get("ContentType")
    defaults = {e.get("Extension").lower(): e.get("ContentType")
                for e in root if e.tag.endswith("Default")}
    return lambda name: types.get(name, defaults.get(name.rsplit(".", 1)[-1].lower(), ""))


def schema_of(content_type):
    if SML_CONTENT_TYPE.fullmatch(content_type):
        return "sml.xsd"
    return CONTENT_TYPE_SCHEMAS.get(content_type)


def canonical(data):
    """The part's meaning: canonical XML without the blanks between elements; None when the
    part is no XML."""
    try:
        parser = etree.XMLParser(remove_blank_text=True)
        return etree.tostring(etree.fromstring(data, parser), method="c14n")
    except etree.XMLSyntaxError:
        return None


class Validator:
    """validate-part.py on many parts; remembers the errors of each (file, part)."""

    def __init__(self, script):
        self.script = script
        self.cache = {}

    def errors(self, jobs):
        """jobs: (xlsx path, part, schema) -> set of error messages, for each job."""
        todo = [job for job in jobs if job not in self.cache]
        by_schema = {}
        for job in todo:
            by_schema.setdefault(job[2], []).append(job)
        batches = [(schema, group[i:i + 40]) for schema, group in by_schema.items()
                   for i in range(0, len(group), 40)]
        with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
            for result in pool.map(lambda batch: self._run(*batch), batches):
                self.cache.update(result)
        return {job: self.cache[job] for job in jobs}

    def _run(self, schema, jobs):
        args = ["%s:%s" % (path, part) for path, part, _ in jobs]
        # The validator keeps every ISO 29500 namespace, DrawingML's too.
        done = subprocess.run(["/usr/bin/python3", str(self.script), "--schema", schema, *args],
                              capture_output=True, text=True, timeout=600)
        # A part without a verdict line (the validator stopped on it) counts as an error.
        stopped = (done.stderr.strip().splitlines() or ["no output"])[-1]
        found = {job: {"validate-part.py gave no verdict: " + stopped} for job in jobs}
        current = None
        lookup = dict(zip(args, jobs))
        for line in done.stdout.splitlines():
            if line.startswith("  ") and current is not None:
                found[current].add(line.strip())
                continue
            current = lookup.get(line.rsplit(": ", 1)[0])
            if current is not None:
                found[current] = set()
        return found


def apply(lab, template, output, operations):
    return subprocess.run([str(lab), "apply", str(template), str(output), *operations],
                          capture_output=True, text=True, timeout=120)


def compare_parts(template, output, validator):
    """The faults of one output against its template: parts rewritten without a change, and
    schema errors that changed parts have and the template's parts had not."""
    faults = ["package: " + fault for fault in package_rules.package_faults(output)]
    before, after = parts(template), parts(output)
    type_of = content_types(after)
    changed = []
    for name, data in after.items():
        if name in before and before[name] == data:
            continue
        if name in before:
            old, new = canonical(before[name]), canonical(data)
            if old is None:
                faults.append("bytes: %s, which is no XML, changed" % name)
                continue
            if old == new:
                faults.append("bytes: %s rewritten without a change" % name)
                continue
        changed.append(name)
    jobs = []
    for name in changed:
        schema = schema_of(type_of(name))
        if schema:
            jobs.append(((output, name, schema), (template, name, schema) if name in before
                         else None))
    found = validator.errors([job for pair in jobs for job in pair if job])
    for job, template_job in jobs:
        new = found[job] - (found[template_job] if template_job else set())
        for message in sorted(new)[:3]:
            faults.append("schema: %s: %s" % (job[1], message))
    return faults


def openpyxl_faults(outputs):
    import warnings
    import openpyxl
    faults = {}
    for output in outputs:
        try:
            with warnings.catch_warnings():
                warnings.simplefilter("ignore")
                openpyxl.load_workbook(output).close()
        except Exception as error:  # any failure to load is the finding
            faults[output] = "openpyxl: %s: %s" % (type(error).__name__, error)
    return faults


def office_faults(soffice, profile, outputs, work):
    converted = work / "office"
    subprocess.run([soffice, "-env:UserInstallation=" + profile, "--headless", "--convert-to",
                    "csv", "--outdir", str(converted), *map(str, outputs)],
                   capture_output=True, text=True, timeout=1200)
    return {output: "office: LibreOffice could not open it" for output in outputs
            if not (converted / (output.stem + ".csv")).exists()}


def main(argv):
    here = Path(__file__).resolve().parent
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--lab", required=True, type=Path)
    parser.add_argument("--shared", type=Path, default=here.parents[1].parent / "shared")
    parser.add_argument("--keep", type=Path, help="keep templates and outputs in this folder")
    parser.add_argument("--only", default="", help="fixtures whose name matches this regex")
    args = parser.parse_args(argv)

    script = args.shared / "ooxml" / "validate-part.py"
    if not script.is_file():
        print("FAIL: the schema validator %s is missing: the shared folder (with ooxml/) must "
              "sit beside the repository clone, or be given with --shared" % script)
        return 1
    soffice = shutil.which("soffice")
    if soffice is None or shutil.which("xmllint") is None:
        print("FAIL: LibreOffice (soffice) and xmllint (libxml2-utils) are needed; "
              "scripts/install-deps installs them")
        return 1

    with tempfile.TemporaryDirectory(prefix="korvanta-excel-templates-") as scratch:
        work = args.keep or Path(scratch)
        templates, outputs_dir = work / "templates", work / "outputs"
        for folder in (templates, outputs_dir):
            shutil.rmtree(folder, ignore_errors=True)
            folder.mkdir(parents=True)
        profile = (Path(scratch) / "profile").as_uri()
        made = subprocess.run([str(args.lab), "fixtures", str(templates)],
                              capture_output=True, text=True)
        if made.returncode != 0:
            print("FAIL: template_lab fixtures: " + made.stderr)
            return 1
        template_edits.edited_templates(templates)
        refusals = template_edits.refused_files(templates, soffice, profile)
        only = re.compile(args.only)
        fixtures = sorted(p.stem for p in templates.glob("*.xlsx") if only.search(p.stem))

        faults = {name: [] for name in fixtures}
        outputs = {}
        for name in fixtures:
            template = templates / (name + ".xlsx")
            if name in refusals:
                done = apply(args.lab, template, outputs_dir / (name + ".xlsx"), RECIPES["grow"])
                wanted = 'The workbook "%s" can not be opened: it %s' % (template, refusals[name])
                if done.returncode != 1 or done.stderr.strip() != wanted:
                    faults[name].append("refusal: got %r, want %r" % (done.stderr.strip(), wanted))
                continue
            for recipe, operations in RECIPES.items():
                output = outputs_dir / ("%s__%s.xlsx" % (name, recipe))
                done = apply(args.lab, template, output, operations)
                if done.returncode != 0:
                    faults[name].append("%s: refused: %s" % (recipe, done.stderr.strip()))
                    continue
                outputs[output] = (name, recipe, template)

        validator = Validator(script)
        for output, (name, recipe, template) in outputs.items():
            faults[name] += ["%s: %s" % (recipe, f) for f in
                             compare_parts(template, output, validator)]
            faults[name] += ["%s: rules: %s" % (recipe, f) for f in
                             operation_rules.check(template, output)]
        for extra in (openpyxl_faults(outputs), office_faults(soffice, profile, outputs, work)):
            for output, fault in extra.items():
                name, recipe, _ = outputs[output]
                faults[name].append("%s: %s" % (recipe, fault))

    return report(fixtures, faults)


def report(fixtures, faults):
    failed = 0
    for name in fixtures:
        expected = EXPECTED_FAILURES.get(name)
        if faults[name] and expected:
            print("XFAIL %s (waits for %s)" % (name, expected))
            for fault in faults[name]:
                print("      " + fault)
        elif faults[name]:
            failed += 1
            print("FAIL  %s" % name)
            for fault in faults[name]:
                print("      " + fault)
        elif expected:
            failed += 1
            print("XPASS %s: passes now; remove it from EXPECTED_FAILURES" % name)
        else:
            print("PASS  %s" % name)
    print("%d fixtures, %d failed, %d expected to fail" %
          (len(fixtures), failed, sum(1 for n in fixtures if n in EXPECTED_FAILURES)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
