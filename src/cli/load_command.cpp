// tabulo load: FillSheet on a new workbook of the stand-in spreadsheet, saved as .xlsx.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "automation/activation.h"
#include "automation/object.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/session.h"
#include "cli/table_references.h"
#include "drawing/application.h"
#include "drawing/dxf_reader.h"
#include "load/fill_sheet.h"
#include "spreadsheet/application.h"
#include "spreadsheet/application_state.h"
#include "spreadsheet/xlsx_writer.h"

namespace tabulo::cli {
namespace fs = std::filesystem;
namespace {

std::uint32_t ParseUnsigned(const std::string& text, int base, const std::string& option) {
  char* end = nullptr;
  errno = 0;
  unsigned long long value = std::strtoull(text.c_str(), &end, base);
  if (text.empty() || text[0] == '-' || end != text.c_str() + text.size() || errno == ERANGE ||
      value > 0xFFFFFFFFull)
    throw UsageError(option + " takes " + (base == 10 ? "a decimal id" : "a hexadecimal handle") +
                     ", not \"" + text + "\"");
  return static_cast<std::uint32_t>(value);
}

std::string Listing(const std::vector<TableReference>& tables) {
  std::string text;
  for (const TableReference& t : tables) text += "\n  " + Describe(t);
  return text;
}

// The object id to load: chosen by --id, --handle or --block, or the only table.
std::uint32_t ChooseTable(const Arguments& a, const std::vector<TableReference>& tables,
                          const std::string& drawingName) {
  int selectors = a.has("--id") + a.has("--handle") + a.has("--block");
  if (selectors > 1) throw UsageError("choose the table with one of --id, --handle or --block");
  if (auto id = a.value("--id")) return ParseUnsigned(*id, 10, "--id");
  if (auto handle = a.value("--handle")) return ParseUnsigned(*handle, 16, "--handle");
  if (auto block = a.value("--block")) {
    std::vector<TableReference> matches;
    for (const TableReference& t : tables)
      if (automation::LowerCase(t.block) == automation::LowerCase(*block)) matches.push_back(t);
    if (matches.empty())
      throw CommandError("'" + drawingName + "' has no table reference of block \"" + *block +
                         "\"" + (tables.empty() ? "" : "; its tables:" + Listing(tables)));
    if (matches.size() > 1)
      throw CommandError("block \"" + *block + "\" is inserted " + std::to_string(matches.size()) +
                         " times in '" + drawingName +
                         "'; choose one with --id:" + Listing(matches));
    return matches.front().id;
  }
  if (tables.empty()) throw CommandError("'" + drawingName + "' holds no table to load");
  if (tables.size() > 1)
    throw CommandError("'" + drawingName + "' holds " + std::to_string(tables.size()) +
                       " tables; choose one with --id, --handle or --block:" + Listing(tables));
  return tables.front().id;
}

}  // namespace

int RunLoad(const std::vector<std::string>& args) {
  Arguments a(args, {"--id", "--handle", "--block", "-o", "--output"}, {"--force"});
  a.expectOperands(1, "one drawing: tabulo load DRAWING.dxf -o WORKBOOK.xlsx");
  const fs::path drawingPath = a.operands()[0];
  auto out = a.value("-o") ? a.value("-o") : a.value("--output");
  if (!out) throw UsageError("name the workbook to write with -o WORKBOOK.xlsx");
  const fs::path outPath = *out;
  std::error_code ec;
  if (fs::equivalent(drawingPath, outPath, ec))
    throw CommandError("'" + outPath.string() + "' is the drawing to read; name another workbook");
  if (fs::exists(outPath, ec) && !a.has("--force"))
    throw CommandError("'" + outPath.string() +
                       "' exists; choose another name or add --force to replace it");

  auto drawing = drawing::ReadDxf(drawingPath);
  Session session;
  auto drawingApp = drawing::MakeApplication(drawing);
  automation::Registration host =
      automation::RegisterActiveObject("AutoCAD.Application", drawingApp);
  const std::uint32_t id = ChooseTable(a, FindTableReferences(drawingApp), drawingPath.string());

  auto excel = std::make_shared<spreadsheet::Application>(spreadsheet::NewWorkbook());
  load::FillSheet(excel, id);
  if (session.exitStatus() != 0) {
    std::fprintf(stderr, "tabulo load: no workbook was written.\n");
    return 1;
  }
  spreadsheet::WriteXlsx(excel->activeWorkbook(), outPath);
  std::printf("%s: table id %u written to %s\n", drawingPath.string().c_str(), id,
              outPath.string().c_str());
  return 0;
}

int RunList(const std::vector<std::string>& args) {
  Arguments a(args, {}, {});
  a.expectOperands(1, "one drawing: tabulo list DRAWING.dxf");
  auto drawing = drawing::ReadDxf(a.operands()[0]);
  auto drawingApp = drawing::MakeApplication(drawing);
  std::vector<TableReference> tables = FindTableReferences(drawingApp);
  if (tables.empty()) {
    std::printf("%s holds no table.\n", a.operands()[0].c_str());
    return 0;
  }
  std::printf("%10s  %-8s  %-14s  %s  %s  %s\n", "id", "handle", "block", "insertion point",
              "scale", "rows x columns");
  for (const TableReference& t : tables) std::printf("%s\n", Describe(t).c_str());
  std::printf("(id: the reference's handle as an unsigned 32-bit number, for tabulo load --id)\n");
  return 0;
}

}  // namespace tabulo::cli
