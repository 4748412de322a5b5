#include "drawing/dxf_error.h"

namespace tabulo::drawing {

DxfError::DxfError(const std::filesystem::path& file, std::size_t line, const std::string& reason)
    : std::runtime_error(file.string() + ", line " + std::to_string(line) + ": " + reason),
      line_(line),
      reason_(reason) {}

DxfError::DxfError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error(file.string() + ": " + reason), reason_(reason) {}

}  // namespace tabulo::drawing
