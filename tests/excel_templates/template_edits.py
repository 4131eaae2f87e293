"""Template fixtures that libxlsxwriter does not write, made by editing the XML of its packages
the way Excel writes these features (shared formulas, sparklines and other 2010 extensions,
cross-sheet validations, pivot caches, threaded comments, 1904 dates, a calculation chain,
parts spelled the way other writers spell them); the same packages re-zipped by other zip
writers; a package declaring its relationship parts one by one; and the two kinds of file that are refused (a password-protected workbook, an Excel
97-2003 workbook renamed .xlsx)."""

import re
import shutil
import subprocess
import tempfile
import zipfile
from pathlib import Path

import package_rules

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
X14 = "http://schemas.microsoft.com/office/spreadsheetml/2009/9/main"
XM = "http://schemas.microsoft.com/office/excel/2006/main"
THREADED = "http://schemas.microsoft.com/office/spreadsheetml/2018/threadedcomments"
REPORT = "xl/worksheets/sheet1.xml"


def replace_once(text, old, new):
    assert text.count(old) == 1, "expected one %r" % old
    return text.replace(old, new)


def derive(folder, source, name, edits=None, added=None):
    """Writes folder/name.xlsx: source's parts with `edits` (part -> function of its text)
    applied and `added` parts (part -> text) appended."""
    edits, added = edits or {}, added or {}
    with zipfile.ZipFile(folder / (source + ".xlsx")) as src, \
            zipfile.ZipFile(folder / (name + ".xlsx"), "w", zipfile.ZIP_DEFLATED) as out:
        for info in src.infolist():
            data = src.read(info)
            if info.filename in edits:
                data = edits[info.filename](data.decode("utf-8")).encode("utf-8")
            out.writestr(info.filename, data)
        for part, text in added.items():
            out.writestr(part, text.encode("utf-8"))


def add_override(part, content_type):
    return lambda text: replace_once(
        text, "</Types>",
        '<Override PartName="/%s" ContentType="%s"/></Types>' % (part, content_type))


def add_relationship(rid, kind, target):
    return lambda text: replace_once(
        text, "</Relationships>",
        '<Relationship Id="%s" Type="%s" Target="%s"/></Relationships>' % (rid, kind, target))


def relationships(*entries):
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Relationships xmlns='
            '"http://schemas.openxmlformats.org/package/2006/relationships">' +
            "".join('<Relationship Id="%s" Type="%s" Target="%s"/>' % e for e in entries) +
            "</Relationships>")


def chain(*functions):
    def apply(text):
        for function in functions:
            text = function(text)
        return text
    return apply


def append_extension(uri, body):
    """An <ext> of the 2010 namespace at the end of the worksheet, in its <extLst>."""
    ext = '<ext uri="%s" xmlns:x14="%s">%s</ext>' % (uri, X14, body)
    def apply(text):
        if "<extLst>" in text:
            return replace_once(text, "</extLst></worksheet>", ext + "</extLst></worksheet>")
        return replace_once(text, "</worksheet>", "<extLst>%s</extLst></worksheet>" % ext)
    return apply


def shared_formulas(folder):
    # Excel shares a formula filled across cells: the anchor holds the text, the others its id.
    derive(folder, "plain", "shared_formulas", {REPORT: chain(
        lambda t: replace_once(t, '<c r="C12"><f>AVERAGE(C5:C5)</f>',
                               '<c r="C12"><f t="shared" ref="C12:D12" si="0">AVERAGE(C5:C5)</f>'),
        lambda t: replace_once(t, '<c r="D12"><f>AVERAGE(D5:D5)</f>',
                               '<c r="D12"><f t="shared" si="0"/>'),
        lambda t: replace_once(t, '<f>IF(D5=0,"",C5/D5)</f><v>0</v></c>',
                               '<f>IF(D5=0,"",C5/D5)</f><v>0</v></c><c r="F5"><f t="shared" '
                               'ref="F5:G5" si="1">$C5*2+C$12</f><v>0</v></c><c r="G5"><f '
                               't="shared" si="1"/><v>0</v></c>'),
        lambda t: t.replace('spans="1:5"', 'spans="1:7"'))})


def sparklines(folder):
    body = ('<x14:sparklineGroups xmlns:xm="%s"><x14:sparklineGroup displayEmptyCellsAs="gap">'
            '<x14:colorSeries rgb="FF376092"/><x14:colorNegative rgb="FFD00000"/>'
            '<x14:colorAxis rgb="FF000000"/><x14:colorMarkers rgb="FFD00000"/>'
            '<x14:colorFirst rgb="FFD00000"/><x14:colorLast rgb="FFD00000"/>'
            '<x14:colorHigh rgb="FFD00000"/><x14:colorLow rgb="FFD00000"/><x14:sparklines>'
            '<x14:sparkline><xm:f>Report!C5:D5</xm:f><xm:sqref>F5</xm:sqref></x14:sparkline>'
            '<x14:sparkline><xm:f>Report!C12:D12</xm:f><xm:sqref>F12</xm:sqref></x14:sparkline>'
            '</x14:sparklines></x14:sparklineGroup></x14:sparklineGroups>' % XM)
    derive(folder, "data_bars_2010", "sparklines_and_data_bars", {REPORT: append_extension(
        "{05C60535-1F16-4fd2-B633-F4F36F0B64E0}", body)})


def cross_sheet_validation(folder):
    # Excel 2010 writes a list whose source is on another sheet as an extension.
    body = ('<x14:dataValidations count="1" xmlns:xm="%s"><x14:dataValidation type="list" '
            'allowBlank="1" showInputMessage="1" showErrorMessage="1"><x14:formula1>'
            '<xm:f>Lists!$A$1:$A$2</xm:f></x14:formula1><xm:sqref>B5</xm:sqref>'
            '</x14:dataValidation></x14:dataValidations>' % XM)
    derive(folder, "validation_from_other_sheet", "cross_sheet_validation", {REPORT: chain(
        lambda t: re.sub(r"<dataValidations.*?</dataValidations>", "", t),
        append_extension("{CCE6A557-97BC-4b89-ADB6-D9C93CAAB3DF}", body))})


def cross_sheet_conditional_format(folder):
    body = ('<x14:conditionalFormattings><x14:conditionalFormatting xmlns:xm="%s">'
            '<x14:cfRule type="expression" priority="1" id="{00000000-0001-0000-0000-000000000001}">'
            '<xm:f>COUNTIF(Lists!$A$1:$A$2,$B5)=0</xm:f><x14:dxf><font><color rgb="FF9C0006"/>'
            '</font></x14:dxf></x14:cfRule><xm:sqref>B5:C5</xm:sqref>'
            '</x14:conditionalFormatting></x14:conditionalFormattings>' % XM)
    derive(folder, "validation_from_other_sheet", "cross_sheet_conditional_format",
           {REPORT: append_extension("{78C0D931-6437-407d-A8EE-F0AAD7539E65}", body)})


PIVOT_CACHE = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<pivotCacheDefinition xmlns="%s" xmlns:r="%s" r:id="rId1" createdVersion="6" refreshedVersion="6" minRefreshableVersion="3" recordCount="1"><cacheSource type="worksheet"><worksheetSource ref="A4:E5" sheet="Report"/></cacheSource><cacheFields count="5"><cacheField name="No." numFmtId="0"><sharedItems containsSemiMixedTypes="0" containsString="0" containsNumber="1" containsInteger="1" minValue="1" maxValue="1"/></cacheField><cacheField name="Sample" numFmtId="0"><sharedItems count="1"><s v="S1"/></sharedItems></cacheField><cacheField name="WL1" numFmtId="0"><sharedItems containsSemiMixedTypes="0" containsString="0" containsNumber="1" minValue="0.512" maxValue="0.512"/></cacheField><cacheField name="WL2" numFmtId="0"><sharedItems containsSemiMixedTypes="0" containsString="0" containsNumber="1" minValue="0.256" maxValue="0.256"/></cacheField><cacheField name="Ratio" numFmtId="0"><sharedItems containsSemiMixedTypes="0" containsString="0" containsNumber="1" minValue="2" maxValue="2"/></cacheField></cacheFields></pivotCacheDefinition>""" % (MAIN, REL)

PIVOT_RECORDS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<pivotCacheRecords xmlns="%s" xmlns:r="%s" count="1"><r><n v="1"/><x v="0"/><n v="0.512"/><n v="0.256"/><n v="2"/></r></pivotCacheRecords>""" % (MAIN, REL)

PIVOT_TABLE = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<pivotTableDefinition xmlns="%s" name="PivotTable1" cacheId="1" applyNumberFormats="0" applyBorderFormats="0" applyFontFormats="0" applyPatternFormats="0" applyAlignmentFormats="0" applyWidthHeightFormats="1" dataCaption="Values" updatedVersion="6" minRefreshableVersion="3" createdVersion="6" indent="0" outline="1" outlineData="1" multipleFieldFilters="0"><location ref="A3:B5" firstHeaderRow="1" firstDataRow="1" firstDataCol="1"/><pivotFields count="5"><pivotField showAll="0"/><pivotField axis="axisRow" showAll="0"><items count="2"><item x="0"/><item t="default"/></items></pivotField><pivotField dataField="1" showAll="0"/><pivotField showAll="0"/><pivotField showAll="0"/></pivotFields><rowFields count="1"><field x="1"/></rowFields><rowItems count="2"><i><x/></i><i t="grand"><x/></i></rowItems><colItems count="1"><i/></colItems><dataFields count="1"><dataField name="Sum of WL1" fld="2" baseField="0" baseItem="0"/></dataFields><pivotTableStyleInfo name="PivotStyleLight16" showRowHeaders="1" showColHeaders="1" showRowStripes="0" showColStripes="0" showLastColumn="1"/></pivotTableDefinition>""" % MAIN


def pivot_cache(folder):
    # A pivot table on the sheet "Appendix" over the sample table of the report sheet.
    office = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    content = "application/vnd.openxmlformats-officedocument.spreadsheetml."
    derive(folder, "active_second_sheet", "pivot_cache", {
        "xl/workbook.xml": lambda t: re.sub(
            r"(<calcPr[^>]*/>)", r'\1<pivotCaches><pivotCache cacheId="1" r:id="rId90"/>'
            r"</pivotCaches>", t),
        "xl/_rels/workbook.xml.rels": add_relationship(
            "rId90", office + "pivotCacheDefinition", "pivotCache/pivotCacheDefinition1.xml"),
        "[Content_Types].xml": chain(
            add_override("xl/pivotCache/pivotCacheDefinition1.xml",
                         content + "pivotCacheDefinition+xml"),
            add_override("xl/pivotCache/pivotCacheRecords1.xml",
                         content + "pivotCacheRecords+xml"),
            add_override("xl/pivotTables/pivotTable1.xml", content + "pivotTable+xml")),
    }, {
        "xl/pivotCache/pivotCacheDefinition1.xml": PIVOT_CACHE,
        "xl/pivotCache/pivotCacheRecords1.xml": PIVOT_RECORDS,
        "xl/pivotCache/_rels/pivotCacheDefinition1.xml.rels": relationships(
            ("rId1", office + "pivotCacheRecords", "pivotCacheRecords1.xml")),
        "xl/pivotTables/pivotTable1.xml": PIVOT_TABLE,
        "xl/pivotTables/_rels/pivotTable1.xml.rels": relationships(
            ("rId1", office + "pivotCacheDefinition", "../pivotCache/pivotCacheDefinition1.xml")),
        "xl/worksheets/_rels/sheet3.xml.rels": relationships(
            ("rId1", office + "pivotTable", "../pivotTables/pivotTable1.xml")),
    })


def threaded_comments(folder):
    # Excel 365 keeps a thread beside each legacy note, which older readers show instead.
    person = "{5B2D7B1A-0000-4000-8000-000000000001}"
    thread = "".join(
        '<threadedComment ref="%s" dT="2024-03-01T09:30:00.00" personId="%s" '
        'id="{5B2D7B1A-0000-4000-8000-00000000001%d}"><text>%s</text></threadedComment>'
        % (ref, person, i, text) for i, (ref, text) in enumerate(
            [("C4", "first wavelength"), ("B5", "sample id as read"),
             ("C12", "mean of all samples")]))
    derive(folder, "comments", "threaded_comments", {
        "xl/worksheets/_rels/sheet1.xml.rels": add_relationship(
            "rId91", "http://schemas.microsoft.com/office/2017/10/relationships/threadedComment",
            "../threadedComments/threadedComment1.xml"),
        "xl/_rels/workbook.xml.rels": add_relationship(
            "rId92", "http://schemas.microsoft.com/office/2017/10/relationships/person",
            "persons/person.xml"),
        "[Content_Types].xml": chain(
            add_override("xl/threadedComments/threadedComment1.xml",
                         "application/vnd.ms-excel.threadedcomments+xml"),
            add_override("xl/persons/person.xml", "application/vnd.ms-excel.person+xml")),
    }, {
        "xl/threadedComments/threadedComment1.xml":
            '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<ThreadedComments '
            'xmlns="%s" xmlns:x="%s">%s</ThreadedComments>' % (THREADED, MAIN, thread),
        "xl/persons/person.xml":
            '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<personList xmlns="%s" '
            'xmlns:x="%s"><person displayName="Lab" id="%s" userId="Lab" providerId="None"/>'
            '</personList>' % (THREADED, MAIN, person),
    })


def date_1904(folder):
    derive(folder, "rich_text_and_number_formats", "date_1904", {"xl/workbook.xml": lambda t:
           replace_once(t, "<workbookPr ", '<workbookPr date1904="1" ')})


def calc_chain(folder):
    derive(folder, "plain", "calc_chain", {
        "xl/_rels/workbook.xml.rels": add_relationship(
            "rId93", "http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain",
            "calcChain.xml"),
        "[Content_Types].xml": add_override(
            "xl/calcChain.xml",
            "application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"),
    }, {"xl/calcChain.xml": '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
        '<calcChain xmlns="%s"><c r="E5" i="1"/><c r="C12"/><c r="D12"/><c r="E12"/>'
        '<c r="C13"/><c r="B14"/></calcChain>' % MAIN})


def relationships_one_by_one(folder):
    # Each relationship part the report adds then needs an Override of its own.
    package_rules.declare_relationships_one_by_one(folder / "plain.xlsx",
                                                   folder / "relationships_one_by_one.xlsx")


def spelled_otherwise(text):
    """The same XML as other writers spell it: CR LF between elements, empty elements open and
    closed, quotes as character references."""
    text = re.sub(r"<([A-Za-z][\w:.-]*)((?:\s+[^<>]*?)?)\s*/>", r"<\1\2></\1>", text)
    text = text.replace("&quot;", "&#34;").replace("><", ">\r\n<")
    return text


def odd_spellings(folder):
    # Nothing on the sheet "Data" and its chart refers to the report sheet.
    derive(folder, "chart_on_other_sheet_of_other_data", "odd_spellings_of_untouched_parts", {
        part: spelled_otherwise for part in
        ["xl/worksheets/sheet2.xml", "xl/drawings/drawing1.xml", "xl/charts/chart1.xml",
         "xl/styles.xml", "docProps/app.xml"]})
    # The chart above the table moves with nothing; its drawing keeps its spelling.
    derive(folder, "chart_above_the_table", "odd_spellings_of_the_report_drawing", {
        part: spelled_otherwise for part in ["xl/drawings/drawing1.xml", "xl/styles.xml"]})
    derive(folder, "plain", "odd_spellings_of_the_report_sheet", {REPORT: spelled_otherwise})


def rezipped(folder, source):
    """`source` re-zipped by other zip writers, some with data descriptors (item 6)."""
    made = []
    with tempfile.TemporaryDirectory(prefix="korvanta-rezip-") as work:
        tree = Path(work) / "tree"
        with zipfile.ZipFile(folder / (source + ".xlsx")) as src:
            src.extractall(tree)
            names = src.namelist()
        writers = {
            "infozip": ["zip", "-q", "-X", "-r"],
            "infozip_descriptors": ["zip", "-q", "-X", "-r", "-fd"],
            "bsdtar": ["bsdtar", "--format", "zip", "-cf"],
            "7z": ["7z", "a", "-tzip", "-bd", "-bso0"],
        }
        for writer, command in writers.items():
            if shutil.which(command[0]) is None:
                raise RuntimeError("%s is missing (scripts/install-deps installs it)" % command[0])
            name = "%s_rezipped_by_%s" % (source, writer)
            target = (folder / (name + ".xlsx")).resolve()
            subprocess.run(command + [str(target)] + (names if writer == "bsdtar" else ["."]),
                           cwd=tree, check=True, capture_output=True)
            made.append(name)
        for descriptors in (False, True):
            name = "%s_rezipped_by_python%s" % (source, "_descriptors" if descriptors else "")
            with open(folder / (name + ".xlsx"), "wb") as raw:
                # An output that cannot seek makes zipfile write data descriptors.
                stream = _Unseekable(raw) if descriptors else raw
                with zipfile.ZipFile(stream, "w", zipfile.ZIP_DEFLATED) as out:
                    for part in names:
                        out.write(tree / part, part)
            made.append(name)
    return made


class _Unseekable:
    def __init__(self, raw):
        self.raw = raw

    def write(self, data):
        return self.raw.write(data)

    def flush(self):
        self.raw.flush()


def compound_file(streams):
    """A compound file (version 3, 512-byte sectors) holding `streams` (name -> bytes, each
    at least 4096 bytes long so that none goes to the mini stream)."""
    import struct
    free, end, fat_sector = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD
    sectors, fat = [], [fat_sector, end]  # sector 0: the FAT, sector 1: the directory
    starts = []
    for data in streams.values():
        assert len(data) >= 4096
        data += b"\0" * (-len(data) % 512)
        starts.append(len(fat))
        count = len(data) // 512
        fat += [len(fat) + k + 1 for k in range(count - 1)] + [end]
        sectors += [data[k * 512:(k + 1) * 512] for k in range(count)]
    assert len(fat) <= 128

    def entry(name, kind, left, right, child, start, size):
        encoded = (name + "\0").encode("utf-16-le")
        return (encoded.ljust(64, b"\0") + struct.pack("<HBB3I", len(encoded), kind, 1, left,
                right, child) + b"\0" * 36 + struct.pack("<IQ", start, size))

    # The root's child is the first stream; the others hang to its right.
    names = list(streams)
    directory = entry("Root Entry", 5, free, free, 1 if names else free, end, 0)
    for i, name in enumerate(names):
        right = i + 2 if i + 1 < len(names) else free
        directory += entry(name, 2, free, right, free, starts[i], len(streams[name]))
    directory = directory.ljust(512, b"\0")
    header = (b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 16 +
              struct.pack("<HHHHH6xIIIIIIIII", 0x3E, 3, 0xFFFE, 9, 6, 0, 1, 1, 0, 4096, end, 0,
                          end, 0) + struct.pack("<I", 0) + b"\xFF" * 4 * 108)
    fat_bytes = struct.pack("<128I", *(fat + [free] * (128 - len(fat))))
    return header + fat_bytes + directory + b"".join(sectors)


def agile_encryption_info():
    """The XML of an agile encryption (what Excel writes for a password), random keys."""
    import base64
    import os
    def b64(size):
        return base64.b64encode(os.urandom(size)).decode()
    algorithm = ('saltSize="16" blockSize="16" keyBits="256" hashSize="64" cipherAlgorithm="AES" '
                 'cipherChaining="ChainingModeCBC" hashAlgorithm="SHA512"')
    xml = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n<encryption xmlns='
           '"http://schemas.microsoft.com/office/2006/encryption" xmlns:p="http://schemas.'
           'microsoft.com/office/2006/keyEncryptor/password"><keyData %s saltValue="%s"/>'
           '<dataIntegrity encryptedHmacKey="%s" encryptedHmacValue="%s"/><keyEncryptors>'
           '<keyEncryptor uri="http://schemas.microsoft.com/office/2006/keyEncryptor/password">'
           '<p:encryptedKey spinCount="100000" %s saltValue="%s" encryptedVerifierHashInput="%s" '
           'encryptedVerifierHashValue="%s" encryptedKeyValue="%s"/></keyEncryptor>'
           '</keyEncryptors></encryption>'
           % (algorithm, b64(16), b64(64), b64(64), algorithm, b64(16), b64(16), b64(64), b64(32)))
    return xml.encode().ljust(4096, b" ")


def refused_files(folder, soffice, profile):
    """A password-protected workbook (a compound file holding an encrypted package) and an
    Excel 97-2003 workbook renamed .xlsx, each with the words of its refusal."""
    import msoffcrypto
    import os
    protected = folder / "password_protected.xlsx"
    protected.write_bytes(compound_file({
        "EncryptionInfo": b"\x04\x00\x04\x00\x40\x00\x00\x00" + agile_encryption_info(),
        "EncryptedPackage": os.urandom(8192)}))
    with open(protected, "rb") as check:
        assert msoffcrypto.OfficeFile(check).is_encrypted(), "not taken for an encrypted package"
    with tempfile.TemporaryDirectory(prefix="korvanta-xls-") as work:
        subprocess.run([soffice, "-env:UserInstallation=" + profile, "--headless",
                        "--convert-to", "xls", "--outdir", work, str(folder / "plain.xlsx")],
                       check=True, capture_output=True, timeout=300)
        shutil.copy(Path(work) / "plain.xls", folder / "excel_97_2003.xlsx")
    return {
        "password_protected": "is protected with a password; save it without a password.",
        "excel_97_2003": "is an Excel 97-2003 workbook; save it as an Excel Workbook (.xlsx).",
    }


def edited_templates(folder):
    """Makes the edited fixtures in `folder` (beside the libxlsxwriter ones); their names."""
    before = {p.stem for p in folder.glob("*.xlsx")}
    for make in (shared_formulas, sparklines, cross_sheet_validation,
                 cross_sheet_conditional_format, pivot_cache, threaded_comments, date_1904,
                 calc_chain, odd_spellings, relationships_one_by_one):
        make(folder)
    rezipped(folder, "everything")
    return sorted({p.stem for p in folder.glob("*.xlsx")} - before)
