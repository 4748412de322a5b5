#pragma once
#include <cstdint>
#include <string>

#include "automation/variant.h"

namespace tabulo::load {

// The error box shown when a load fails anywhere after it started.
inline constexpr const char* kLoadFailedMessage = "Error occured when loading Tabulo table.";
// The error box for an object id that no model-space object has.
std::string BlockNotFoundMessage(std::uint32_t objectId);

// The load command: rebuilds, in the active sheet of the running spreadsheet
// `excelApp`, the table of the table reference whose object id is `objectId` in
// the model space of the running drawing host ("AutoCAD.Application"): row
// heights, column widths, borders, texts with their format, merged areas and
// diagonals. Failures are reported to the user through the UI's error box; none
// leaves this function. However it ends, the progress window it created is gone
// and the spreadsheet has been told `visible` := true.
void FillSheet(automation::ObjectPtr excelApp, std::uint32_t objectId) noexcept;

}  // namespace tabulo::load
