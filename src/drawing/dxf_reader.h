#pragma once
#include <filesystem>
#include <memory>
#include <string_view>

#include "drawing/drawing.h"

namespace tabulo::drawing {

// Reads an ASCII DXF drawing of version R2000 (AC1015) or later, LF or CRLF line
// ends. Throws DxfError naming the file, the line and the reason for a binary
// DXF, an R12 or older drawing, and a damaged file (truncated, a group code
// without its value, a group code that is no number, a section without ENDSEC,
// a number that is none, two records with one handle).
std::shared_ptr<Drawing> ReadDxf(const std::filesystem::path& file);

// The same from the file's bytes; `name` stands for the file in messages.
std::shared_ptr<Drawing> ParseDxf(std::string_view bytes, const std::filesystem::path& name);

}  // namespace tabulo::drawing
