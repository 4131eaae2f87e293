"""The packaging rules every saved workbook keeps, read apart from the engine: each part has a
content type (an Override naming it or a Default for its extension) and each internal
relationship points to a part of the package. Also rewrites a package to declare its
relationship parts one by one, as some writers do."""

import posixpath
import re
import zipfile
from urllib.parse import unquote
from xml.etree import ElementTree

RELATIONSHIPS_TYPE = "application/vnd.openxmlformats-package.relationships+xml"


def package_faults(path):
    """What breaks the rules in the package at `path`; empty when nothing does."""
    faults = []
    with zipfile.ZipFile(path) as package:
        names = [name for name in package.namelist() if not name.endswith("/")]
        present = {name.lower() for name in names}
        types = ElementTree.fromstring(package.read("[Content_Types].xml"))
        overrides = {e.get("PartName", "").lower() for e in types if e.tag.endswith("Override")}
        defaults = {e.get("Extension", "").lower() for e in types if e.tag.endswith("Default")}
        for name in names:
            if name == "[Content_Types].xml":
                continue
            file_name = name.rsplit("/", 1)[-1]
            extension = file_name.rsplit(".", 1)[-1].lower() if "." in file_name else None
            if "/" + name.lower() not in overrides and extension not in defaults:
                faults.append("%s has no content type" % name)
            if not name.endswith(".rels"):
                continue
            # "xl/worksheets/_rels/sheet1.xml.rels" speaks for a part in "xl/worksheets".
            folder = posixpath.dirname(posixpath.dirname(name))
            for relationship in ElementTree.fromstring(package.read(name)):
                if relationship.get("TargetMode") == "External":
                    continue
                target = unquote(relationship.get("Target", "").split("#")[0])
                part = posixpath.normpath(target[1:] if target.startswith("/")
                                          else posixpath.join(folder, target))
                if part.lower() not in present:
                    faults.append("%s: %s points to the missing part %s"
                                  % (name, relationship.get("Id"), target))
    return faults


def declare_relationships_one_by_one(source, target):
    """Writes `source` to `target` with its Default for .rels parts replaced by an Override per
    relationship part."""
    with zipfile.ZipFile(source) as package, \
            zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as out:
        overrides = "".join('<Override PartName="/%s" ContentType="%s"/>'
                            % (name, RELATIONSHIPS_TYPE)
                            for name in package.namelist() if name.endswith(".rels"))
        for info in package.infolist():
            data = package.read(info)
            if info.filename == "[Content_Types].xml":
                text, found = re.subn(r'<Default Extension="rels"[^>]*/>', overrides,
                                      data.decode("utf-8"))
                assert found == 1, "no Default for .rels parts in %s" % source
                data = text.encode("utf-8")
            out.writestr(info, data)
