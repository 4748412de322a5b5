#include <gtest/gtest.h>

#include "drawing/drawing_template.h"
#include "drawing/dxf_error.h"
#include "drawing/dxf_reader.h"
#include "drawing/dxf_writer.h"
#include "dxf_test_support.h"

namespace tabulo::drawing {
namespace {

using namespace testing;

std::string Template() {
  return std::string(DrawingTemplate());
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The 1-based line where `fragment` begins in `text`.
std::size_t LineOf(const std::string& text, const std::string& fragment) {
  std::size_t at = text.find(fragment);
  return static_cast<std::size_t>(std::count(text.begin(), text.begin() + at, '\n')) + 1;
}

struct DamageCase {
  const char* name;
  std::string bytes;
  const char* reason;  // a fragment of the message
  std::size_t line;    // 0: no line is named
};

std::vector<DamageCase> DamageCases() {
  std::string good = Template();
  std::string entitiesEnd = "ENTITIES\n  0\nENDSEC\n";
  std::string r2018 = Replace(good, "AC1015", "AC1032");
  return {
      {"empty file", "", "empty", 0},
      {"binary DXF", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "binary", "binary DXF", 0},
      {"R12", Replace(good, "AC1015", "AC1009"), "older than R2000", 0},
      {"no version", Replace(good, "  9\n$ACADVER\n  1\nAC1015\n", ""), "R12 and older", 0},
      {"truncated", good.substr(0, good.size() / 2), "", 0},
      {"odd number of lines", good.substr(0, good.size() - 4), "without its value",
       LineOf(good, "  0\nEOF")},
      {"group code not a number", Replace(good, " 10\n0.0\n", "1O\n0.0\n"), "group code expected",
       LineOf(good, " 10\n0.0\n")},
      {"missing ENDSEC", Replace(good, entitiesEnd, "ENTITIES\n"), "ENTITIES has no ENDSEC",
       LineOf(good, "  0\nSECTION\n  2\nENTITIES")},
      {"duplicate handle", Replace(good, "  5\n14\n", "  5\n13\n"), "handle 13 is used twice", 0},
      {"coordinate not a number", Replace(good, " 10\n420.0\n", " 10\n4x20\n"), "needs a number",
       LineOf(good, " 10\n420.0\n") + 1},
      {"invalid UTF-8 in R2018", Replace(r2018, "Solid line", "Solid \xE9 line"), "not valid UTF-8",
       LineOf(r2018, "Solid line")},
      {"no EOF", Replace(good, "  0\nEOF\n", ""), "without EOF", 0},
      {"entity outside a block", Replace(good, "BLOCKS\n", "BLOCKS\n  0\nLINE\n"),
       "outside a block", LineOf(good, "BLOCKS\n") + 1},
  };
}

TEST(DamagedDrawingTest, GivesAClearErrorNamingFileLineAndReason) {
  TemporaryFolder folder;
  for (const DamageCase& c : DamageCases()) {
    SCOPED_TRACE(c.name);
    std::filesystem::path file = folder / "damaged.dxf";
    WriteBytes(file, c.bytes);
    try {
      ReadDxf(file);
      ADD_FAILURE() << "read without error";
    } catch (const DxfError& error) {
      std::string message = error.what();
      EXPECT_NE(message.find(file.string()), std::string::npos) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      if (c.line) {
        EXPECT_EQ(error.line(), c.line) << message;
      }
    }
  }
}

TEST(DamagedDrawingTest, CrlfFilesReadAsWellAsLfFiles) {
  std::string crlf;
  for (char ch : Template()) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
  auto drawing = ParseDxf(crlf, "crlf.dxf");
  EXPECT_EQ(drawing->Version(), "AC1015");
  EXPECT_EQ(SerializeDxf(*drawing), crlf);
}

TEST(AtomicWriteTest, ReplacesTheTargetAndLeavesNoTemporaryFile) {
  TemporaryFolder folder;
  std::filesystem::path target = folder / "plan.dxf";
  WriteBytes(target, "old content");
  auto drawing = Drawing::New();
  WriteDxf(*drawing, target);
  EXPECT_EQ(ReadBytes(target), SerializeDxf(*drawing));
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
    ++files;
  EXPECT_EQ(files, 1u);
}

TEST(AtomicWriteTest, FailureNamesTheFileAndWritesNothing) {
  TemporaryFolder folder;
  std::filesystem::path target = folder / "missing-folder" / "plan.dxf";
  try {
    WriteDxf(*Drawing::New(), target);
    ADD_FAILURE() << "written";
  } catch (const DxfError& error) {
    EXPECT_NE(std::string(error.what()).find(target.string()), std::string::npos) << error.what();
  }
  EXPECT_FALSE(std::filesystem::exists(target.parent_path()));
}

}  // namespace
}  // namespace tabulo::drawing
