#pragma once
#include <string_view>

namespace tabulo::drawing {

// A minimal R2000 (AC1015) drawing of our own: header, the nine symbol tables
// with their standard entries, the model and paper space blocks with their
// layouts, and the root dictionary. New drawings start from it.
std::string_view DrawingTemplate();

}  // namespace tabulo::drawing
