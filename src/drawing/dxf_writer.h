#pragma once
#include <filesystem>
#include <string>

#include "drawing/drawing.h"

namespace tabulo::drawing {

// The drawing as DXF text, in its own version and code page: every tag read is
// written back as it came, followed in place by what was added.
std::string SerializeDxf(const Drawing& drawing);

// Writes the drawing to `file` atomically: a temporary file beside it, then a
// rename over it, so an interrupted or failed write leaves `file` as it was.
// Throws DxfError naming the file and the reason.
void WriteDxf(const Drawing& drawing, const std::filesystem::path& file);

}  // namespace tabulo::drawing
