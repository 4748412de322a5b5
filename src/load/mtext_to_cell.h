#pragma once
#include <cstdint>
#include <optional>

#include "automation/dispatch.h"
#include "load/load_state.h"

namespace tabulo::load {

// The spreadsheet alignments an attachment point stands for.
struct CellAlignment {
  std::int16_t horizontal;  // -4131 left, -4108 centre, -4152 right
  std::int16_t vertical;    // -4160 top, -4108 centre, -4107 bottom
  friend bool operator==(const CellAlignment&, const CellAlignment&) = default;
};

// The alignments of attachment points 1..9 (top left .. bottom right); nothing for
// any other value.
std::optional<CellAlignment> AlignmentForAttachment(std::int32_t attachmentPoint);

// Turns one multi-line text entity of the table block into the value and format of
// the cell of `sheet` that holds its insertion point (a point on an edge belongs
// to the cell to its right and below): font name from the font code, text, wrap
// flag when the entity has a width, font size from the height, font colour and the
// alignments of its attachment point. A failing automation call passes up to the
// caller; the writes already made stay.
void MTextToCell(const automation::Dispatch& sheet, const automation::Dispatch& text,
                 const LoadState& state);

}  // namespace tabulo::load
