#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "automation/object.h"
#include "drawing/document_object.h"
#include "drawing/drawing.h"
#include "drawing/menu_file.h"

namespace tabulo::drawing {

// The stand-in drawing host's application object: `activedocument` (the drawing
// it was made with), `menugroups`.`load`(file), `menubar`.`count`, `caption`.
// Menu groups load from partial menu files; the host refuses a group that is
// loaded already, and a menu a group does not have cannot go into the menu bar.
class Application : public automation::Object, public std::enable_shared_from_this<Application> {
 public:
  struct MenuGroup {
    PartialMenu menu;
    std::filesystem::path file;
  };

  explicit Application(std::shared_ptr<Drawing> drawing);

  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;

  const std::shared_ptr<DocumentObject>& document() const { return document_; }
  const std::string& caption() const { return caption_; }
  // Menu names in the menu bar, left to right.
  const std::vector<std::string>& menuBar() const { return menuBar_; }
  const std::vector<std::shared_ptr<MenuGroup>>& menuGroups() const { return groups_; }

  // Loads a partial menu file as the host does; throws automation::Error when
  // the file is missing or its group is loaded already.
  std::shared_ptr<MenuGroup> LoadMenuGroup(const std::filesystem::path& file);
  // Puts a group's menu into the menu bar at `position` (0-based; past the end
  // appends); throws when the group has no such menu.
  void InsertMenuInMenuBar(const MenuGroup& group, std::string_view menu, std::int32_t position);

 private:
  std::shared_ptr<DocumentObject> document_;
  std::string caption_ = "AutoCAD";
  std::vector<std::string> menuBar_;
  std::vector<std::shared_ptr<MenuGroup>> groups_;
};

// The application over a drawing (a new one from the template when null).
std::shared_ptr<Application> MakeApplication(std::shared_ptr<Drawing> drawing = nullptr);

}  // namespace tabulo::drawing
