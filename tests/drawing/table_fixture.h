#pragma once
// A table added through the host's members the way the export adds one (block,
// lines, texts, reference, registered application, table data), together with
// what an independent reader must find in the written file, as JSON for
// check_table.py.
#include <cstdio>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "drawing/application.h"

namespace tabulo::drawing::testing {

inline std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    auto byte = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (byte < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", byte);
      out += buffer;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

inline std::string JsonNumber(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

inline std::string JsonPoint(double x, double y, double z) {
  return "[" + JsonNumber(x) + ", " + JsonNumber(y) + ", " + JsonNumber(z) + "]";
}

struct BuiltTable {
  std::string blockName;
  std::string insertHandle;
  std::string json;  // one entry of check_table.py's "tables" list
};

// Adds a table of `texts` laid out in one row of 48 x 15 point cells: each cell
// gets its four edges and its text, as the export would.
inline BuiltTable AddTable(const std::shared_ptr<Application>& app,
                           const std::vector<std::string>& texts, double x = 100, double y = 200,
                           bool colorByLayer = false) {
  using automation::Dispatch;
  using automation::MakePoint;
  using automation::Variant;
  Dispatch doc = Dispatch(app).get("activedocument");
  Dispatch blocks = doc.get("blocks");
  std::string name;
  for (int i = 1;; ++i) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "TabuloBk%03d", i);
    try {
      blocks.call("item", buffer);
    } catch (const automation::Error&) {
      name = buffer;
      break;
    }
  }
  Variant origin(MakePoint(0, 0, 0)), nameArg(name);
  Dispatch block = blocks.call("add", origin, Variant::RefTo(nameArg));

  std::string entities;
  auto separator = [&] { return entities.empty() ? "" : ", "; };
  for (std::size_t c = 0; c < texts.size(); ++c) {
    double left = 48.0 * static_cast<double>(c), right = left + 48.0, top = 0, bottom = -15;
    double corners[4][2] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    int color = colorByLayer ? 256 : static_cast<int>(1 + c % 7);
    for (int edge = 0; edge < 4; ++edge) {
      auto* a = corners[edge];
      auto* b = corners[(edge + 1) % 4];
      Variant start(MakePoint(a[0], a[1], 0)), end(MakePoint(b[0], b[1], 0));
      Dispatch line = block.call("addline", Variant::RefTo(start), Variant::RefTo(end));
      if (!colorByLayer) {
        Variant aci(std::int32_t{color});
        line.put("color", Variant::RefTo(aci));
      }
      entities += separator() + std::string("{\"type\": \"LINE\", \"start\": ") +
                  JsonPoint(a[0], a[1], 0) + ", \"end\": " + JsonPoint(b[0], b[1], 0) +
                  ", \"color\": " + std::to_string(color) + "}";
    }
    Variant at(MakePoint(left, bottom, 0)), width(48.0 - 0.24 * 10), content(texts[c]);
    Dispatch text =
        block.call("addmtext", Variant::RefTo(at), Variant::RefTo(width), Variant::RefTo(content));
    text.put("AttachmentPoint", 7);
    text.put("height", automation::Currency{65000});
    double h = text.get("height").toDouble();
    text.put("AttachmentPoint", 5);
    Variant middle(MakePoint((left + right) / 2, (top + bottom) / 2, 0));
    text.put("insertionpoint", Variant::RefTo(middle));
    entities += separator() + std::string("{\"type\": \"MTEXT\", \"text\": ") +
                JsonString(texts[c]) +
                ", \"insert\": " + JsonPoint((left + right) / 2, (top + bottom) / 2, 0) +
                ", \"height\": " + JsonNumber(h) + ", \"width\": " + JsonNumber(48.0 - 0.24 * 10) +
                ", \"attachment\": 5, \"color\": 256}";
  }

  double scale = 2.5 * 0.32051282051282054 / 2.5;
  Variant at(MakePoint(x, y, 0)), blockName(name), s(scale);
  Dispatch reference =
      doc.get("modelspace")
          .call("insertblock", Variant::RefTo(at), Variant::RefTo(blockName), Variant::RefTo(s),
                Variant::RefTo(s), Variant::RefTo(s), std::int32_t{0});
  reference.get("Document").get("RegisteredApplications").call("Add", "Tabulo");
  std::vector<std::pair<std::int16_t, Variant>> items = {
      {1001, "Tabulo"}, {1070, std::int32_t{1}}, {1070, std::int32_t(texts.size())}, {1040, 15.0}};
  for (std::size_t c = 0; c < texts.size(); ++c) items.push_back({1040, 8.43});
  for (std::size_t c = 0; c < texts.size(); ++c) items.push_back({1040, 48.0});
  items.push_back({1000, "$A$1:$B$1"});
  items.push_back({1040, 8.43 / 48.0});
  automation::Array codes{automation::VarKind::Int16, 0, {}},
      values{automation::VarKind::Empty, 0, {}};
  std::string jsonCodes, jsonValues;
  for (auto& [code, value] : items) {
    codes.items.emplace_back(code);
    values.items.push_back(value);
    if (!jsonCodes.empty()) {
      jsonCodes += ", ";
      jsonValues += ", ";
    }
    jsonCodes += std::to_string(code);
    jsonValues += value.kind() == automation::VarKind::String   ? JsonString(value.toString())
                  : value.kind() == automation::VarKind::Double ? JsonNumber(value.toDouble())
                                                                : std::to_string(value.toInt32());
  }
  Variant codesArg(std::move(codes)), valuesArg(std::move(values));
  reference.call("setxdata", Variant::RefTo(codesArg), Variant::RefTo(valuesArg));
  reference.call("update");

  BuiltTable built;
  built.blockName = name;
  built.insertHandle = reference.get("Handle").toString();
  built.json = "{\"block\": " + JsonString(name) + ", \"base\": [0, 0, 0], \"entities\": [" +
               entities + "], \"insert\": {\"handle\": " + JsonString(built.insertHandle) +
               ", \"point\": " + JsonPoint(x, y, 0) +
               ", \"scale\": " + JsonPoint(scale, scale, scale) + ", \"xdata\": {\"codes\": [" +
               jsonCodes + "], \"values\": [" + jsonValues + "]}}}";
  return built;
}

inline std::string TablesJson(const std::vector<BuiltTable>& tables) {
  std::string json = "{\"tables\": [";
  for (std::size_t i = 0; i < tables.size(); ++i) json += (i ? ", " : "") + tables[i].json;
  return json + "]}";
}

}  // namespace tabulo::drawing::testing
