"""A peer for the end-to-end comparison only: the Protein standard-curve, WL Scan and Kinetics
reports made with openpyxl from the same templates, with the same cells and the same row
operations (rows inserted with insert_rows, pattern rows copied value and style), the way a
Python program would make them. Not part of Korvanta; bench/compare.py times it.

    python3 openpyxl_peer.py TEMPLATE_DIR EXPORT_FILE OUTPUT.xlsx
"""

import copy
import re
import sys
import time
from pathlib import Path

import openpyxl
from openpyxl.chart import Reference, ScatterChart, Series

NUMBER = re.compile(r"^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$")
PATH_LENGTHS = [0.1, 0.125, 0.2, 0.5, 1, 2, 5, 10]
METHODS = {1: "BRADFORD", 2: "LOWRY", 3: "BCA", 4: "BIURET"}
UNITS = ["ug/ml", "ug/ul", "ng/ul", "mg/ml", "pmol/ul", "mmol/ul", "umol/l", "mg/l", "mg/dl",
         "ug/l", "g/l", "U/l", "ppm", "ppb", "%", "conc"]
DATA_MODES = ["%T", "ABS", "E(S)"]
WL_INTERVALS = [None, 0.2, 0.5, 1.0, 2.0, 5.0]
KINETICS_INTERVALS = [None, 1, 2, 5, 10, 50, 100]


class ExportReader:
    """The four read kinds: integer line, token and floating line skip the white space after
    them; a whole line is taken as it stands."""

    def __init__(self, text):
        self.text = text.replace("\r\n", "\n").replace("\r", "\n")
        self.pos = 0

    def _skip(self):
        while self.pos < len(self.text) and self.text[self.pos].isspace():
            self.pos += 1

    def token(self):
        self._skip()
        start = self.pos
        while self.pos < len(self.text) and not self.text[self.pos].isspace():
            self.pos += 1
        value = self.text[start:self.pos]
        self._skip()
        return value

    def integer(self):
        match = re.match(r"[+-]?\d+", self.token())
        return int(match.group()) if match else 0

    def number(self):
        match = re.match(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?", self.token())
        return float(match.group()) if match else 0.0

    def line(self):
        end = self.text.find("\n", self.pos)
        end = len(self.text) if end < 0 else end
        value = self.text[self.pos:end]
        self.pos = min(end + 1, len(self.text))
        return value


def typed(text):
    """Typed input: a decimal number becomes a number, anything else stays text."""
    if NUMBER.match(text):
        value = float(text)
        return int(value) if value.is_integer() and "." not in text and "e" not in text.lower() \
            else value
    return text


def copy_row(sheet, source, target):
    """The pattern row's values and styles onto another row, and its height."""
    for cell in sheet[source]:
        new = sheet.cell(row=target, column=cell.column, value=cell.value)
        if cell.has_style:
            new._style = copy.copy(cell._style)
    height = sheet.row_dimensions[source].height
    if height is not None:
        sheet.row_dimensions[target].height = height


def insert_copied_rows(sheet, count, row):
    sheet.insert_rows(row, count)
    for offset in range(count):
        copy_row(sheet, row + count, row + offset)


def write_path_length(sheet, cell, code):
    if 0 <= code < len(PATH_LENGTHS):
        sheet[cell] = PATH_LENGTHS[code]


def conversion_time():
    return time.strftime("%Y.%m.%d  %H:%M:%S")


def add_chart(sheet, first_row, last_row, y_title, x_title):
    chart = ScatterChart()
    chart.style = 13
    chart.x_axis.title = x_title
    chart.y_axis.title = y_title
    chart.legend = None
    xs = Reference(sheet, min_col=1, min_row=first_row, max_row=last_row)
    ys = Reference(sheet, min_col=2, min_row=first_row, max_row=last_row)
    series = Series(ys, xs)
    series.marker.symbol = "none"
    series.smooth = False
    chart.series.append(series)
    chart.width, chart.height = 17.78, 9.14
    sheet.add_chart(chart, "D2")


def protein(reader, sheet, name):
    reader.integer()  # method_type
    reader.integer()  # measurement_type
    method = re.match(r"\s*[+-]?\d+", reader.line())
    sample_name = reader.line()
    path_length = reader.integer()
    dilution = reader.token()
    unit = reader.token()
    standard_count = reader.integer()
    mode = reader.integer()
    wavelength_count = reader.integer()
    wavelengths = [reader.number() for _ in range(wavelength_count)]
    standards = [(reader.token(), reader.token()) for _ in range(standard_count)] \
        if mode == 0 else []
    k0, k1 = reader.token(), reader.token()
    r = reader.token() if mode == 0 else None
    samples = []
    for _ in range(reader.integer()):
        sample_id = reader.line()
        values = [reader.token() for _ in range(wavelength_count + 2)]
        samples.append((sample_id, values))

    sheet["B1"] = name
    code = int(method.group()) if method else 0
    if code in METHODS:
        sheet["B2"] = METHODS[code]
    sheet["B3"] = conversion_time()
    sheet["B5"] = sample_name
    write_path_length(sheet, "B6", path_length)
    sheet["A7"] = "Dilution factor"
    sheet["B7"] = typed(dilution)
    if unit.isdigit() and len(unit) == 2 and int(unit) < len(UNITS):
        sheet["B8"] = UNITS[int(unit)]
    if mode in (0, 1):
        sheet["B9"] = "STD" if mode == 0 else "K factor"
    sheet["B10"] = wavelength_count
    sheet["B16"] = f"CONC = {k1} * OD " + (f"- {k0[1:]}" if k0.startswith("-") else f"+ {k0}")
    sheet["C16"] = f"(R = {r})" if r is not None else ""

    if wavelength_count > 1:
        sheet.insert_cols(4, wavelength_count - 1)
    for j in range(wavelength_count):
        sheet.cell(row=18, column=3 + j, value=f"WL{j + 1} OD Value")
    for i in range(1, len(samples)):
        copy_row(sheet, 19, 19 + i)
    for i, (sample_id, values) in enumerate(samples):
        row = 19 + i
        sheet.cell(row=row, column=1, value=i + 1)
        sheet.cell(row=row, column=2, value=sample_id)
        for j, value in enumerate(values):
            sheet.cell(row=row, column=3 + j, value=typed(value))

    if mode == 0:
        sheet["A13"] = "STD No."
        sheet["A15"] = ""
        if len(standards) > 1:
            insert_copied_rows(sheet, len(standards) - 1, 14)
        for k, (first, second) in enumerate(standards):
            sheet.cell(row=14 + k, column=1, value=k + 1)
            sheet.cell(row=14 + k, column=2, value=typed(first))
            sheet.cell(row=14 + k, column=3, value=typed(second))
    else:
        sheet.delete_rows(13, 3)
    if wavelength_count > 1:
        insert_copied_rows(sheet, wavelength_count - 1, 11)
    for j, wavelength in enumerate(wavelengths):
        sheet.cell(row=11 + j, column=1, value=f"WL{j + 1}")
        text = f"{wavelength:.4f}".rstrip("0").rstrip(".")
        sheet.cell(row=11 + j, column=2, value=typed(text))


def scan_head(reader, sheet, name):
    reader.integer()  # method_type
    reader.integer()  # measurement_type
    reader.line()  # method_str
    sample_name = reader.line()
    path_length = reader.integer()
    mode = reader.integer()
    reader.token()
    reader.token()
    sheet["B1"] = name
    sheet["B3"] = conversion_time()
    sheet["B5"] = sample_name
    write_path_length(sheet, "B7", path_length)
    data_mode = DATA_MODES[mode] if 0 <= mode < len(DATA_MODES) else ""
    if data_mode:
        sheet["B6"] = data_mode
    return data_mode


def scan_rows(sheet, xs, values, data_mode, x_title):
    for i in range(1, len(values)):
        copy_row(sheet, 14, 14 + i)
    for i, (x, value) in enumerate(zip(xs, values)):
        sheet.cell(row=14 + i, column=1, value=x)
        sheet.cell(row=14 + i, column=2, value=typed(value))
    add_chart(sheet, 14, 13 + max(len(values), 1), data_mode, x_title)


def wlscan(reader, sheet, name):
    data_mode = scan_head(reader, sheet, name)
    start, end = reader.token(), reader.token()
    code = reader.integer()
    planned = reader.integer()
    values = [reader.token() for _ in range(reader.integer())]
    sheet["B8"] = typed(start)
    sheet["B9"] = typed(end)
    step = WL_INTERVALS[code] if 1 <= code <= 5 else \
        (1.0 if float(end) - float(start) > 500 else 0.5)
    sheet["B10"] = step
    sheet["B11"] = planned
    first = float(start)
    xs = [float(f"{first + i * step:.4f}") for i in range(len(values))]
    scan_rows(sheet, xs, values, data_mode, "WL(nm)")


def kinetics(reader, sheet, name):
    data_mode = scan_head(reader, sheet, name)
    scan_time, wavelength = reader.token(), reader.token()
    code = int(reader.token() or 0)
    planned = reader.integer()
    values = [reader.token() for _ in range(reader.integer())]
    sheet["B9"] = typed(scan_time)
    sheet["B8"] = typed(wavelength)
    step = KINETICS_INTERVALS[code] if 1 <= code <= 6 else code
    sheet["B10"] = step
    sheet["B11"] = planned
    scan_rows(sheet, [i * step for i in range(len(values))], values, data_mode, "Time(s)")


WRITERS = {".pro": (protein, "brad.xlsx"), ".wsc": (wlscan, "wlscan.xlsx"),
           ".tsc": (kinetics, "kinetics.xlsx")}


def main(template_dir, export_path, output_path):
    export = Path(export_path)
    writer, template = WRITERS[export.suffix.lower()]
    book = openpyxl.load_workbook(Path(template_dir) / template)
    reader = ExportReader(export.read_bytes().decode("cp1252"))
    writer(reader, book.active, export.name)
    book.save(output_path)


if __name__ == "__main__":
    main(*sys.argv[1:4])
