// The installation folder's files as the commands rely on them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/about_form.h"
#include "host/install_folder.h"
#include "host/options_form.h"

namespace tabulo::host {
namespace {

const std::string kInstall = std::string(TABULO_SOURCE_DIR) + "/install/";

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TEST(InstallFiles, MenuFileProvidesTheTabuloMenu) {
  auto lines = Lines(Contents(kInstall + std::string(kMenuFileName)));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "***MENUGROUP=TABULO");
  EXPECT_EQ(lines[1], "***POP1");
  EXPECT_EQ(lines[2], "**TABULO");
  EXPECT_EQ(lines[3], "[TABULO]");  // the menu's name: its first label
  for (const char* command :
       {"_TABULOEXPORT", "_TABULOLOAD", "_TABULOOPTIONS", "_TABULOHELP", "_TABULOABOUT"}) {
    SCOPED_TRACE(command);
    bool found = false;
    for (const auto& line : lines)
      found = found || (line.starts_with("[&") && line.ends_with(std::string("^C^C") + command));
    EXPECT_TRUE(found);
  }
}

TEST(InstallFiles, HelpPagesHaveTheOptionsTopic) {
  EXPECT_NE(Contents(kInstall + "help/" + std::string(kOptionsHelpTopic)).find("<h1>Options"),
            std::string::npos);
  EXPECT_NE(Contents(kInstall + "help/index.htm").find("href=\"options.htm\""), std::string::npos);
  EXPECT_NE(Contents(kInstall + "help/tabulo.hhp").find("Compiled file=Tabulo.chm"),
            std::string::npos);
}

TEST(InstallFiles, CompiledHelpHoldsTheOptionsTopic) {
  // Made from install/help by install/build_help.sh (chmcmd).
  const std::string chm = Contents(kInstall + "Tabulo.chm");
  ASSERT_GT(chm.size(), 4u);
  EXPECT_EQ(chm.substr(0, 4), "ITSF");
  EXPECT_NE(chm.find("/" + std::string(kOptionsHelpTopic)), std::string::npos);
}

TEST(InstallFiles, AboutPictureIsA156By213Jpeg) {
  const std::string jpeg = Contents(kInstall + std::string(TfrmAbout::kPictureFile));
  ASSERT_GT(jpeg.size(), 4u);
  ASSERT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(jpeg.at(i)); };
  // Walk the segments to the frame header (SOF0..SOF2), which holds the size.
  std::size_t at = 2;
  while (at + 9 < jpeg.size()) {
    ASSERT_EQ(byte(at), 0xFF);
    const unsigned marker = byte(at + 1);
    const std::size_t length = byte(at + 2) * 256u + byte(at + 3);
    if (marker >= 0xC0 && marker <= 0xC2) {
      EXPECT_EQ(byte(at + 5) * 256 + byte(at + 6), TfrmAbout::kPictureHeight);
      EXPECT_EQ(byte(at + 7) * 256 + byte(at + 8), TfrmAbout::kPictureWidth);
      return;
    }
    at += 2 + length;
  }
  FAIL() << "no frame header";
}

}  // namespace
}  // namespace tabulo::host
