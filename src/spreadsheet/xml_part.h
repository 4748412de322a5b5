#pragma once
// XML parts of a zipped workbook package, parsed with pugixml, and look-ups by
// local name so that the namespace prefixes a writer chose do not matter.
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "spreadsheet/zip_archive.h"

namespace tabulo::spreadsheet {

// Parses the member `name`; throws FileError naming the file, the part and the
// place of malformed XML. A missing member throws too.
pugi::xml_document ParseXmlPart(const ZipArchive& archive, const std::string& name);
// As above, or nothing when the member does not exist.
std::optional<pugi::xml_document> ParseXmlPartIfPresent(const ZipArchive& archive,
                                                        const std::string& name);

// The name without its namespace prefix ("x:row" -> "row").
std::string_view LocalName(const char* qualifiedName);
// First child element whose local name is `name`; an empty node when there is none.
pugi::xml_node ChildByLocalName(pugi::xml_node parent, std::string_view name);
// Attribute whose local name is `name`; an empty attribute when there is none.
pugi::xml_attribute AttributeByLocalName(pugi::xml_node node, std::string_view name);

}  // namespace tabulo::spreadsheet
