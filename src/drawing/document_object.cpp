#include "drawing/document_object.h"

#include "drawing/block_objects.h"

namespace tabulo::drawing {
namespace {

using automation::CallKind;
using automation::Error;
using automation::ExpectArgs;
using automation::MemberTable;
using automation::Variant;

// The APPID table as the host's RegisteredApplications collection.
class RegisteredApplicationsObject : public automation::Object {
 public:
  explicit RegisteredApplicationsObject(std::shared_ptr<DocumentObject> document)
      : document_(std::move(document)) {}

  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    static const MemberTable<RegisteredApplicationsObject> members = [] {
      MemberTable<RegisteredApplicationsObject> t;
      // Adding a name the drawing has already is no error; the host hands back
      // the existing entry.
      t.add("Add", [](RegisteredApplicationsObject& s, CallKind, std::vector<Variant>& args) {
        ExpectArgs("Add", args, 1, 1);
        s.document_->drawing().AddAppId(args[0].toString());
        return Variant();
      });
      t.addReadOnly("count", [](RegisteredApplicationsObject& s) {
        Table* table = s.document_->drawing().FindTable("APPID");
        return Variant(static_cast<std::int32_t>(table ? table->entries.size() : 0));
      });
      return t;
    }();
    return members.invoke(*this, "RegisteredApplications", member, kind, args);
  }

 private:
  std::shared_ptr<DocumentObject> document_;
};

}  // namespace

Variant DocumentObject::invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) {
  static const MemberTable<DocumentObject> members = [] {
    MemberTable<DocumentObject> t;
    t.addReadOnly("modelspace", [](DocumentObject& s) {
      return Variant(MakeModelSpaceObject(s.shared_from_this()));
    });
    t.addReadOnly("blocks", [](DocumentObject& s) {
      return Variant(MakeBlocksObject(s.shared_from_this()));
    });
    t.addReadOnly("RegisteredApplications", [](DocumentObject& s) {
      return Variant(automation::ObjectPtr(
          std::make_shared<RegisteredApplicationsObject>(s.shared_from_this())));
    });
    return t;
  }();
  return members.invoke(*this, "Document", member, kind, args);
}

}  // namespace tabulo::drawing
