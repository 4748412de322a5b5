#include "export/table_data.h"

#include <exception>

#include "automation/error.h"
#include "export/cell_walk.h"
#include "platform/ui.h"

namespace tabulo::exporting {

using automation::Array;
using automation::Dispatch;
using automation::Variant;
using automation::VarKind;

namespace {

constexpr std::int16_t kCodeString = 1000;
constexpr std::int16_t kCodeApplication = 1001;
constexpr std::int16_t kCodeReal = 1040;
constexpr std::int16_t kCodeInteger = 1070;

}  // namespace

TableDataRecord BuildTableData(const Dispatch& sheet, const std::vector<std::string>& mergedAreas) {
  // The whole walked grid from A1, not just the used range: the table block covers
  // rows 1..LastRow and columns 1..LastColumn, and the load rebuilds that grid.
  std::int32_t nRows = ReadLastRow(sheet);
  std::int32_t nCols = ReadLastColumn(sheet);
  if (nRows < 0 || nCols < 0)
    throw automation::Error("The used range reports a negative row or column number.");
  const auto m = static_cast<std::int64_t>(mergedAreas.size());
  const std::int64_t n = 4 + std::int64_t{nRows} + 2 * std::int64_t{nCols} + m;

  TableDataRecord record;
  record.codes = Array{VarKind::Int16, 0, std::vector<Variant>(static_cast<std::size_t>(n))};
  record.values = Array{VarKind::Empty, 0, std::vector<Variant>(static_cast<std::size_t>(n))};
  auto set = [&record](std::int64_t index, std::int16_t code, Variant value) {
    record.codes.items[static_cast<std::size_t>(index)] = Variant(code);
    record.values.items[static_cast<std::size_t>(index)] = std::move(value);
  };

  set(0, kCodeApplication, Variant(kTableDataApplication));
  set(1, kCodeInteger, Variant(nRows));
  set(2, kCodeInteger, Variant(nCols));
  for (std::int32_t i = 1; i <= nRows; ++i)
    set(2 + i, kCodeReal, sheet.get("rows", i).get("rowheight").value().deref());
  for (std::int32_t j = 1; j <= nCols; ++j) {
    set(2 + std::int64_t{nRows} + j, kCodeReal,
        sheet.get("Columns", j).get("ColumnWidth").value().deref());
    set(2 + std::int64_t{nRows} + nCols + j, kCodeReal,
        sheet.get("Columns", j).get("width").value().deref());
  }
  for (std::int64_t k = 0; k < m; ++k)
    set(3 + std::int64_t{nRows} + 2 * std::int64_t{nCols} + k, kCodeString,
        Variant(mergedAreas[static_cast<std::size_t>(k)]));

  double columnWidth = sheet.get("Columns", 1).get("ColumnWidth").toDouble();
  double width = sheet.get("Columns", 1).get("width").toDouble();
  // A hidden column A has no width to measure; 0 keeps such a sheet exportable
  // (no reader takes a unit from this item) where the division would fail it.
  set(n - 1, kCodeReal, Variant(width == 0.0 ? 0.0 : columnWidth / width));
  return record;
}

bool AttachTableData(const Dispatch& sheet, const Dispatch& tableReference,
                     const std::vector<std::string>& mergedAreas) {
  try {
    TableDataRecord record = BuildTableData(sheet, mergedAreas);
    tableReference.get("Document")
        .get("RegisteredApplications")
        .call("Add", std::string(kTableDataApplication));
    Variant codes(std::move(record.codes));
    Variant values(std::move(record.values));
    std::vector<Variant> args{Variant::RefTo(codes), Variant::RefTo(values)};
    tableReference.invoke("setxdata", args);
    return true;
  } catch (const std::exception&) {
    platform::CurrentUi().ErrorBox(kAttachError);
    return false;
  }
}

}  // namespace tabulo::exporting
