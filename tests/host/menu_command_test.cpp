#include "host/menu_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "automation/activation.h"
#include "automation/object.h"
#include "host/settings_store.h"
#include "platform/registry_memory.h"
#include "platform/ui_recording.h"
#include "support/recording_object.h"

namespace tabulo::host {
namespace {

using automation::CallKind;
using automation::MemberTable;
using automation::ObjectPtr;
using automation::Variant;
using platform::RegistryValue;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A drawing host that knows menu groups and the menu bar, nothing else.
struct HostState {
  int menuCount = 9;
  bool menuFileExists = true;
  bool refuseSecondLoad = false;
  int loads = 0;
};

template <class T>
class Fake : public automation::Object {
 public:
  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    return T::Members().invoke(static_cast<T&>(*this), T::kType, member, kind, args);
  }
};

class FakeMenus : public Fake<FakeMenus> {
 public:
  static constexpr std::string_view kType = "IAcadPopupMenus";
  static const MemberTable<FakeMenus>& Members() {
    static const auto table = MemberTable<FakeMenus>().add(
        "InsertMenuInMenuBar", [](FakeMenus&, CallKind, std::vector<Variant>&) {
          return Variant(ObjectPtr(std::make_shared<FakeMenus>()));
        });
    return table;
  }
};

class FakeMenuGroup : public Fake<FakeMenuGroup> {
 public:
  static constexpr std::string_view kType = "IAcadMenuGroup";
  static const MemberTable<FakeMenuGroup>& Members() {
    static const auto table = MemberTable<FakeMenuGroup>().add(
        "Menus", [](FakeMenuGroup&, CallKind, std::vector<Variant>&) {
          return Variant(ObjectPtr(std::make_shared<FakeMenus>()));
        });
    return table;
  }
};

class FakeMenuGroups : public Fake<FakeMenuGroups> {
 public:
  static constexpr std::string_view kType = "IAcadMenuGroups";
  explicit FakeMenuGroups(std::shared_ptr<HostState> state) : state(std::move(state)) {}
  static const MemberTable<FakeMenuGroups>& Members() {
    static const auto table = MemberTable<FakeMenuGroups>().add(
        "Load", [](FakeMenuGroups& self, CallKind, std::vector<Variant>& args) {
          if (!self.state->menuFileExists)
            throw automation::Error("Error loading menu file: " + args.at(0).toString());
          if (self.state->refuseSecondLoad && self.state->loads > 0)
            throw automation::Error("Menu group TABULO is already loaded.");
          ++self.state->loads;
          return Variant(ObjectPtr(std::make_shared<FakeMenuGroup>()));
        });
    return table;
  }
  std::shared_ptr<HostState> state;
};

class FakeMenuBar : public Fake<FakeMenuBar> {
 public:
  static constexpr std::string_view kType = "IAcadMenuBar";
  explicit FakeMenuBar(std::shared_ptr<HostState> state) : state(std::move(state)) {}
  static const MemberTable<FakeMenuBar>& Members() {
    static const auto table = MemberTable<FakeMenuBar>().add(
        "Count", [](FakeMenuBar& self, CallKind, std::vector<Variant>&) {
          return Variant(std::int32_t{self.state->menuCount});
        });
    return table;
  }
  std::shared_ptr<HostState> state;
};

class FakeAcad : public Fake<FakeAcad> {
 public:
  static constexpr std::string_view kType = "IAcadApplication";
  explicit FakeAcad(std::shared_ptr<HostState> state) : state(std::move(state)) {}
  static const MemberTable<FakeAcad>& Members() {
    static const auto table =
        MemberTable<FakeAcad>()
            .add("MenuGroups",
                 [](FakeAcad& self, CallKind, std::vector<Variant>&) {
                   return Variant(ObjectPtr(std::make_shared<FakeMenuGroups>(self.state)));
                 })
            .add("MenuBar", [](FakeAcad& self, CallKind, std::vector<Variant>&) {
              return Variant(ObjectPtr(std::make_shared<FakeMenuBar>(self.state)));
            });
    return table;
  }
  std::shared_ptr<HostState> state;
};

// An object with a caption and nothing else.
class FakeWindow : public Fake<FakeWindow> {
 public:
  static constexpr std::string_view kType = "Window";
  static const MemberTable<FakeWindow>& Members() {
    static const auto table = MemberTable<FakeWindow>().add(
        "Caption", [](FakeWindow& self, CallKind kind, std::vector<Variant>& args) {
          if (kind == CallKind::Put)
            self.caption = automation::PutValue("Caption", args).toString();
          return Variant(self.caption);
        });
    return table;
  }
  std::string caption;
};

class SetMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry->Set(kSettingsKey, kPathValue, RegistryValue::Text("C:\\Tools\\Tab"));
  }
  // Registers the host as the running drawing host, its calls logged.
  void StartHost() {
    acad = testing::RecordingObject::Wrap(std::make_shared<FakeAcad>(state), "acad");
    running = automation::RegisterActiveObject("AutoCAD.Application", acad);
  }
  std::vector<std::string> Calls() const { return acad->log()->lines(); }

  std::shared_ptr<HostState> state = std::make_shared<HostState>();
  std::shared_ptr<testing::RecordingObject> acad;
  automation::Registration running;
  std::shared_ptr<platform::MemoryRegistry> registry = std::make_shared<platform::MemoryRegistry>();
  std::shared_ptr<platform::RecordingUi> ui = std::make_shared<platform::RecordingUi>();
  platform::ScopedRegistry registryScope{registry};
  platform::ScopedUi uiScope{ui};
};

TEST_F(SetMenuTest, LoadsTheMenuFileAndInsertsBeforeTheLastMenu) {
  StartHost();
  InstallMenu();
  EXPECT_TRUE(ui->entries().empty());
  const auto& log = *acad->log();
  auto loads = log.callsTo("load");
  ASSERT_EQ(loads.size(), 1u);
  EXPECT_EQ(loads[0].args.at(0).toString(), "C:\\Tools\\Tab\\TABULO.MNS");
  auto inserts = log.callsTo("insertmenuinmenubar");
  ASSERT_EQ(inserts.size(), 1u) << log.dump();
  EXPECT_EQ(inserts[0].args.at(0).toString(), "TABULO");
  EXPECT_EQ(inserts[0].args.at(1).toInt32(), 8);
  EXPECT_LT(log.firstCallTo("load"), log.firstCallTo("count"));
  EXPECT_LT(log.firstCallTo("count"), log.firstCallTo("insertmenuinmenubar"));
}

TEST_F(SetMenuTest, FolderWithTrailingBackslashNamesTheSameFile) {
  registry->Set(kSettingsKey, kPathValue, RegistryValue::Text("C:\\Tools\\Tab\\"));
  StartHost();
  InstallMenu();
  EXPECT_EQ(acad->log()->callsTo("load").at(0).args.at(0).toString(), "C:\\Tools\\Tab\\TABULO.MNS");
}

TEST_F(SetMenuTest, MissingMenuFileShowsTheInsertStepsError) {
  state->menuFileExists = false;
  StartHost();
  InstallMenu();
  EXPECT_FALSE(acad->log()->called("insertmenuinmenubar"));
  EXPECT_TRUE(acad->log()->called("count"));
  ASSERT_EQ(ui->entries().size(), 1u);
  EXPECT_EQ(ui->entries()[0],
            "MessageBox: Cannot insert the menu TABULO: the menu group of "
            "C:\\Tools\\Tab\\TABULO.MNS was not loaded (Error loading menu file: "
            "C:\\Tools\\Tab\\TABULO.MNS).");
}

TEST_F(SetMenuTest, SecondCallRepeatsTheCalls) {
  StartHost();
  InstallMenu();
  InstallMenu();
  EXPECT_EQ(acad->log()->countOf("load"), 2u);
  EXPECT_EQ(acad->log()->countOf("insertmenuinmenubar"), 2u);
  EXPECT_TRUE(ui->entries().empty());

  state->refuseSecondLoad = true;
  InstallMenu();
  EXPECT_EQ(acad->log()->countOf("insertmenuinmenubar"), 2u);
  ASSERT_EQ(ui->entries().size(), 1u);
  EXPECT_THAT(ui->entries()[0], HasSubstr("Cannot insert the menu TABULO"));
  EXPECT_THAT(ui->entries()[0], HasSubstr("already loaded"));
}

TEST_F(SetMenuTest, NoRunningHostShowsThatErrorsText) {
  std::string expected;
  try {
    automation::GetActiveObject("AutoCAD.Application");
  } catch (const automation::Error& error) {
    expected = error.what();
  }
  ASSERT_FALSE(expected.empty());
  InstallMenu();
  EXPECT_THAT(ui->entries(), ElementsAre("MessageBox: " + expected));
}

TEST_F(SetMenuTest, FailuresOfLaterStepsShowTheirOwnText) {
  struct Case {
    const char* member;
    const char* text;
  };
  for (const Case& c :
       {Case{"menubar", "Menu bar unavailable."}, Case{"count", "No count."},
        Case{"menus", "No menus."}, Case{"insertmenuinmenubar", "Invalid argument Index."}}) {
    SCOPED_TRACE(c.member);
    ui->Clear();
    StartHost();
    acad->log()->failMember(c.member, c.text);
    InstallMenu();
    EXPECT_THAT(ui->entries(), ElementsAre(std::string("MessageBox: ") + c.text));
  }
}

TEST_F(SetMenuTest, NoInstallFolderSaysSoAndCallsNothing) {
  registry->Set(kSettingsKey, kPathValue, RegistryValue::Text(""));
  StartHost();
  InstallMenu();
  EXPECT_TRUE(acad->log()->calls().empty());
  ASSERT_EQ(ui->entries().size(), 1u);
  EXPECT_THAT(ui->entries()[0], HasSubstr("MessageBox: Cannot open the menu file TABULO.MNS"));
  EXPECT_THAT(ui->entries()[0], HasSubstr("\"Path\""));
}

TEST_F(SetMenuTest, PathOfAnotherTypeShowsTheStoreText) {
  registry->Set(kSettingsKey, kPathValue, RegistryValue::Dword(0));
  StartHost();
  InstallMenu();
  EXPECT_THAT(ui->entries(), ElementsAre("MessageBox: Invalid data type for 'Path'"));
  EXPECT_TRUE(acad->log()->calls().empty());
}

TEST(Appname, SetsTheCaption) {
  auto window = std::make_shared<FakeWindow>();
  appname(window);
  EXPECT_EQ(window->caption, "new caption");
}

TEST(Appname, EveryFailureIsDropped) {
  auto ui = std::make_shared<platform::RecordingUi>();
  platform::ScopedUi scope(ui);
  appname(std::make_shared<FakeMenus>());  // no caption member
  appname(nullptr);
  auto window = testing::RecordingObject::Wrap(std::make_shared<FakeWindow>(), "w");
  window->log()->failMember("caption", "The object has disconnected from its clients.");
  appname(window);
  EXPECT_TRUE(ui->entries().empty());
}

}  // namespace
}  // namespace tabulo::host
