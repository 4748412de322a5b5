#include "spreadsheet/xlsx_reader.h"

#include <cmath>

#include "spreadsheet/format_interner.h"
#include "spreadsheet/xlsx/colors.h"
#include "spreadsheet/xlsx/relationships.h"
#include "spreadsheet/xlsx/shared_strings.h"
#include "spreadsheet/xlsx/styles.h"
#include "spreadsheet/xlsx/worksheet_part.h"
#include "spreadsheet/xml_part.h"
#include "spreadsheet/zip_archive.h"

namespace tabulo::spreadsheet {

namespace {

std::string Where(const ZipArchive& archive, const std::string& part) {
  return "workbook '" + archive.path().string() + "', part \"" + part + "\"";
}

// The default row height the spreadsheet gives a sheet whose part records none,
// from the size of the default font (15 points for Calibri 11, 12.75 for Arial 10).
double FallbackRowHeight(double fontSize) {
  if (std::abs(fontSize - 11.0) < 0.01) return 15.0;
  return std::round(fontSize * 1.275 / 0.75) * 0.75;
}

std::string WorkbookPart(const ZipArchive& archive) {
  auto packageRels = xlsx::ReadRelationships(archive, "");
  if (const auto* r = xlsx::FindByType(packageRels, "officeDocument")) return r->target;
  if (archive.contains("xl/workbook.xml")) return "xl/workbook.xml";
  throw FileError("Cannot read workbook '" + archive.path().string() +
                  "': it holds no workbook part (it is not an .xlsx workbook, or it is damaged).");
}

}  // namespace

Workbook ReadXlsx(const std::filesystem::path& file) {
  ZipArchive archive(file);
  const std::string workbookPart = WorkbookPart(archive);
  pugi::xml_document workbookXml = ParseXmlPart(archive, workbookPart);
  pugi::xml_node workbookRoot = workbookXml.document_element();
  if (LocalName(workbookRoot.name()) != "workbook")
    throw FileError("Cannot read " + Where(archive, workbookPart) + ": it is not a workbook.");
  const auto rels = xlsx::ReadRelationships(archive, workbookPart);

  Workbook workbook;
  workbook.date1904 = ChildByLocalName(workbookRoot, "workbookPr").attribute("date1904").as_bool();

  xlsx::ThemeColors theme = xlsx::kDefaultThemeColors;
  if (const auto* r = xlsx::FindByType(rels, "theme"))
    if (auto themeXml = ParseXmlPartIfPresent(archive, r->target))
      theme = xlsx::ReadThemeColors(themeXml->document_element());

  std::optional<pugi::xml_document> stylesXml;
  if (const auto* r = xlsx::FindByType(rels, "styles"))
    stylesXml = ParseXmlPartIfPresent(archive, r->target);
  pugi::xml_node styleSheet = stylesXml ? stylesXml->document_element() : pugi::xml_node();
  workbook.palette = xlsx::ReadPalette(styleSheet);
  const xlsx::ColorResolver colors(workbook.palette, theme);
  std::vector<CellFormat> cellXfs = xlsx::ReadCellFormats(styleSheet, colors);

  // The first cell format is the one every cell without a format of its own shows.
  workbook.formats = {cellXfs.front()};
  FormatInterner interner(workbook);
  std::vector<std::uint32_t> formatOfXf;
  formatOfXf.reserve(cellXfs.size());
  for (const CellFormat& format : cellXfs) formatOfXf.push_back(interner.intern(format));

  std::vector<std::string> sharedStrings;
  if (const auto* r = xlsx::FindByType(rels, "sharedStrings"))
    if (auto sst = ParseXmlPartIfPresent(archive, r->target))
      sharedStrings = xlsx::ReadSharedStrings(sst->document_element());

  xlsx::WorksheetContext context{sharedStrings,
                                 formatOfXf,
                                 workbook.maxDigitWidth,
                                 workbook.date1904,
                                 FallbackRowHeight(cellXfs.front().font.size),
                                 ""};
  pugi::xml_node sheets = ChildByLocalName(workbookRoot, "sheets");
  for (pugi::xml_node entry = sheets.first_child(); entry; entry = entry.next_sibling()) {
    if (LocalName(entry.name()) != "sheet") continue;
    Worksheet& sheet = workbook.sheets.emplace_back();
    sheet.name = entry.attribute("name").value();
    sheet.defaultRowHeight = context.fallbackRowHeight;
    const std::string id = AttributeByLocalName(entry, "id").value();
    auto rel = rels.find(id);
    if (rel == rels.end() || rel->second.external)
      throw FileError("Cannot read " + Where(archive, workbookPart) + ": the sheet \"" +
                      sheet.name + "\" refers to a part that is not in the file.");
    // Chart sheets and macro sheets hold no cells; they keep their place in the order.
    if (rel->second.type != "worksheet") continue;
    pugi::xml_document sheetXml = ParseXmlPart(archive, rel->second.target);
    context.where = Where(archive, rel->second.target);
    xlsx::ReadWorksheetPart(sheetXml.document_element(), context, sheet);
  }
  if (workbook.sheets.empty())
    throw FileError("Cannot read " + Where(archive, workbookPart) +
                    ": the workbook has no sheets.");

  const unsigned activeTab =
      ChildByLocalName(ChildByLocalName(workbookRoot, "bookViews"), "workbookView")
          .attribute("activeTab")
          .as_uint(0);
  workbook.activeSheet = activeTab < workbook.sheets.size() ? activeTab : 0;
  return workbook;
}

}  // namespace tabulo::spreadsheet
