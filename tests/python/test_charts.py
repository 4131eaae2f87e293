"""Checks the charts of the scan reports with readers we did not write.

openpyxl must find exactly one chart on the report's sheet: a scatter chart with one series
over the data block, straight lines without markers, no title and no legend, the axis titles
of its kind and the x axis spanning the data. LibreOffice must read the chart as such and
keep its ranges when it saves the report again. A user's template with another sheet name
and a picture keeps the picture and gets quoted references; one that declares its relationship
parts one by one gets a content type for each part the chart adds.
"""

import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile

import openpyxl

import package_rules

BIN_DIR = os.environ.get("KORVANTA_BIN_DIR", "")
TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")
DATA_DIR = os.environ.get("KORVANTA_TEST_DATA_DIR", "")
EXAMPLES = os.path.join(os.environ.get("KORVANTA_SOURCE_DIR", ""), "examples")


def convert(source, out_dir, template_dir=None):
    output = os.path.join(out_dir, os.path.splitext(os.path.basename(source))[0] + ".xlsx")
    command = [os.path.join(BIN_DIR, "korvanta"), "convert", "--quiet", "--force", "-o", output]
    if template_dir:
        command += ["--template-dir", template_dir]
    env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
    result = subprocess.run(command + [source], capture_output=True, text=True, env=env)
    if result.returncode != 0:
        raise AssertionError(f"korvanta failed on {source}: {result.stderr}")
    return output


def title_text(title):
    if title is None or title.tx is None or title.tx.rich is None:
        return None
    return "".join(run.t for paragraph in title.tx.rich.p for run in (paragraph.r or []))


def only_chart(path):
    sheet = openpyxl.load_workbook(path).active
    charts = sheet._charts
    if len(charts) != 1:
        raise AssertionError(f"{path}: {len(charts)} charts")
    return sheet, charts[0]


def chart_parts(path):
    with zipfile.ZipFile(path) as package:
        return {name: package.read(name).decode("utf-8") for name in package.namelist()
                if name.startswith("xl/charts/chart")}


class ReportsInScratch(unittest.TestCase):
    """Tests whose reports go to a scratch folder of their class."""

    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp(prefix="korvanta-charts-")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir, ignore_errors=True)

    def resaved_chart(self, report):
        """The one chart of the report as LibreOffice saves it again."""
        resaved_dir = os.path.join(self.dir, "resaved")
        os.makedirs(resaved_dir, exist_ok=True)
        profile = "file://" + os.path.join(self.dir, "lo-profile")
        subprocess.run(["soffice", f"-env:UserInstallation={profile}", "--headless",
                        "--convert-to", "xlsx", "--outdir", resaved_dir, report],
                       check=True, capture_output=True, timeout=300)
        return only_chart(os.path.join(resaved_dir, os.path.basename(report)))[1]


class ScanCharts(ReportsInScratch):

    def report(self, kind, name):
        return convert(os.path.join(DATA_DIR, kind, name), self.dir)

    def check_chart(self, path, x_range, y_range, x_title, y_title, x_bounds):
        sheet, chart = only_chart(path)
        self.assertEqual(sheet.title, "Sheet1")
        self.assertEqual(chart.tagname, "scatterChart")
        self.assertEqual(chart.scatterStyle, "lineMarker")
        self.assertEqual(len(chart.series), 1)
        series = chart.series[0]
        self.assertEqual(series.xVal.numRef.f, x_range)
        self.assertEqual(series.yVal.numRef.f, y_range)
        # openpyxl reads the symbol "none" as None; the marker element itself must be there.
        self.assertIsNotNone(series.marker)
        self.assertIsNone(series.marker.symbol)
        self.assertFalse(series.smooth)
        self.assertIsNone(chart.title)
        self.assertIsNone(chart.legend)
        self.assertEqual(title_text(chart.x_axis.title), x_title)
        self.assertEqual(title_text(chart.y_axis.title), y_title)
        if y_title is not None:
            self.assertEqual(chart.y_axis.title.tx.rich.bodyPr.rot, 0)
        self.assertEqual((chart.x_axis.scaling.min, chart.x_axis.scaling.max), x_bounds)
        # openpyxl invents gridlines for axes that have none, so the part is read directly.
        for xml in chart_parts(path).values():
            self.assertNotIn("Gridlines", xml)
        return chart

    def test_wl_scan_chart(self):
        self.check_chart(self.report("wlscan", "auto_exactly_500.wsc"), "Sheet1!$A$14:$A$16",
                         "Sheet1!$B$14:$B$16", "WL(nm)", "ABS", (200, 201))

    def test_kinetics_chart_keeps_percent_t(self):
        self.check_chart(self.report("kinetics", "code3_percent_t.tsc"), "Sheet1!$A$14:$A$16",
                         "Sheet1!$B$14:$B$16", "Time(s)", "%T", (0, 10))

    def test_tm_chart(self):
        self.check_chart(self.report("tm", "start20_step05.tm"), "Sheet1!$A$17:$A$19",
                         "Sheet1!$B$17:$B$19", "Temp(\u00b0C)", "OD", (20, 21))

    def test_unknown_data_mode_leaves_the_y_axis_untitled(self):
        self.check_chart(self.report("kinetics", "datamode5.tsc"), "Sheet1!$A$14:$A$15",
                         "Sheet1!$B$14:$B$15", "Time(s)", None, (0, 1))

    def test_single_point_and_no_points(self):
        self.check_chart(self.report("wlscan", "one_point.wsc"), "Sheet1!$A$14:$A$14",
                         "Sheet1!$B$14:$B$14", "WL(nm)", "ABS", (None, None))
        chart = self.check_chart(self.report("tm", "no_points.tm"), "Sheet1!$A$17:$A$17",
                                 "Sheet1!$B$17:$B$17", "Temp(\u00b0C)", "OD", (None, None))
        self.assertFalse(chart.series[0].yVal.numRef.numCache.pt)

    def test_libreoffice_reads_the_chart_and_keeps_its_ranges(self):
        chart = self.resaved_chart(self.report("wlscan", "code1.wsc"))
        self.assertEqual(chart.tagname, "scatterChart")
        series = chart.series[0]
        self.assertEqual(series.xVal.numRef.f.replace("$", ""), "Sheet1!A14:A16")
        self.assertEqual(series.yVal.numRef.f.replace("$", ""), "Sheet1!B14:B16")
        self.assertEqual(title_text(chart.x_axis.title), "WL(nm)")


class StandardCurveCharts(ReportsInScratch):
    """The template's standard curve: drawn by the spreadsheet from the standards' cells."""

    def test_one_scatter_chart_with_a_linear_trendline_beside_the_standards(self):
        # (report, standards' first and last row, the sample table's last column, y title:
        # the unit as B8 shows it, none for an unknown unit code)
        ug_ml = "Concentration (ug/ml)"
        cases = [(("protein", "one_standard.pro"), 14, 14, "E", ug_ml),
                 (("protein", "curve_s2_w1_n1.pro"), 14, 15, "E", ug_ml),
                 (("protein", "curve_unknown_unit.pro"), 14, 15, "E", "Concentration"),
                 (("protein", "curve_s7_w3_n4.pro"), 16, 22, "G", ug_ml),
                 (("protein", "curve_s40_w2_n12.pro"), 15, 54, "F", ug_ml),
                 (("concentration", "curve_s4_w2_n3.con"), 15, 18, "F", ug_ml)]
        for (kind, name), first, last, last_column, y_title in cases:
            with self.subTest(report=name):
                sheet, chart = only_chart(convert(os.path.join(DATA_DIR, kind, name), self.dir))
                self.assertEqual(chart.tagname, "scatterChart")
                self.assertEqual(len(chart.series), 1)
                series = chart.series[0]
                self.assertEqual(series.xVal.numRef.f, f"Sheet1!$C${first}:$C${last}")
                self.assertEqual(series.yVal.numRef.f, f"Sheet1!$B${first}:$B${last}")
                # Markers only: the series line is switched off.
                self.assertTrue(series.spPr.ln.noFill)
                self.assertEqual(series.trendline.trendlineType, "linear")
                self.assertTrue(series.trendline.dispEq)
                self.assertTrue(series.trendline.dispRSqr)
                self.assertEqual(title_text(chart.title), "Standard curve")
                self.assertEqual(title_text(chart.x_axis.title), "OD")
                self.assertEqual(title_text(chart.y_axis.title), y_title)
                self.assertIsNone(chart.legend)
                # Top-left at the standards' heading, right of every column the table uses.
                anchor = chart.anchor._from
                self.assertEqual(anchor.row + 1, first - 1)
                table_last = openpyxl.utils.column_index_from_string(last_column)
                self.assertGreater(anchor.col + 1, table_last)
                for row in sheet.iter_rows(min_col=anchor.col + 1, max_col=anchor.col + 8):
                    for cell in row:
                        self.assertIsNone(cell.value, f"{cell.coordinate} under the chart")

    def test_libreoffice_reads_the_curve_with_its_trendline(self):
        chart = self.resaved_chart(
            convert(os.path.join(DATA_DIR, "protein", "curve_s7_w3_n4.pro"), self.dir))
        self.assertEqual(chart.tagname, "scatterChart")
        series = chart.series[0]
        self.assertEqual(series.xVal.numRef.f.replace("$", ""), "Sheet1!C16:C22")
        self.assertEqual(series.yVal.numRef.f.replace("$", ""), "Sheet1!B16:B22")
        self.assertEqual(series.trendline.trendlineType, "linear")
        self.assertTrue(series.trendline.dispEq)
        self.assertTrue(series.trendline.dispRSqr)
        self.assertEqual(title_text(chart.y_axis.title), "Concentration (ug/ml)")

    def test_a_k_factor_report_keeps_an_empty_chart(self):
        report = convert(os.path.join(DATA_DIR, "concentration", "kfactor_w1_n2.con"), self.dir)
        _, chart = only_chart(report)
        series = chart.series[0]
        self.assertEqual((series.xVal.numRef.f, series.yVal.numRef.f),
                         ("Sheet1!#REF!", "Sheet1!#REF!"))
        # No numbers of the template's empty row remain to be drawn.
        self.assertIsNone(series.xVal.numRef.numCache)
        self.assertIsNone(series.yVal.numRef.numCache)


class UserTemplate(unittest.TestCase):
    def test_renamed_sheet_with_a_picture(self):
        from openpyxl.drawing.image import Image
        from PIL import Image as PilImage

        work = tempfile.mkdtemp(prefix="korvanta-user-template-")
        self.addCleanup(shutil.rmtree, work, True)
        templates = os.path.join(work, "template")
        shutil.copytree(TEMPLATE_DIR, templates)
        logo = os.path.join(work, "logo.png")
        PilImage.new("RGB", (40, 20), (200, 30, 30)).save(logo)
        book = openpyxl.load_workbook(os.path.join(templates, "wlscan.xlsx"))
        book.active.title = "Scan 1"
        book.active.add_image(Image(logo), "H20")
        book.save(os.path.join(templates, "wlscan.xlsx"))

        report = convert(os.path.join(DATA_DIR, "wlscan", "auto_exactly_500.wsc"), work, templates)
        sheet, chart = only_chart(report)
        self.assertEqual(sheet.title, "Scan 1")
        self.assertEqual(len(sheet._images), 1)
        self.assertEqual(chart.series[0].xVal.numRef.f, "'Scan 1'!$A$14:$A$16")
        self.assertEqual(chart.series[0].yVal.numRef.f, "'Scan 1'!$B$14:$B$16")

    def test_relationship_parts_declared_one_by_one(self):
        work = tempfile.mkdtemp(prefix="korvanta-user-template-")
        self.addCleanup(shutil.rmtree, work, True)
        templates = os.path.join(work, "template")
        shutil.copytree(TEMPLATE_DIR, templates)
        for template, example in (("kinetics.xlsx", "kinetics.tsc"), ("tm.xlsx", "tm.tm"),
                                  ("wlscan.xlsx", "wlscan.wsc")):
            with self.subTest(template):
                path = os.path.join(templates, template)
                package_rules.declare_relationships_one_by_one(os.path.join(TEMPLATE_DIR, template),
                                                               path)
                report = convert(os.path.join(EXAMPLES, example), work, templates)
                self.assertEqual(package_rules.package_faults(report), [])
                only_chart(report)


if __name__ == "__main__":
    unittest.main()
