#include "host/options_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "host/about_form.h"
#include "host/options_form.h"
#include "host/settings_store.h"
#include "platform/registry_file.h"
#include "platform/registry_memory.h"
#include "platform/ui_recording.h"

namespace tabulo::host {
namespace {

using platform::ModalDriver;
using platform::ModalResult;
using platform::RegistryValue;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

RegistryValue Double(double value) {
  auto bits = std::bit_cast<std::uint64_t>(value);
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
  return RegistryValue::Binary(bytes);
}

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { HelpFilePath.clear(); }

  void Store(std::string_view name, const RegistryValue& value) {
    registry->Set(kSettingsKey, name, value);
  }
  std::optional<RegistryValue> Stored(std::string_view name) const {
    return registry->Get(kSettingsKey, name);
  }
  void ExpectStored(std::optional<RegistryValue> color, std::optional<RegistryValue> scale,
                    std::optional<RegistryValue> font) const {
    EXPECT_EQ(Stored(kColorMappingValue), color);
    EXPECT_EQ(Stored(kOutputScaleValue), scale);
    EXPECT_EQ(Stored(kFontValue), font);
  }
  // Runs Options(1) with a script that works on the dialog.
  void RunDialog(std::function<void(ModalDriver&, TfrmOptions&)> script) {
    ui->QueueModal([script](ModalDriver& d) { script(d, d.as<TfrmOptions>()); });
    Options(1);
    EXPECT_EQ(ui->pendingModalScripts(), 0u);
  }

  std::shared_ptr<platform::MemoryRegistry> registry = std::make_shared<platform::MemoryRegistry>();
  std::shared_ptr<platform::RecordingUi> ui = std::make_shared<platform::RecordingUi>();
  platform::ScopedRegistry registryScope{registry};
  platform::ScopedUi uiScope{ui};
};

TEST_F(OptionsTest, OtherCodesShowNothingButReadPathAndCreateTheKey) {
  for (std::uint16_t code : {0, 2, 5, 65535}) {
    SCOPED_TRACE(code);
    registry = std::make_shared<platform::MemoryRegistry>();
    platform::ScopedRegistry scope(registry);
    Options(code);
    EXPECT_TRUE(ui->entries().empty());
    EXPECT_TRUE(registry->HasKey(kSettingsKey));
    EXPECT_EQ(registry->openCount(), 1);
    EXPECT_EQ(registry->liveHandles(), 0);
  }
}

TEST_F(OptionsTest, EmptyKeyShowsDefaultsAndOkSavesThem) {
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    EXPECT_TRUE(f.RadioButton1.Checked);
    EXPECT_FALSE(f.RadioButton2.Checked);
    EXPECT_TRUE(f.RadioButton3.Checked);
    EXPECT_FALSE(f.RadioButton4.Checked);
    EXPECT_EQ(f.Edit1.Text, "2.5");
    EXPECT_EQ(f.ActivePage, 0);
    EXPECT_TRUE(d.Close(ModalResult::Ok));
  });
  ExpectStored(RegistryValue::Dword(1), Double(2.5), RegistryValue::Dword(1));
  EXPECT_THAT(ui->entries(), ElementsAre("ShowModal: frmOptions", "CloseModal: frmOptions Ok"));
}

TEST_F(OptionsTest, TrimmedScaleIsSavedAndShownNextTime) {
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    f.Check(f.RadioButton2);
    f.Check(f.RadioButton4);
    EXPECT_FALSE(f.RadioButton1.Checked);
    f.Edit1.Text = " \t4.75 \r\n";
    EXPECT_TRUE(d.Close(ModalResult::Ok));
  });
  ExpectStored(RegistryValue::Dword(0), Double(4.75), RegistryValue::Dword(0));
  EXPECT_EQ(ReadExportSettings().OutputScale, 4.75);
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    EXPECT_EQ(f.Edit1.Text, "4.75");
    EXPECT_TRUE(f.RadioButton2.Checked);
    EXPECT_FALSE(f.RadioButton1.Checked);
    EXPECT_TRUE(f.RadioButton4.Checked);
    d.Close(ModalResult::Cancel);
  });
}

TEST_F(OptionsTest, InvalidScaleKeepsTheDialogOpenAndCancelChangesNothing) {
  Store(kColorMappingValue, RegistryValue::Dword(0));
  Store(kOutputScaleValue, Double(3));
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    f.Check(f.RadioButton1);
    f.Edit1.Text = " 3,5 ";
    EXPECT_FALSE(d.Close(ModalResult::Ok));
    EXPECT_EQ(f.modalResult, ModalResult::None);
    EXPECT_TRUE(f.RadioButton1.Checked);  // the user's choices are still there
    EXPECT_EQ(f.Edit1.Text, " 3,5 ");
    EXPECT_TRUE(d.Close(ModalResult::Cancel));
  });
  EXPECT_THAT(ui->entries(),
              ElementsAre("ShowModal: frmOptions", "ErrorBox: \"3,5\" is not a valid real value.",
                          "CloseModal: frmOptions Cancel"));
  ExpectStored(RegistryValue::Dword(0), Double(3), std::nullopt);
}

TEST_F(OptionsTest, InvalidScaleTexts) {
  struct Case {
    const char* text;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"", "\"\" is not a valid real value."},
      {"   ", "\"\" is not a valid real value."},
      {"1,000", "\"1,000\" is not a valid real value."},
      {"12%", "\"12%\" is not a valid real value."},
      {"1e400", "\"1e400\" is not a valid real value."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ui->Clear();
    RunDialog([&](ModalDriver& d, TfrmOptions& f) {
      f.Edit1.Text = c.text;
      EXPECT_FALSE(d.Close(ModalResult::Ok));
    });
    EXPECT_EQ(ui->entries().at(1), std::string("ErrorBox: ") + c.message);
  }
  ExpectStored(std::nullopt, std::nullopt, std::nullopt);
}

TEST_F(OptionsTest, NoRangeCheck) {
  for (const char* text : {"0", "-3", "1e-400", "5.", ".", "2e"}) {
    SCOPED_TRACE(text);
    RunDialog([&](ModalDriver& d, TfrmOptions& f) {
      f.Edit1.Text = text;
      EXPECT_TRUE(d.Close(ModalResult::Ok));
    });
  }
  EXPECT_EQ(Stored(kOutputScaleValue), Double(2));
}

TEST_F(OptionsTest, TextScaleIsShownAsDefaultAndReplacedByEightBytes) {
  Store(kOutputScaleValue, RegistryValue::Text("7"));
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    EXPECT_EQ(f.Edit1.Text, "2.5");
    d.Close(ModalResult::Ok);
  });
  EXPECT_EQ(Stored(kOutputScaleValue), Double(2.5));
  EXPECT_EQ(Stored(kOutputScaleValue)->data.size(), 8u);
}

TEST_F(OptionsTest, CommaSeparator) {
  ui->SetDecimalSeparator(',');
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    EXPECT_EQ(f.Edit1.Text, "2.5");  // the default text, whatever the separator
    EXPECT_FALSE(d.Close(ModalResult::Ok));
    f.Edit1.Text = "2,5";
    EXPECT_TRUE(d.Close(ModalResult::Ok));
  });
  EXPECT_THAT(ui->EntriesStartingWith("ErrorBox"),
              ElementsAre("ErrorBox: \"2.5\" is not a valid real value."));
  EXPECT_EQ(Stored(kOutputScaleValue), Double(2.5));
  Store(kOutputScaleValue, Double(4.75));
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    EXPECT_EQ(f.Edit1.Text, "4,75");
    d.Close(ModalResult::Cancel);
  });
}

TEST_F(OptionsTest, EscClosesAsCancelAndSavesNothing) {
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    f.Check(f.RadioButton2);
    int other = 'A';
    f.FormKeyDown(other);
    EXPECT_EQ(other, 'A');
    EXPECT_EQ(f.modalResult, ModalResult::None);
    EXPECT_TRUE(d.PressKey(platform::kVkEscape));
    EXPECT_EQ(d.result(), ModalResult::Cancel);
  });
  ExpectStored(std::nullopt, std::nullopt, std::nullopt);
}

TEST_F(OptionsTest, EveryHelpButtonOpensTheOptionsTopic) {
  Store(kPathValue, RegistryValue::Text("C:\\Tools\\Tab"));
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    f.Button1Click();
    f.Button3Click();
    f.Button5Click();
    EXPECT_FALSE(d.closed());
    EXPECT_TRUE(d.Close(ModalResult::Ok));
  });
  EXPECT_THAT(ui->EntriesStartingWith("HtmlHelp"),
              ElementsAre("HtmlHelp: C:\\Tools\\Tab\\Tabulo.chm options.htm",
                          "HtmlHelp: C:\\Tools\\Tab\\Tabulo.chm options.htm",
                          "HtmlHelp: C:\\Tools\\Tab\\Tabulo.chm options.htm"));
  EXPECT_EQ(HelpFilePath, "C:\\Tools\\Tab\\Tabulo.chm");  // kept after the dialog
  Options(4);
  EXPECT_EQ(HelpFilePath, "C:\\Tools\\Tab\\Tabulo.chm");
}

TEST_F(OptionsTest, FailedSaveIsReportedAndTheDialogStaysOpen) {
  registry->FailWritesOf(kOutputScaleValue, "Access is denied.");
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    f.Check(f.RadioButton2);
    f.Edit1.Text = "4";
    EXPECT_FALSE(d.Close(ModalResult::Ok));
    EXPECT_TRUE(d.Close(ModalResult::Cancel));
  });
  EXPECT_THAT(ui->EntriesStartingWith("ErrorBox"),
              ElementsAre("ErrorBox: Failed to set data for 'Output Scale'\nAccess is denied."));
  // The save stopped at the failing value; the one before it stays written.
  ExpectStored(RegistryValue::Dword(0), std::nullopt, std::nullopt);
}

TEST_F(OptionsTest, KeyThatCannotBeOpenedShowsDefaultsAndReportsTheSave) {
  Store(kColorMappingValue, RegistryValue::Dword(0));
  registry->SetOpenFails(true);
  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    EXPECT_TRUE(f.RadioButton1.Checked);
    EXPECT_FALSE(d.Close(ModalResult::Ok));
  });
  EXPECT_THAT(ui->EntriesStartingWith("ErrorBox"),
              ElementsAre("ErrorBox: Failed to set data for 'Color Mapping'"));
}

TEST_F(OptionsTest, HelpFileWithTheShellsOpenVerb) {
  Store(kPathValue, RegistryValue::Text("C:\\Tools\\Tab\\"));
  Options(3);
  EXPECT_THAT(ui->entries(), ElementsAre("ShellOpen: open C:\\Tools\\Tab\\Tabulo.chm"));
}

TEST_F(OptionsTest, AboutBoxClosesWithEscOrOk) {
  ui->QueueModal([](ModalDriver& d) { EXPECT_TRUE(d.PressKey(platform::kVkEscape)); });
  ui->QueueModal([](ModalDriver& d) {
    d.as<TfrmAbout>().Button1Click();
    EXPECT_TRUE(d.Close(d.form().modalResult));
  });
  Options(4);
  Options(4);
  EXPECT_THAT(ui->entries(), ElementsAre("ShowModal: frmAbout", "CloseModal: frmAbout Cancel",
                                         "ShowModal: frmAbout", "CloseModal: frmAbout Ok"));
  EXPECT_EQ(TfrmAbout::Title(), "Tabulo");
  EXPECT_EQ(TfrmAbout::Version(), "Version 1.0");
}

TEST_F(OptionsTest, WithoutInstallFolder) {
  Options(3);
  ASSERT_EQ(ui->entries().size(), 1u);
  EXPECT_THAT(ui->entries()[0], HasSubstr("MessageBox: Cannot open the help file Tabulo.chm"));
  EXPECT_THAT(ui->entries()[0], HasSubstr("\"Path\""));
  ui->Clear();

  RunDialog([](ModalDriver& d, TfrmOptions& f) {
    f.Button3Click();
    EXPECT_TRUE(d.Close(ModalResult::Ok));
  });
  EXPECT_EQ(HelpFilePath, "");
  ASSERT_EQ(ui->entries().size(), 3u);
  EXPECT_THAT(ui->entries()[1], HasSubstr("MessageBox: Cannot open the help file Tabulo.chm"));
  EXPECT_EQ(Stored(kFontValue), RegistryValue::Dword(1));  // the dialog still saves

  ui->Clear();
  Options(4);
  EXPECT_THAT(ui->entries(), ElementsAre("ShowModal: frmAbout", "CloseModal: frmAbout Cancel"));
}

TEST_F(OptionsTest, PathOfAnotherTypeIsReportedForItsCommandsOnly) {
  Store(kPathValue, RegistryValue::Dword(1));
  Options(0);
  EXPECT_TRUE(ui->entries().empty());
  for (std::uint16_t code : {1, 3, 4}) {
    ui->Clear();
    Options(code);
    EXPECT_THAT(ui->entries(), ElementsAre("MessageBox: Invalid data type for 'Path'"));
  }
}

TEST(OptionsOnFileHive, SavesIntoTheFileAndReportsAMalformedOne) {
  namespace fs = std::filesystem;
  const fs::path file =
      fs::temp_directory_path() / ("tabulo-options-" + std::to_string(::getpid()) + ".reg");
  fs::remove(file);
  auto ui = std::make_shared<platform::RecordingUi>();
  platform::ScopedUi uiScope(ui);
  platform::ScopedRegistry registryScope(std::make_shared<platform::FileRegistry>(file));
  auto contents = [&] {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };

  ui->QueueModal([](ModalDriver& d) {
    d.as<TfrmOptions>().Edit1.Text = "4.75";
    EXPECT_TRUE(d.Close(ModalResult::Ok));
  });
  Options(1);
  EXPECT_EQ(contents(),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo]\n"
            "\"Color Mapping\"=dword:00000001\n"
            "\"Output Scale\"=hex:00,00,00,00,00,00,13,40\n"
            "\"Font\"=dword:00000001\n\n");

  const std::string broken = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n\"x\"=dword:\n";
  std::ofstream(file, std::ios::binary) << broken;
  ui->QueueModal([](ModalDriver& d) {
    EXPECT_EQ(d.as<TfrmOptions>().Edit1.Text, "2.5");
    EXPECT_FALSE(d.Close(ModalResult::Ok));
  });
  Options(1);
  auto errors = ui->EntriesStartingWith("ErrorBox");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_THAT(errors[0],
              HasSubstr("Failed to set data for 'Color Mapping'\n" + file.string() + ", line 3"));
  EXPECT_EQ(contents(), broken);
  fs::remove(file);
}

TEST(OptionsLayout, ControlsAsDesigned) {
  EXPECT_EQ(TfrmOptions::kLayout.Caption, "Options");
  EXPECT_EQ(TfrmOptions::kLayout.ClientWidth, 336);
  EXPECT_EQ(TfrmOptions::kLayout.ClientHeight, 160);
  int helpButtons = 0;
  for (const TControlLayout& control : TfrmOptions::kControls)
    if (control.Caption == "Help") ++helpButtons;
  EXPECT_EQ(helpButtons, 3);
  const auto& edit = TfrmOptions::kControls[8];
  EXPECT_EQ(edit.Name, "Edit1");
  EXPECT_EQ(edit.Left, 71);
  EXPECT_EQ(edit.Top, 45);
  EXPECT_TRUE(TfrmOptions::kControls[11].TabHidden);
  EXPECT_EQ(TfrmAbout::kControls[0].Width, 156);
  EXPECT_EQ(TfrmAbout::kControls[0].Height, 213);
}

}  // namespace
}  // namespace tabulo::host
