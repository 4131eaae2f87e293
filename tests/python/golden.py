"""Golden tests of the korvanta command: export files beside the cells their report must hold.

For every tests/data/<kind>/NAME.<ext> with NAME.cells.json beside it, the harness runs

    $KORVANTA_BIN_DIR/korvanta convert NAME.<ext> -o TMP/NAME.xlsx -t TEMPLATE_DIR --force [args]

with SOURCE_DATE_EPOCH=1700000000 (so B3 reads "2023.11.14  22:13:20"), reads the report's
active sheet with openpyxl and compares; every report's package must keep the packaging rules
(package_rules.py). NAME.cells.json:

    {
      "cells": {"B1": "x.pht",      a string: a text cell with exactly this text
                "B7": 0.125,        a number: a numeric cell with exactly this value
                "B6": null},        null: an empty cell
      "merged": ["A1:C1"],          optional: exactly these merged ranges
      "charts": [{"x": "Sheet1!$C$14:$C$17", "y": "Sheet1!$B$14:$B$17", "trendline": "linear",
                  "y_title": "Concentration (ug/ml)"}],
                                    optional: exactly these charts, each with one series: its
                                    x and y references and its trendline type (null: none);
                                    y_title, when given for one, the y axis's title text
      "marks": {"E20:E22": ["AND(ISNUMBER(E20),...)"]},
                                    optional: exactly these conditional formats, each range
                                    with the formulas of its rules in order
      "max_row": 15,                optional: the last used row
      "exit": 0,                    optional (default 0): the exit status
      "stderr": ["substring"],      optional: texts expected on stderr
      "no_output": true,            optional: the report must not exist
      "missing_templates": ["brad6.xlsx"],
                                    optional: run with a template folder lacking these
      "args": ["--verbose"]         optional: extra arguments
    }

Environment: KORVANTA_BIN_DIR (korvanta), KORVANTA_TEMPLATE_DIR, KORVANTA_TEST_DATA_DIR.
Run one kind alone with `python3 tests/python/test_golden.py photometry`.
"""

import json
import os
import shutil
import subprocess
from dataclasses import dataclass
from pathlib import Path

import openpyxl

import package_rules

FIXED_TIME = "1700000000"


@dataclass
class Case:
    kind: str
    name: str
    export_file: Path
    expected: dict

    @property
    def label(self):
        return f"{self.kind}/{self.export_file.name}"


@dataclass
class Run:
    exit_code: int
    stderr: str
    report: Path


def bin_dir():
    return Path(os.environ["KORVANTA_BIN_DIR"])


def template_dir():
    return Path(os.environ["KORVANTA_TEMPLATE_DIR"])


def data_dir():
    return Path(os.environ["KORVANTA_TEST_DATA_DIR"])


def discover(kinds=None):
    """Every golden case under the test data folder, optionally of the given kinds only."""
    cases = []
    for expected_file in sorted(data_dir().glob("*/*.cells.json")):
        kind = expected_file.parent.name
        if kinds and kind not in kinds:
            continue
        name = expected_file.name[: -len(".cells.json")]
        inputs = [p for p in expected_file.parent.glob(name + ".*")
                  if p.name != expected_file.name and not p.name.endswith(".json")]
        if len(inputs) != 1:
            raise RuntimeError(f"{expected_file}: expected one export file beside it, "
                               f"found {[p.name for p in inputs]}")
        with open(expected_file, encoding="utf-8") as f:
            expected = json.load(f)
        cases.append(Case(kind, name, inputs[0], expected))
    return cases


def run(case, work_dir):
    """Converts the case's export file into work_dir."""
    templates = template_dir()
    missing = case.expected.get("missing_templates", [])
    if missing:
        templates = Path(work_dir) / "template"
        shutil.copytree(template_dir(), templates)
        for name in missing:
            (templates / name).unlink()
    report = Path(work_dir) / (case.name + ".xlsx")
    command = [str(bin_dir() / "korvanta"), "convert", str(case.export_file), "-o", str(report),
               "-t", str(templates), "--force"] + case.expected.get("args", [])
    env = dict(os.environ, SOURCE_DATE_EPOCH=FIXED_TIME)
    done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=300)
    return Run(done.returncode, done.stderr, report)


def describe(value):
    if value is None:
        return "an empty cell"
    if isinstance(value, str):
        return f"text {value!r}"
    return f"number {value!r}"


def cell_mismatch(expected, actual):
    """Why a cell differs from its expectation, or None when it matches."""
    if actual == "":
        actual = None
    if expected is None:
        return None if actual is None else f"expected an empty cell, got {describe(actual)}"
    if isinstance(expected, str):
        if isinstance(actual, str) and actual == expected:
            return None
        return f"expected {describe(expected)}, got {describe(actual)}"
    if isinstance(expected, bool) or not isinstance(expected, (int, float)):
        return f"unsupported expectation {expected!r}"
    if isinstance(actual, (int, float)) and not isinstance(actual, bool) and actual == expected:
        return None
    return f"expected {describe(expected)}, got {describe(actual)}"


def axis_title_text(axis):
    """The text of an axis title written as rich text (None without one)."""
    title = axis.title
    if title is None or title.tx is None or title.tx.rich is None:
        return None
    return "".join(run.t for paragraph in title.tx.rich.p for run in paragraph.r or [])


def chart_summary(chart, with_y_title):
    """A chart's one series (and its y axis's title) as the golden files state it."""
    if len(chart.series) != 1:
        return {"series": len(chart.series)}
    series = chart.series[0]
    reference = lambda values: values.numRef.f if values is not None and values.numRef else None
    summary = {"x": reference(series.xVal), "y": reference(series.yVal),
               "trendline": series.trendline.trendlineType if series.trendline else None}
    if with_y_title:
        summary["y_title"] = axis_title_text(chart.y_axis)
    return summary


def problems(case, result):
    """Every way the run differs from the case's expectations (empty when it passes)."""
    expected = case.expected
    found = []
    want_exit = expected.get("exit", 0)
    if result.exit_code != want_exit:
        found.append(f"exit status {result.exit_code}, expected {want_exit}")
    for text in expected.get("stderr", []):
        if text not in result.stderr:
            found.append(f"stderr lacks {text!r}")
    if expected.get("no_output"):
        if result.report.exists():
            found.append("a report was written, none expected")
        return found
    if not result.report.exists():
        if want_exit == 0 or expected.get("cells"):
            found.append("no report was written")
        return found
    found += ["package: " + fault for fault in package_rules.package_faults(result.report)]
    workbook = openpyxl.load_workbook(result.report)
    sheet = workbook.active
    last_row = sheet.max_row  # before reading cells: openpyxl creates the cells it is asked for
    for address, value in expected.get("cells", {}).items():
        why = cell_mismatch(value, sheet[address].value)
        if why:
            found.append(f"{address}: {why}")
    if "merged" in expected:
        actual = sorted(str(r) for r in sheet.merged_cells.ranges)
        if actual != sorted(expected["merged"]):
            found.append(f"merged ranges {actual}, expected {sorted(expected['merged'])}")
    if "charts" in expected:
        with_y_title = any("y_title" in chart for chart in expected["charts"])
        actual = [chart_summary(chart, with_y_title) for chart in sheet._charts]
        if actual != expected["charts"]:
            found.append(f"charts {actual}, expected {expected['charts']}")
    if "marks" in expected:
        actual = {str(area.sqref): [rule.formula[0] if rule.formula else None for rule in area.rules]
                  for area in sheet.conditional_formatting}
        if actual != expected["marks"]:
            found.append(f"conditional formats {actual}, expected {expected['marks']}")
    if "max_row" in expected and last_row != expected["max_row"]:
        found.append(f"last row {last_row}, expected {expected['max_row']}")
    return found
