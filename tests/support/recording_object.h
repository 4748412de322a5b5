#pragma once
// A recording wrapper around any automation object, for tests: it logs every call
// made through it and through every object reached from it, and can make chosen
// calls fail as the application would.
//
//   auto log = std::make_shared<CallLog>();
//   ObjectPtr excel = RecordingObject::Wrap(app, "excel", log);
//   ... run the engine on `excel` ...
//   EXPECT_FALSE(log->called("colorindex")) << log->dump();
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/object.h"

namespace tabulo::testing {

// One call as it reached a recorded object.
struct RecordedCall {
  std::size_t number = 0;  // 1-based position in the log
  std::string path;        // the object called, e.g. "excel.activesheet.cells.item(1, 1)"
  std::string member;      // as the caller spelled it
  automation::CallKind kind = automation::CallKind::Get;
  std::vector<automation::Variant> args;  // dereferenced copies, after the call (outputs shown)
  std::vector<std::string> renderedArgs;  // args as text: 1, 2.5, "text", True, 3u8, &...
  bool byRef = false;                     // at least one argument was passed by reference
  std::optional<std::string> error;       // the failure text when the call failed
  bool injected = false;  // the failure was injected by the log, the object was not called
  std::string result;     // rendered result of a successful Get

  // "#12 get excel.activesheet.cells.item(1, 1).text -> \"abc\"" or
  // "#13 put excel.DisplayAlerts = False" or "... FAILED: <text>".
  std::string describe() const;
  // The member path with arguments: path + "." + member + "(args)".
  std::string target() const;
  // The value of a Put (its last argument); throws when this is not a Put.
  const automation::Variant& putValue() const;
  bool isPut() const { return kind == automation::CallKind::Put; }
};

std::ostream& operator<<(std::ostream& out, const RecordedCall& call);

// Renders a value as the log shows it: Empty, <missing>, True, 7 (Long), 7i16,
// 7u8, 2.5 / 3.0 (Double), 1.5cy, "text", <object>, [lb 0: 1, 2], &<referred value>.
std::string RenderValue(const automation::Variant& value);

// When a rule applies: member (case-insensitive, empty = any), the object's path
// ending with `pathSuffix` (case-insensitive, empty = any), the kind (any when
// unset), and only the n-th call that matches all of these (every one when 0).
struct FaultRule {
  std::string member;
  std::string pathSuffix;
  std::optional<automation::CallKind> kind;
  std::size_t occurrence = 0;
};

// The log shared by a wrapped root object and every object reached through it.
class CallLog {
 public:
  const std::vector<RecordedCall>& calls() const { return calls_; }
  // Calls to `member`, compared case-insensitively, in order.
  std::vector<RecordedCall> callsTo(std::string_view member) const;
  bool called(std::string_view member) const;
  std::size_t countOf(std::string_view member) const;
  // 1-based number of the first call to `member` (0 when never called), for order checks.
  std::size_t firstCallTo(std::string_view member) const;
  // The calls' describe() lines without their numbers, for whole-sequence checks.
  std::vector<std::string> lines() const;
  // Every call, one describe() line each: print it in a failing test's message.
  std::string dump() const;
  void clear() { calls_.clear(); }

  // Fault injection: the matching call throws automation::Error(text) instead of
  // reaching the object. It is still logged, marked as injected.
  // The k-th call through this log (1-based, counting from the last clear()).
  void failCall(std::size_t k, std::string text);
  // Calls matching the rule (a member name alone: every call to it).
  void failMember(std::string member, std::string text);
  void failWhen(FaultRule rule, std::string text);
  // Calls for which the predicate holds (it sees path, member, kind and args).
  void failIf(std::function<bool(const RecordedCall&)> predicate, std::string text);
  void clearFaults() { faults_.clear(); }

  // Used by RecordingObject: the fault text for a call about to be made, if any;
  // appending a call (its index is returned) and updating it once it returned.
  std::optional<std::string> faultFor(const RecordedCall& call);
  std::size_t record(RecordedCall call);
  RecordedCall* entry(std::size_t index);

 private:
  struct Fault {
    std::function<bool(const RecordedCall&)> matches;
    std::string text;
  };
  std::vector<RecordedCall> calls_;
  std::vector<Fault> faults_;
};

// Wraps an automation object: each call is logged, then forwarded (unless a fault
// is injected); object results come back wrapped, with the path that reached them,
// so their calls are logged too. By-reference arguments pass through unchanged, so
// the wrapped object's outputs reach the caller. Wrapped objects passed as
// arguments are unwrapped before they reach the target.
class RecordingObject : public automation::Object {
 public:
  RecordingObject(automation::ObjectPtr target, std::string path, std::shared_ptr<CallLog> log);

  // `name` starts every path; a new log is made when none is given.
  static std::shared_ptr<RecordingObject> Wrap(automation::ObjectPtr target,
                                               std::string name = "root",
                                               std::shared_ptr<CallLog> log = nullptr);

  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;

  const std::shared_ptr<CallLog>& log() const { return log_; }
  const automation::ObjectPtr& target() const { return target_; }
  const std::string& path() const { return path_; }

 private:
  automation::ObjectPtr target_;
  std::string path_;
  std::shared_ptr<CallLog> log_;
};

// The object a recording wrapper stands for (the object itself otherwise).
automation::ObjectPtr Unwrap(const automation::ObjectPtr& object);

}  // namespace tabulo::testing
