#include "drawing/application.h"

namespace tabulo::drawing {
namespace {

using automation::CallKind;
using automation::Error;
using automation::ExpectArgs;
using automation::MemberTable;
using automation::ObjectPtr;
using automation::PutValue;
using automation::Variant;

// The host's menu bar as it starts, before any partial menu is added.
const std::vector<std::string> kStandardMenuBar = {"File",   "Edit",   "View", "Insert",
                                                   "Format", "Tools",  "Draw", "Dimension",
                                                   "Modify", "Window", "Help"};

class MenusObject : public automation::Object {
 public:
  MenusObject(std::shared_ptr<Application> app, std::shared_ptr<Application::MenuGroup> group)
      : app_(std::move(app)), group_(std::move(group)) {}

  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    static const MemberTable<MenusObject> members = [] {
      MemberTable<MenusObject> t;
      t.addReadOnly("count", [](MenusObject& s) {
        return Variant(static_cast<std::int32_t>(s.group_->menu.menus.size()));
      });
      t.add("insertmenuinmenubar", [](MenusObject& s, CallKind, std::vector<Variant>& args) {
        ExpectArgs("insertmenuinmenubar", args, 2, 2);
        s.app_->InsertMenuInMenuBar(*s.group_, args[0].toString(), args[1].toInt32());
        return Variant();
      });
      return t;
    }();
    return members.invoke(*this, "PopupMenus", member, kind, args);
  }

 private:
  std::shared_ptr<Application> app_;
  std::shared_ptr<Application::MenuGroup> group_;
};

class MenuGroupObject : public automation::Object {
 public:
  MenuGroupObject(std::shared_ptr<Application> app, std::shared_ptr<Application::MenuGroup> group)
      : app_(std::move(app)), group_(std::move(group)) {}

  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    static const MemberTable<MenuGroupObject> members = [] {
      MemberTable<MenuGroupObject> t;
      t.addReadOnly("name", [](MenuGroupObject& s) { return Variant(s.group_->menu.group); });
      t.addReadOnly("menus", [](MenuGroupObject& s) {
        return Variant(ObjectPtr(std::make_shared<MenusObject>(s.app_, s.group_)));
      });
      return t;
    }();
    return members.invoke(*this, "MenuGroup", member, kind, args);
  }

 private:
  std::shared_ptr<Application> app_;
  std::shared_ptr<Application::MenuGroup> group_;
};

class MenuGroupsObject : public automation::Object {
 public:
  explicit MenuGroupsObject(std::shared_ptr<Application> app) : app_(std::move(app)) {}

  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    static const MemberTable<MenuGroupsObject> members = [] {
      MemberTable<MenuGroupsObject> t;
      t.addReadOnly("count", [](MenuGroupsObject& s) {
        return Variant(static_cast<std::int32_t>(s.app_->menuGroups().size()));
      });
      t.add("load", [](MenuGroupsObject& s, CallKind, std::vector<Variant>& args) {
        ExpectArgs("load", args, 1, 2);
        auto group = s.app_->LoadMenuGroup(args[0].toString());
        return Variant(ObjectPtr(std::make_shared<MenuGroupObject>(s.app_, group)));
      });
      return t;
    }();
    return members.invoke(*this, "MenuGroups", member, kind, args);
  }

 private:
  std::shared_ptr<Application> app_;
};

class MenuBarObject : public automation::Object {
 public:
  explicit MenuBarObject(std::shared_ptr<Application> app) : app_(std::move(app)) {}

  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    static const MemberTable<MenuBarObject> members = [] {
      MemberTable<MenuBarObject> t;
      t.addReadOnly("count", [](MenuBarObject& s) {
        return Variant(static_cast<std::int32_t>(s.app_->menuBar().size()));
      });
      return t;
    }();
    return members.invoke(*this, "MenuBar", member, kind, args);
  }

 private:
  std::shared_ptr<Application> app_;
};

}  // namespace

Application::Application(std::shared_ptr<Drawing> drawing)
    : document_(std::make_shared<DocumentObject>(std::move(drawing))), menuBar_(kStandardMenuBar) {}

std::shared_ptr<Application::MenuGroup> Application::LoadMenuGroup(
    const std::filesystem::path& file) {
  PartialMenu menu = ReadPartialMenu(file);
  for (const auto& group : groups_)
    if (EqualsIgnoreCase(group->menu.group, menu.group))
      throw Error("Error loading menu group: the menu group \"" + menu.group +
                  "\" is loaded already (from " + group->file.string() + ").");
  auto group = std::make_shared<MenuGroup>(MenuGroup{std::move(menu), file});
  groups_.push_back(group);
  return group;
}

void Application::InsertMenuInMenuBar(const MenuGroup& group, std::string_view menu,
                                      std::int32_t position) {
  const std::string* found = nullptr;
  for (const std::string& name : group.menu.menus)
    if (EqualsIgnoreCase(name, menu)) found = &name;
  if (!found)
    throw Error("Invalid input: the menu group \"" + group.menu.group + "\" has no menu named \"" +
                std::string(menu) + "\".");
  std::size_t at = position < 0 ? 0 : std::min<std::size_t>(position, menuBar_.size());
  menuBar_.insert(menuBar_.begin() + static_cast<std::ptrdiff_t>(at), *found);
}

Variant Application::invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) {
  static const MemberTable<Application> members = [] {
    MemberTable<Application> t;
    t.addReadOnly("activedocument", [](Application& s) { return Variant(ObjectPtr(s.document_)); });
    t.addReadOnly("menugroups", [](Application& s) {
      return Variant(ObjectPtr(std::make_shared<MenuGroupsObject>(s.shared_from_this())));
    });
    t.addReadOnly("menubar", [](Application& s) {
      return Variant(ObjectPtr(std::make_shared<MenuBarObject>(s.shared_from_this())));
    });
    t.add("caption", [](Application& s, CallKind kind, std::vector<Variant>& args) {
      if (kind == CallKind::Put) {
        s.caption_ = PutValue("caption", args).toString();
        return Variant();
      }
      ExpectArgs("caption", args, 0, 0);
      return Variant(s.caption_);
    });
    return t;
  }();
  return members.invoke(*this, "Application", member, kind, args);
}

std::shared_ptr<Application> MakeApplication(std::shared_ptr<Drawing> drawing) {
  if (!drawing) drawing = Drawing::New();
  return std::make_shared<Application>(std::move(drawing));
}

}  // namespace tabulo::drawing
