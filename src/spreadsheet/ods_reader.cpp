#include "spreadsheet/ods_reader.h"

#include <string_view>

#include "spreadsheet/format_interner.h"
#include "spreadsheet/ods/styles.h"
#include "spreadsheet/ods/table.h"
#include "spreadsheet/xml_part.h"
#include "spreadsheet/zip_archive.h"

namespace tabulo::spreadsheet {

namespace {

// The name of the table shown when the document was saved (settings.xml), or "".
std::string ActiveTableName(const ZipArchive& archive) {
  auto settings = ParseXmlPartIfPresent(archive, "settings.xml");
  if (!settings) return "";
  pugi::xpath_node item = settings->select_node("//config:config-item[@config:name='ActiveTable']");
  return item ? item.node().text().get() : "";
}

}  // namespace

Workbook ReadOds(const std::filesystem::path& file) {
  ZipArchive archive(file);
  const std::string where = "workbook '" + file.string() + "'";
  if (auto mimetype = archive.readIfPresent("mimetype")) {
    if (mimetype->rfind("application/vnd.oasis.opendocument.spreadsheet", 0) != 0)
      throw FileError("Cannot read " + where + ": it is an OpenDocument file of type \"" +
                      *mimetype + "\", not a spreadsheet.");
  }
  pugi::xml_document content = ParseXmlPart(archive, "content.xml");
  pugi::xml_node spreadsheet =
      content.document_element().child("office:body").child("office:spreadsheet");
  if (!spreadsheet) throw FileError("Cannot read " + where + ": its content holds no spreadsheet.");

  Workbook workbook;
  const std::string_view nullDate = spreadsheet.child("table:calculation-settings")
                                        .child("table:null-date")
                                        .attribute("table:date-value")
                                        .value();
  workbook.date1904 = nullDate.rfind("1904-01-01", 0) == 0;

  ods::Styles styles(workbook.palette);
  auto stylesPart = ParseXmlPartIfPresent(archive, "styles.xml");
  if (stylesPart) {
    const pugi::xml_node root = stylesPart->document_element();
    styles.add(root.child("office:font-face-decls"));
    styles.add(root.child("office:styles"));
    styles.add(root.child("office:automatic-styles"));
  }
  const pugi::xml_node root = content.document_element();
  styles.add(root.child("office:font-face-decls"));
  styles.add(root.child("office:automatic-styles"));

  workbook.formats = {styles.cellFormat("")};
  FormatInterner interner(workbook);
  ods::TableContext context{styles, interner, workbook.date1904, where, {}};
  for (pugi::xml_node table : spreadsheet.children("table:table"))
    ods::ReadTable(table, context, workbook.sheets.emplace_back());
  if (workbook.sheets.empty())
    throw FileError("Cannot read " + where + ": the spreadsheet has no sheets.");

  const std::string active = ActiveTableName(archive);
  for (std::size_t i = 0; i < workbook.sheets.size(); ++i)
    if (workbook.sheets[i].name == active) workbook.activeSheet = i;
  return workbook;
}

}  // namespace tabulo::spreadsheet
