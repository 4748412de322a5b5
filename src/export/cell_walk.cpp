#include "export/cell_walk.h"

#include <exception>

namespace tabulo::exporting {

using automation::Dispatch;

std::int32_t ReadLastRow(const Dispatch& sheet) {
  std::int32_t count = sheet.get("usedrange").get("rows").get("count").toInt32();
  return sheet.get("usedrange").get("rows", count).get("row").toInt32();
}

std::int32_t ReadLastColumn(const Dispatch& sheet) {
  std::int32_t count = sheet.get("usedrange").get("Columns").get("Count").toInt32();
  return sheet.get("usedrange").get("columns", count).get("column").toInt32();
}

CellKind ClassifyCell(std::string_view cellAddress, std::string_view areaAddress) {
  if (cellAddress == areaAddress) return CellKind::Unmerged;
  if (areaAddress.starts_with(cellAddress)) return CellKind::Anchor;
  return CellKind::Covered;
}

namespace {

// Steps 4b to 4d of one cell: its merge area, kind and corners.
CellPlace PlaceCell(const Dispatch& sheet, std::int32_t r, std::int32_t c, double cellLeft,
                    double rowTop, std::vector<std::string>& mergedAreas) {
  CellPlace place;
  place.r = r;
  place.c = c;
  place.CellLeft = cellLeft;
  place.RowTop = rowTop;
  place.MergeArea = sheet.get("cells").call("item", r, c).get("MergeArea");
  std::string cellAddress = sheet.get("cells").call("item", r, c).get("address").toString();
  std::string areaAddress = place.MergeArea.get("address").toString();
  place.kind = ClassifyCell(cellAddress, areaAddress);
  if (place.kind == CellKind::Anchor) mergedAreas.push_back(areaAddress);

  // One addition or subtraction per coordinate, so the load meets them again by
  // exact comparison with its own running sums.
  double width = sheet.get("Columns", c).get("Width").toDouble();
  place.TopLeft = {cellLeft, rowTop, 0};
  place.TopRight = {cellLeft + width, rowTop, 0};
  double height = sheet.get("rows", r).get("rowheight").toDouble();
  place.BottomRight = {place.TopRight.x, rowTop - height, 0};
  place.BottomLeft = {cellLeft, place.BottomRight.y, 0};

  if (place.kind != CellKind::Covered) {
    place.AreaTopLeft = place.TopLeft;
    double areaWidth = place.MergeArea.get("Width").toDouble();
    place.AreaTopRight = {place.AreaTopLeft.x + areaWidth, place.AreaTopLeft.y, 0};
    double areaHeight = place.MergeArea.get("height").toDouble();
    place.AreaBottomRight = {place.AreaTopRight.x, place.AreaTopRight.y - areaHeight, 0};
    place.AreaBottomLeft = {place.AreaTopLeft.x, place.AreaBottomRight.y, 0};
  }
  return place;
}

}  // namespace

void WalkCells(const Dispatch& sheet, std::int32_t lastRow, std::vector<std::string>& mergedAreas,
               const CellVisitor& visitor) {
  double rowTop = 0.0;
  double cellLeft = 0.0;
  for (std::int32_t r = 1; r <= lastRow; ++r) {
    std::int32_t lastColumn = ReadLastColumn(sheet);
    for (std::int32_t c = 1; c <= lastColumn; ++c) {
      try {
        if (visitor.StartCell) visitor.StartCell();
        CellPlace place = PlaceCell(sheet, r, c, cellLeft, rowTop, mergedAreas);
        if (visitor.CellWork) visitor.CellWork(place);
      } catch (const std::exception&) {
        // One cell's failure costs only the rest of that cell.
      }
      cellLeft = cellLeft + sheet.get("Columns", c).get("Width").toDouble();
    }
    rowTop = rowTop - sheet.get("rows", r).get("rowheight").toDouble();
    cellLeft = 0.0;
  }
}

double InsertScale(double outputScale) {
  return outputScale * 0.32051282051282054 / 2.5;
}

}  // namespace tabulo::exporting
