#pragma once
// Package relationships (_rels/*.rels): which part plays which role.
#include <map>
#include <string>
#include <string_view>

#include "spreadsheet/zip_archive.h"

namespace tabulo::spreadsheet::xlsx {

struct Relationship {
  std::string type;    // the last segment of the type URI ("worksheet", "styles" ...)
  std::string target;  // the target part's name in the archive, without a leading '/'
  bool external = false;
};

// Relationships of part `sourcePart` ("" for the package itself), by id. A missing
// .rels part gives none.
std::map<std::string, Relationship> ReadRelationships(const ZipArchive& archive,
                                                      const std::string& sourcePart);

// The first relationship of the given type, or nullptr.
const Relationship* FindByType(const std::map<std::string, Relationship>& relationships,
                               std::string_view type);

// Resolves a target as written in the .rels of `sourcePart` ("worksheets/sheet1.xml",
// "../theme/theme1.xml", "/xl/styles.xml") to an archive member name.
std::string ResolveTarget(const std::string& sourcePart, const std::string& target);

}  // namespace tabulo::spreadsheet::xlsx
