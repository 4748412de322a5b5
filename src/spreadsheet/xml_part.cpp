#include "spreadsheet/xml_part.h"

#include <cstring>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

namespace {

pugi::xml_document Parse(const ZipArchive& archive, const std::string& name,
                         const std::string& bytes) {
  pugi::xml_document document;
  pugi::xml_parse_result result =
      document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata);
  if (!result)
    throw FileError("Cannot read workbook '" + archive.path().string() + "': its part \"" + name +
                    "\" is not well-formed XML (" + result.description() + " at byte " +
                    std::to_string(result.offset) + ").");
  if (!document.document_element())
    throw FileError("Cannot read workbook '" + archive.path().string() + "': its part \"" + name +
                    "\" is empty.");
  return document;
}

}  // namespace

pugi::xml_document ParseXmlPart(const ZipArchive& archive, const std::string& name) {
  return Parse(archive, name, archive.read(name));
}

std::optional<pugi::xml_document> ParseXmlPartIfPresent(const ZipArchive& archive,
                                                        const std::string& name) {
  auto bytes = archive.readIfPresent(name);
  if (!bytes) return std::nullopt;
  return Parse(archive, name, *bytes);
}

std::string_view LocalName(const char* qualifiedName) {
  const char* colon = std::strchr(qualifiedName, ':');
  return colon ? std::string_view(colon + 1) : std::string_view(qualifiedName);
}

pugi::xml_node ChildByLocalName(pugi::xml_node parent, std::string_view name) {
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element && LocalName(child.name()) == name) return child;
  return {};
}

pugi::xml_attribute AttributeByLocalName(pugi::xml_node node, std::string_view name) {
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
    if (LocalName(a.name()) == name) return a;
  return {};
}

}  // namespace tabulo::spreadsheet
