#pragma once
#include <array>
#include <string_view>

#include "drawing/dxf_tag.h"

namespace tabulo::drawing {

// The upper half (bytes 0x80..0xFF) of a single-byte code page named as
// $DWGCODEPAGE names it ("ANSI_1252", "ANSI_1251", "DOS850" ...), case-insensitively;
// null for pages not known here. 0 marks a byte the page leaves undefined.
const std::array<char16_t, 128>* FindCodePage(std::string_view name);

}  // namespace tabulo::drawing
