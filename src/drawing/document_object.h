#pragma once
#include <memory>

#include "automation/object.h"
#include "drawing/drawing.h"

namespace tabulo::drawing {

// The host's document: `modelspace`, `blocks`, `RegisteredApplications`, over
// one drawing. Entities and collections reached from it share the drawing.
class DocumentObject : public automation::Object,
                       public std::enable_shared_from_this<DocumentObject> {
 public:
  explicit DocumentObject(std::shared_ptr<Drawing> drawing) : drawing_(std::move(drawing)) {}

  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;

  Drawing& drawing() const { return *drawing_; }
  const std::shared_ptr<Drawing>& drawingPtr() const { return drawing_; }

 private:
  std::shared_ptr<Drawing> drawing_;
};

}  // namespace tabulo::drawing
