#include "drawing/xdata.h"

#include <vector>

#include "automation/error.h"
#include "drawing/text_codec.h"

namespace tabulo::drawing {
namespace {

using automation::Array;
using automation::Error;
using automation::Variant;
using automation::VarKind;

constexpr std::size_t kMaxXDataString = 255;  // bytes, as the host allows
constexpr std::size_t kMaxXDataBinary = 127;

bool IsPointCode(int code) {
  return code >= 1010 && code <= 1013;
}

// One application's run of tags: [begin, end) starting with its 1001 tag.
struct AppRun {
  std::string name;
  std::size_t begin, end;
};

std::vector<AppRun> AppRuns(const Tags& tags) {
  std::vector<AppRun> runs;
  for (std::size_t i = XDataBegin(tags); i < tags.size(); ++i) {
    if (tags[i].code == 1001) {
      if (!runs.empty()) runs.back().end = i;
      runs.push_back(AppRun{tags[i].value, i, tags.size()});
    }
  }
  return runs;
}

std::string HexOf(const Array& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (const Variant& item : bytes.items) {
    auto byte = item.toUInt8();
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex;
}

// The tags for one item; throws Error for a value the code does not take.
void AppendItem(Tags& out, int code, const Variant& value, int& braceDepth) {
  const Variant& v = value.deref();
  switch (code) {
    case 1000:
    case 1003: {
      std::string text = code == 1000 ? EncodeStoredText(v.toString()) : v.toString();
      if (text.size() > kMaxXDataString)
        throw Error("Invalid argument: an extended data string (group code " +
                    std::to_string(code) + ") is limited to 255 bytes.");
      out.push_back({code, std::move(text)});
      return;
    }
    case 1002: {
      std::string brace = v.toString();
      if (brace == "{")
        ++braceDepth;
      else if (brace == "}" && braceDepth > 0)
        --braceDepth;
      else
        throw Error("Invalid argument: group code 1002 takes a balanced \"{\" or \"}\".");
      out.push_back({code, brace});
      return;
    }
    case 1004: {
      std::string hex = v.kind() == VarKind::Array ? HexOf(v.toArray()) : v.toString();
      bool valid = hex.size() % 2 == 0 &&
                   hex.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos;
      if (!valid || hex.size() / 2 > kMaxXDataBinary)
        throw Error("Invalid argument: group code 1004 takes up to 127 bytes of binary data.");
      out.push_back({code, hex});
      return;
    }
    case 1005: {
      std::string handle = v.toString();
      if (!ParseHandle(handle))
        throw Error("Invalid argument: group code 1005 takes a handle, not \"" + handle + "\".");
      out.push_back({code, handle});
      return;
    }
    case 1040:
    case 1041:
    case 1042:
      out.push_back({code, FormatReal(v.toDouble())});
      return;
    case 1070:
      out.push_back({code, std::to_string(v.toInt16())});
      return;
    case 1071:
      out.push_back({code, std::to_string(v.toInt32())});
      return;
    default:
      if (IsPointCode(code)) {
        automation::Point3 p = automation::ToPoint(v);
        out.push_back({code, FormatReal(p.x)});
        out.push_back({code + 10, FormatReal(p.y)});
        out.push_back({code + 20, FormatReal(p.z)});
        return;
      }
      throw Error("Invalid argument: " + std::to_string(code) +
                  " is not a group code of extended data.");
  }
}

Variant ItemValue(const Tags& tags, std::size_t& i) {
  const Tag& tag = tags[i];
  switch (tag.code) {
    case 1000:
      return Variant(DecodeStoredText(tag.value));
    case 1040:
    case 1041:
    case 1042:
      return Variant(ParseReal(tag.value).value_or(0.0));
    case 1070:
      return Variant(static_cast<std::int16_t>(ParseReal(tag.value).value_or(0.0)));
    case 1071:
      return Variant(static_cast<std::int32_t>(ParseReal(tag.value).value_or(0.0)));
    case 1004: {
      Array bytes{VarKind::UInt8, 0, {}};
      for (std::size_t k = 0; k + 1 < tag.value.size(); k += 2)
        bytes.items.emplace_back(
            static_cast<std::uint8_t>(std::stoi(tag.value.substr(k, 2), nullptr, 16)));
      return Variant(std::move(bytes));
    }
    default:
      if (IsPointCode(tag.code)) {
        double xyz[3] = {ParseReal(tag.value).value_or(0.0), 0, 0};
        for (int axis = 1; axis < 3; ++axis)
          if (i + 1 < tags.size() && tags[i + 1].code == tag.code + 10 * axis)
            xyz[axis] = ParseReal(tags[++i].value).value_or(0.0);
        return Variant(automation::MakePoint(xyz[0], xyz[1], xyz[2]));
      }
      return Variant(tag.value);
  }
}

}  // namespace

std::size_t XDataSize(const Tags& tags, std::size_t begin, std::size_t end) {
  std::size_t size = 0;
  for (std::size_t i = begin; i < end; ++i) {
    int code = tags[i].code;
    if (code == 1001) continue;
    if (code >= 1020 && code <= 1039) continue;  // y and z of a point counted with its x
    std::size_t value = 0;
    if (code == 1000)
      value = 1 + tags[i].value.size();
    else if (code == 1002)
      value = 1;
    else if (code == 1003 || code == 1005)
      value = 8;
    else if (code == 1004)
      value = 1 + tags[i].value.size() / 2;
    else if (IsPointCode(code))
      value = 24;
    else if (code >= 1040 && code <= 1042)
      value = 8;
    else if (code == 1070)
      value = 2;
    else if (code == 1071)
      value = 4;
    else
      value = tags[i].value.size();
    size += 1 + value;
  }
  return size;
}

void SetXData(Drawing& drawing, Record& record, const Variant& codesArg, const Variant& valuesArg) {
  const Array& codes = codesArg.toArray();
  const Array& values = valuesArg.toArray();
  if (codes.items.size() != values.items.size())
    throw Error(
        "Invalid argument: the group code and value arrays of extended data differ in "
        "length.");
  if (codes.items.empty()) throw Error("Invalid argument: the extended data is empty.");

  // The new data, one run of tags per application.
  std::vector<std::pair<std::string, Tags>> runs;
  int braceDepth = 0;
  for (std::size_t i = 0; i < codes.items.size(); ++i) {
    int code = codes.items[i].toInt32();
    const Variant& value = values.items[i];
    if (code == 1001) {
      if (braceDepth != 0) throw Error("Invalid argument: unbalanced braces (group code 1002).");
      std::string app = value.toString();
      if (!drawing.HasAppId(app))
        throw Error("Invalid application name in 1001 group: \"" + app +
                    "\" is not registered in the drawing (RegisteredApplications.Add).");
      runs.emplace_back(app, Tags{{1001, app}});
      continue;
    }
    if (runs.empty())
      throw Error(
          "Invalid argument: extended data must start with group code 1001 and the "
          "application name.");
    AppendItem(runs.back().second, code, value, braceDepth);
  }
  if (braceDepth != 0) throw Error("Invalid argument: unbalanced braces (group code 1002).");

  // Other applications' data stays; each named application's data is replaced.
  Tags merged;
  Tags& tags = record.tags;
  std::vector<bool> used(runs.size(), false);
  for (const AppRun& run : AppRuns(tags)) {
    bool replaced = false;
    for (std::size_t k = 0; k < runs.size(); ++k) {
      if (!EqualsIgnoreCase(runs[k].first, run.name)) continue;
      if (!used[k]) merged.insert(merged.end(), runs[k].second.begin(), runs[k].second.end());
      used[k] = true;
      replaced = true;
    }
    if (!replaced)
      merged.insert(merged.end(), tags.begin() + static_cast<std::ptrdiff_t>(run.begin),
                    tags.begin() + static_cast<std::ptrdiff_t>(run.end));
  }
  for (std::size_t k = 0; k < runs.size(); ++k)
    if (!used[k]) merged.insert(merged.end(), runs[k].second.begin(), runs[k].second.end());

  std::size_t size = XDataSize(merged, 0, merged.size());
  if (size > kXDataCapacity)
    throw Error("Extended data too large: the object's extended data would take " +
                std::to_string(size) + " bytes, more than the " + std::to_string(kXDataCapacity) +
                " bytes an object can hold.");
  tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(XDataBegin(tags)), tags.end());
  tags.insert(tags.end(), merged.begin(), merged.end());
}

bool GetXData(const Record& record, std::string_view app, Array& codes, Array& values) {
  codes = Array{VarKind::Int16, 0, {}};
  values = Array{VarKind::Empty, 0, {}};
  const Tags& tags = record.tags;
  for (const AppRun& run : AppRuns(tags)) {
    if (!app.empty() && !EqualsIgnoreCase(run.name, app)) continue;
    for (std::size_t i = run.begin; i < run.end; ++i) {
      int code = tags[i].code;
      codes.items.emplace_back(static_cast<std::int16_t>(code));
      values.items.push_back(ItemValue(tags, i));
    }
  }
  return !codes.items.empty();
}

}  // namespace tabulo::drawing
