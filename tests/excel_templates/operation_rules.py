"""What must hold in a template's output after the recipes of excel_templates.py, beyond schema
validity: the pattern row's companions (merges, conditional formats, validations, their 2010
extensions, sparklines) cover every copy of the row, tables grow over the copies and keep
header cells that match their column names, pivot caches read the grown range, and absolute
references in the copies of a formula are the same in every copy. In both recipes the pattern
row 5 ends up as rows 5 to 8."""

import re
import zipfile

from lxml import etree

PATTERN_ROWS = {5, 6, 7, 8}
MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}"
X14 = "{http://schemas.microsoft.com/office/spreadsheetml/2009/9/main}"
XM = "{http://schemas.microsoft.com/office/excel/2006/main}"
AREA = re.compile(r"\$?([A-Z]{1,3})\$?(\d+)(?::\$?([A-Z]{1,3})\$?(\d+))?")


def rows_of(sqref):
    """The rows a space-separated list of areas covers."""
    rows = set()
    for area in sqref.split():
        match = AREA.fullmatch(area.split("!")[-1])
        if match:
            first = int(match.group(2))
            rows |= set(range(first, int(match.group(4) or first) + 1))
    return rows


def target(base, relative):
    parts = base.rsplit("/", 1)[0].split("/") if "/" in base else []
    for piece in relative.split("/"):
        if piece == "..":
            parts.pop()
        elif piece != ".":
            parts.append(piece)
    return "/".join(parts)


class Package:
    def __init__(self, path):
        with zipfile.ZipFile(path) as z:
            self.parts = {i.filename: z.read(i) for i in z.infolist()}
        self.xml = {}

    def tree(self, name):
        if name not in self.xml:
            self.xml[name] = etree.fromstring(self.parts[name])
        return self.xml[name]

    def related(self, part, kind):
        rels = "%s/_rels/%s.rels" % tuple(part.rsplit("/", 1)) if "/" in part else \
            "_rels/%s.rels" % part
        if rels not in self.parts:
            return []
        return [target(part, r.get("Target")) for r in self.tree(rels)
                if r.get("Type").endswith("/" + kind) and r.get("TargetMode") != "External"]

    def active_sheet(self):
        book = self.tree("xl/workbook.xml")
        view = book.find(MAIN + "bookViews/" + MAIN + "workbookView")
        index = int(view.get("activeTab", "0")) if view is not None else 0
        sheet = book.findall(MAIN + "sheets/" + MAIN + "sheet")[index]
        rels = self.tree("xl/_rels/workbook.xml.rels")
        rid = sheet.get(REL + "id")
        part = next(r.get("Target") for r in rels if r.get("Id") == rid)
        return sheet.get("name"), target("xl/workbook.xml", part)

    def strings(self):
        if "xl/sharedStrings.xml" not in self.parts:
            return []
        return ["".join(si.itertext()) for si in self.tree("xl/sharedStrings.xml")]

    def cell_texts(self, sheet_part):
        strings, texts = self.strings(), {}
        for cell in self.tree(sheet_part).iter(MAIN + "c"):
            value = cell.find(MAIN + "v")
            if cell.get("t") == "s" and value is not None:
                texts[cell.get("r")] = strings[int(value.text)]
            elif cell.get("t") == "inlineStr":
                texts[cell.get("r")] = "".join(cell.find(MAIN + "is").itertext())
            elif cell.get("t") == "str" and value is not None:
                texts[cell.get("r")] = value.text or ""
        return texts


def companions(sheet):
    """The ranged companions of cells, by kind: kind -> list of sqref texts."""
    found = {"merged cells": [m.get("ref") for m in sheet.iter(MAIN + "mergeCell")],
             "conditional format": [c.get("sqref") for c in
                                    sheet.findall(MAIN + "conditionalFormatting")],
             "validation": [v.get("sqref") for v in sheet.iter(MAIN + "dataValidation")]}
    for kind, element in (("2010 conditional format", X14 + "conditionalFormatting"),
                          ("2010 validation", X14 + "dataValidation"),
                          ("sparkline", X14 + "sparkline")):
        found[kind] = [s.text or "" for e in sheet.iter(element) for s in e.iter(XM + "sqref")]
    return found


def check_companions(before, after):
    faults = []
    old, new = companions(before), companions(after)
    for kind, areas in old.items():
        on_pattern = [a for a in areas if 5 in rows_of(a)]
        if not on_pattern:
            continue
        if len(new[kind]) < len(areas):
            faults.append("%s: %d of %d are lost" % (kind, len(areas) - len(new[kind]),
                                                     len(areas)))
        covered = set().union(*(rows_of(a) for a in new[kind])) if new[kind] else set()
        missing = sorted(PATTERN_ROWS - covered)
        if missing:
            faults.append("%s on the pattern row misses the copies in rows %s" %
                          (kind, ", ".join(map(str, missing))))
    return faults


def check_extension_twins(after):
    """A plain rule and its 2010 twin (linked by x14:id) cover the same cells."""
    faults = []
    plain = {}
    for formatting in after.findall(MAIN + "conditionalFormatting"):
        for rule in formatting.findall(MAIN + "cfRule"):
            for ident in rule.iter(X14 + "id"):
                plain[ident.text] = formatting.get("sqref")
    for formatting in after.iter(X14 + "conditionalFormatting"):
        sqref = formatting.find(XM + "sqref")
        for rule in formatting.findall(X14 + "cfRule"):
            twin = plain.get(rule.get("id"))
            if twin is not None and sqref is not None and rows_of(twin) != rows_of(sqref.text):
                faults.append("2010 twin of the rule on %s covers %s" % (twin, sqref.text))
    return faults


def check_tables(package, sheet_part, before_package):
    faults = []
    texts = package.cell_texts(sheet_part)
    for table_part in package.related(sheet_part, "table"):
        table = package.tree(table_part)
        old_ref = before_package.tree(table_part).get("ref") \
            if table_part in before_package.parts else None
        match = AREA.fullmatch(table.get("ref"))
        first_col, first_row = match.group(1), int(match.group(2))
        if old_ref and 5 in rows_of(old_ref) and not PATTERN_ROWS <= rows_of(table.get("ref")):
            faults.append("table %s (%s) does not cover the copies of the pattern row" %
                          (table.get("name"), table.get("ref")))
        if table.get("headerRowCount", "1") == "0":
            continue
        column = column_number(first_col)
        for offset, entry in enumerate(table.iter(MAIN + "tableColumn")):
            address = column_letters(column + offset) + str(first_row)
            if texts.get(address, "") != entry.get("name"):
                faults.append("table %s: header cell %s reads %r, its column is named %r" %
                              (table.get("name"), address, texts.get(address, ""),
                               entry.get("name")))
    return faults


def check_pivot_caches(package, sheet_name, before_package):
    faults = []
    for name in package.parts:
        if not re.fullmatch(r"xl/pivotCache/pivotCacheDefinition\d+\.xml", name):
            continue
        cache = package.tree(name)
        source = cache.find(MAIN + "cacheSource/" + MAIN + "worksheetSource")
        old = before_package.tree(name).find(MAIN + "cacheSource/" + MAIN + "worksheetSource")
        if source is None or source.get("sheet") != sheet_name or 5 not in rows_of(old.get("ref")):
            continue
        if not PATTERN_ROWS <= rows_of(source.get("ref")):
            faults.append("pivot cache %s reads %s, not the copies of the pattern row" %
                          (name, source.get("ref")))
        if cache.get("refreshOnLoad") not in ("1", "true"):
            faults.append("pivot cache %s is not refreshed on load" % name)
    return faults


def check_copied_formulas(after):
    """Absolute references are the same in the pattern row and every copy of it."""
    faults = []
    by_column = {}
    for cell in after.iter(MAIN + "c"):
        match = re.fullmatch(r"([A-Z]+)(\d+)", cell.get("r", ""))
        formula = cell.find(MAIN + "f")
        if not match or int(match.group(2)) not in PATTERN_ROWS or formula is None or \
                not formula.text:
            continue
        absolute = tuple(re.findall(r"\$?[A-Z]{1,3}\$\d+", formula.text))
        by_column.setdefault(match.group(1), {})[int(match.group(2))] = absolute
    for column, rows in sorted(by_column.items()):
        if len(set(rows.values())) > 1:
            faults.append("column %s: the copies' absolute references differ: %s" % (
                column, "; ".join("row %d %s" % (r, ",".join(a) or "-")
                                  for r, a in sorted(rows.items()))))
    return faults


def column_number(letters):
    number = 0
    for letter in letters:
        number = number * 26 + ord(letter) - 64
    return number


def column_letters(number):
    letters = ""
    while number:
        number, rest = divmod(number - 1, 26)
        letters = chr(65 + rest) + letters
    return letters


def check(template_path, output_path):
    """The rule faults of one output."""
    before, after = Package(template_path), Package(output_path)
    sheet_name, sheet_part = after.active_sheet()
    old_sheet, new_sheet = before.tree(sheet_part), after.tree(sheet_part)
    return (check_companions(old_sheet, new_sheet) + check_extension_twins(new_sheet) +
            check_tables(after, sheet_part, before) +
            check_pivot_caches(after, sheet_name, before) + check_copied_formulas(new_sheet))
