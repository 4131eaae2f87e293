#include "workbook/opc.h"

#include <algorithm>

#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

std::string_view Folder(std::string_view part) {
  const auto slash = part.rfind('/');
  return slash == std::string_view::npos ? std::string_view{} : part.substr(0, slash);
}

std::vector<std::string_view> Segments(std::string_view path) {
  std::vector<std::string_view> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    if (end > start) segments.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return segments;
}

// The relationships of a part, for reading; empty when it has none.
pugi::xml_node RelationshipsToRead(Package& package, std::string_view source_part) {
  const std::string rels = RelationshipsPartName(source_part);
  if (!package.Contains(rels)) return {};
  return package.ParsedXml(rels).document_element();
}

// The relationships of a part, for editing; created when it has none.
pugi::xml_node RelationshipsToEdit(Package& package, std::string_view source_part) {
  const std::string rels = RelationshipsPartName(source_part);
  if (!package.Contains(rels)) {
    package.Write(rels, std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                                    "<Relationships xmlns=\"") +
                            std::string(kPackageRelationshipsNs) + "\"></Relationships>");
    RegisterContentType(package, rels, kRelationshipsContentType);
  }
  return package.Xml(rels).document_element();
}

bool IsOverrideOf(pugi::xml_node node, std::string_view part_name) {
  return LocalName(node) == "Override" &&
         EqualsIgnoreCase(node.attribute("PartName").value(), part_name);
}

// The content type the package's Default gives parts named like this one; empty when none.
std::string_view DefaultContentType(pugi::xml_node types, std::string_view part_name) {
  const auto dot = part_name.rfind('.');
  const auto slash = part_name.rfind('/');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  const std::string_view extension = part_name.substr(dot + 1);
  for (pugi::xml_node node : types.children()) {
    if (LocalName(node) == "Default" &&
        EqualsIgnoreCase(node.attribute("Extension").value(), extension)) {
      return node.attribute("ContentType").value();
    }
  }
  return {};
}

void SetContentTypeOverride(Package& package, std::string_view part,
                            std::string_view content_type) {
  RemoveContentTypeOverride(package, part);
  pugi::xml_node root = package.Xml(kContentTypesPart).document_element();
  pugi::xml_node node = root.append_child(SameNamespaceName(root, "Override").c_str());
  node.append_attribute("PartName") = ("/" + PartNameWithoutSlash(part)).c_str();
  node.append_attribute("ContentType") = std::string(content_type).c_str();
}

}  // namespace

std::string RelationshipsPartName(std::string_view source_part) {
  const std::string_view folder = Folder(source_part);
  const std::string_view file =
      folder.empty() ? source_part : source_part.substr(folder.size() + 1);
  std::string name;
  if (!folder.empty()) name = std::string(folder) + "/";
  return name + "_rels/" + std::string(file) + ".rels";
}

std::string ResolveTarget(std::string_view source_part, std::string_view target) {
  std::vector<std::string_view> path;
  if (!target.starts_with('/')) path = Segments(Folder(source_part));
  for (const std::string_view segment : Segments(target)) {
    if (segment == ".") continue;
    if (segment == "..") {
      if (path.empty()) return {};
      path.pop_back();
    } else {
      path.push_back(segment);
    }
  }
  std::string name;
  for (const std::string_view segment : path) {
    if (!name.empty()) name += '/';
    name += segment;
  }
  return name;
}

std::string RelativeTarget(std::string_view source_part, std::string_view target_part) {
  const auto from = Segments(Folder(source_part));
  const auto to = Segments(target_part);
  std::size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string relative;
  for (std::size_t i = common; i < from.size(); ++i) relative += "../";
  for (std::size_t i = common; i < to.size(); ++i) {
    relative += to[i];
    if (i + 1 < to.size()) relative += '/';
  }
  return relative;
}

bool HasRelationshipKind(std::string_view type, std::string_view kind) {
  return type.size() > kind.size() && type.ends_with(kind) &&
         type[type.size() - kind.size() - 1] == '/';
}

std::vector<Relationship> ReadRelationships(Package& package, std::string_view source_part) {
  std::vector<Relationship> relationships;
  const pugi::xml_node root = RelationshipsToRead(package, source_part);
  for (pugi::xml_node node : root.children()) {
    if (node.type() != pugi::node_element || LocalName(node) != "Relationship") continue;
    Relationship relationship;
    relationship.id = node.attribute("Id").value();
    relationship.type = node.attribute("Type").value();
    relationship.external = EqualsIgnoreCase(node.attribute("TargetMode").value(), "External");
    const std::string_view target = node.attribute("Target").value();
    relationship.target =
        relationship.external ? std::string(target) : ResolveTarget(source_part, target);
    relationships.push_back(std::move(relationship));
  }
  return relationships;
}

std::vector<Relationship> RelatedParts(Package& package, std::string_view source_part,
                                       std::string_view kind) {
  std::vector<Relationship> related;
  for (Relationship& relationship : ReadRelationships(package, source_part)) {
    if (!relationship.external && HasRelationshipKind(relationship.type, kind) &&
        package.Contains(relationship.target)) {
      related.push_back(std::move(relationship));
    }
  }
  return related;
}

std::string FindRelatedPart(Package& package, std::string_view source_part, std::string_view kind) {
  for (const Relationship& relationship : ReadRelationships(package, source_part)) {
    if (!relationship.external && HasRelationshipKind(relationship.type, kind)) {
      return relationship.target;
    }
  }
  return {};
}

std::string FindTargetById(Package& package, std::string_view source_part, std::string_view id) {
  for (const Relationship& relationship : ReadRelationships(package, source_part)) {
    if (!relationship.external && relationship.id == id) return relationship.target;
  }
  return {};
}

std::string AddRelationship(Package& package, std::string_view source_part, std::string_view kind,
                            std::string_view target_part) {
  pugi::xml_node root = RelationshipsToEdit(package, source_part);
  std::string id;
  for (int number = 1;; ++number) {
    id = "rId" + std::to_string(number);
    if (!root.find_child_by_attribute("Id", id.c_str())) break;
  }
  pugi::xml_node node = root.append_child(SameNamespaceName(root, "Relationship").c_str());
  node.append_attribute("Id") = id.c_str();
  node.append_attribute("Type") = (std::string(kRelationshipTypeBase) + std::string(kind)).c_str();
  node.append_attribute("Target") = RelativeTarget(source_part, target_part).c_str();
  return id;
}

void RemoveRelationshipsOfKind(Package& package, std::string_view source_part,
                               std::string_view kind) {
  const auto matches = [&](pugi::xml_node node) {
    return node.type() == pugi::node_element &&
           HasRelationshipKind(node.attribute("Type").value(), kind);
  };
  const pugi::xml_node existing = RelationshipsToRead(package, source_part);
  if (!existing.find_child(matches)) return;
  pugi::xml_node root = RelationshipsToEdit(package, source_part);
  for (pugi::xml_node node = root.first_child(); node;) {
    const pugi::xml_node next = node.next_sibling();
    if (matches(node)) root.remove_child(node);
    node = next;
  }
}

std::string ContentTypeOf(Package& package, std::string_view part) {
  const pugi::xml_node root = package.ParsedXml(kContentTypesPart).document_element();
  const std::string part_name = "/" + PartNameWithoutSlash(part);
  for (pugi::xml_node node : root.children()) {
    if (IsOverrideOf(node, part_name)) return node.attribute("ContentType").value();
  }
  return std::string(DefaultContentType(root, part_name));
}

void RegisterContentType(Package& package, std::string_view part, std::string_view content_type) {
  const pugi::xml_node types = package.ParsedXml(kContentTypesPart).document_element();
  if (EqualsIgnoreCase(DefaultContentType(types, "/" + PartNameWithoutSlash(part)), content_type)) {
    RemoveContentTypeOverride(package, part);
    return;
  }
  SetContentTypeOverride(package, part, content_type);
}

void RemoveContentTypeOverride(Package& package, std::string_view part) {
  const std::string part_name = "/" + PartNameWithoutSlash(part);
  const auto matches = [&](pugi::xml_node node) { return IsOverrideOf(node, part_name); };
  if (!package.ParsedXml(kContentTypesPart).document_element().find_child(matches)) return;
  pugi::xml_node root = package.Xml(kContentTypesPart).document_element();
  for (pugi::xml_node node = root.first_child(); node;) {
    const pugi::xml_node next = node.next_sibling();
    if (matches(node)) root.remove_child(node);
    node = next;
  }
}

}  // namespace korvanta::workbook
