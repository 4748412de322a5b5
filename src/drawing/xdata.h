#pragma once
#include <cstddef>
#include <string_view>

#include "automation/variant.h"
#include "drawing/drawing.h"

namespace tabulo::drawing {

// The host's limit on an object's extended data, all applications together, in
// the bytes xdsize and xdroom count (16 KiB less one).
inline constexpr std::size_t kXDataCapacity = 16383;

// Bytes extended data tags take as the host counts them: per item one byte for
// its type plus its value (string: a length byte and its bytes; real 8; point
// 24; 16-bit integer 2; 32-bit integer 4; handle and layer 8; brace 1; binary a
// length byte and its bytes). The application name itself is not counted. This
// reproduces the host's own example: a viewport's MVIEW record takes 221 bytes.
std::size_t XDataSize(const Tags& tags, std::size_t begin, std::size_t end);

// setxdata: replaces the record's data of each application named in the arrays
// (codes: 16-bit group codes; values: the items), keeping other applications'.
// Throws automation::Error, changing nothing, when the arrays do not match, an
// application is not registered, a code or value is not valid, or the result
// exceeds kXDataCapacity.
void SetXData(Drawing& drawing, Record& record, const automation::Variant& codes,
              const automation::Variant& values);

// getxdata: the data of application `app` (every application when app is empty),
// the application name included, as two arrays indexed from 0. Returns false,
// leaving the outputs alone, when the record has none.
bool GetXData(const Record& record, std::string_view app, automation::Array& codes,
              automation::Array& values);

}  // namespace tabulo::drawing
