#include "spreadsheet/xlsx/relationships.h"

#include <vector>

#include "spreadsheet/xml_part.h"

namespace tabulo::spreadsheet::xlsx {

std::string ResolveTarget(const std::string& sourcePart, const std::string& target) {
  std::vector<std::string> segments;
  std::string path;
  if (!target.empty() && target.front() == '/') {
    path = target.substr(1);
  } else {
    const std::size_t slash = sourcePart.rfind('/');
    path = (slash == std::string::npos ? std::string() : sourcePart.substr(0, slash + 1)) + target;
  }
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string segment = path.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(std::move(segment));
    }
    start = end + 1;
  }
  std::string resolved;
  for (const std::string& s : segments) resolved += (resolved.empty() ? "" : "/") + s;
  return resolved;
}

std::map<std::string, Relationship> ReadRelationships(const ZipArchive& archive,
                                                      const std::string& sourcePart) {
  const std::size_t slash = sourcePart.rfind('/');
  const std::string relsPart =
      slash == std::string::npos
          ? "_rels/" + sourcePart + ".rels"
          : sourcePart.substr(0, slash + 1) + "_rels/" + sourcePart.substr(slash + 1) + ".rels";
  std::map<std::string, Relationship> relationships;
  auto document = ParseXmlPartIfPresent(archive, relsPart);
  if (!document) return relationships;
  for (pugi::xml_node node : document->document_element().children()) {
    if (LocalName(node.name()) != "Relationship") continue;
    Relationship r;
    std::string type = node.attribute("Type").value();
    r.type = type.substr(type.rfind('/') + 1);
    r.external = std::string_view(node.attribute("TargetMode").value()) == "External";
    r.target = r.external ? node.attribute("Target").value()
                          : ResolveTarget(sourcePart, node.attribute("Target").value());
    relationships[node.attribute("Id").value()] = std::move(r);
  }
  return relationships;
}

const Relationship* FindByType(const std::map<std::string, Relationship>& relationships,
                               std::string_view type) {
  for (const auto& [id, r] : relationships)
    if (r.type == type && !r.external) return &r;
  return nullptr;
}

}  // namespace tabulo::spreadsheet::xlsx
