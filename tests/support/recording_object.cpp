#include "support/recording_object.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <utility>

#include "automation/error.h"

namespace tabulo::testing {

using automation::CallKind;
using automation::LowerCase;
using automation::ObjectPtr;
using automation::Variant;
using automation::VarKind;

namespace {

constexpr std::size_t kMaxArrayItemsShown = 24;

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return LowerCase(a) == LowerCase(b);
}

bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

// Shortest text that reads back as the same double, always with a point or exponent.
std::string RenderDouble(double d) {
  if (!std::isfinite(d)) return std::isnan(d) ? "NaN" : (d > 0 ? "Inf" : "-Inf");
  char buffer[40];
  for (int precision = 15; precision <= 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, d);
    if (std::strtod(buffer, nullptr) == d) break;
  }
  std::string s = buffer;
  if (s.find_first_of(".eE") == std::string::npos) s += ".0";
  return s;
}

std::string RenderString(const std::string& s) {
  std::string out = "\"";
  for (char ch : s) {
    switch (ch) {
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += ch;
    }
  }
  return out + "\"";
}

std::string JoinArgs(const std::vector<std::string>& args) {
  std::string out;
  for (std::size_t i = 0; i < args.size(); ++i) out += (i ? ", " : "") + args[i];
  return out;
}

std::string KindWord(CallKind kind) {
  return kind == CallKind::Put ? "put" : "get";
}

}  // namespace

std::string RenderValue(const Variant& value) {
  if (value.isByRef()) return "&" + RenderValue(value.deref());
  switch (value.kind()) {
    case VarKind::Empty:
      return "Empty";
    case VarKind::Missing:
      return "<missing>";
    case VarKind::Bool:
      return *value.getIf<bool>() ? "True" : "False";
    case VarKind::Int16:
      return std::to_string(*value.getIf<std::int16_t>()) + "i16";
    case VarKind::Int32:
      return std::to_string(*value.getIf<std::int32_t>());
    case VarKind::UInt8:
      return std::to_string(*value.getIf<std::uint8_t>()) + "u8";
    case VarKind::Double:
      return RenderDouble(*value.getIf<double>());
    case VarKind::Currency:
      return value.toString() + "cy";
    case VarKind::String:
      return RenderString(*value.getIf<std::string>());
    case VarKind::Object: {
      const ObjectPtr& object = *value.getIf<ObjectPtr>();
      if (!object) return "Nothing";
      if (auto recorded = std::dynamic_pointer_cast<RecordingObject>(object))
        return "<" + recorded->path() + ">";
      return "<object>";
    }
    case VarKind::Array: {
      const automation::Array& array = value.toArray();
      std::string out = "[lb " + std::to_string(array.lowerBound) + ":";
      for (std::size_t i = 0; i < array.items.size() && i < kMaxArrayItemsShown; ++i)
        out += (i ? ", " : " ") + RenderValue(array.items[i]);
      if (array.items.size() > kMaxArrayItemsShown)
        out += ", ... " + std::to_string(array.items.size()) + " items";
      return out + "]";
    }
    case VarKind::ByRef:
      break;
  }
  return "?";
}

std::string RecordedCall::target() const {
  std::string out = path + "." + member;
  std::vector<std::string> shown = renderedArgs;
  if (kind == CallKind::Put && !shown.empty()) shown.pop_back();  // the value, shown after "="
  if (!shown.empty()) out += "(" + JoinArgs(shown) + ")";
  return out;
}

std::string RecordedCall::describe() const {
  std::string out = "#" + std::to_string(number) + " " + KindWord(kind) + " " + target();
  if (kind == CallKind::Put && !renderedArgs.empty()) out += " = " + renderedArgs.back();
  if (error) {
    out += injected ? " FAILED (injected): " : " FAILED: ";
    out += *error;
  } else if (kind == CallKind::Get) {
    out += " -> " + result;
  }
  return out;
}

const Variant& RecordedCall::putValue() const {
  if (kind != CallKind::Put || args.empty())
    throw std::logic_error("call #" + std::to_string(number) + " is not a put: " + describe());
  return args.back();
}

std::ostream& operator<<(std::ostream& out, const RecordedCall& call) {
  return out << call.describe();
}

std::vector<RecordedCall> CallLog::callsTo(std::string_view member) const {
  std::vector<RecordedCall> out;
  for (const RecordedCall& call : calls_)
    if (EqualsIgnoreCase(call.member, member)) out.push_back(call);
  return out;
}

bool CallLog::called(std::string_view member) const {
  return firstCallTo(member) != 0;
}

std::size_t CallLog::countOf(std::string_view member) const {
  std::size_t n = 0;
  for (const RecordedCall& call : calls_)
    if (EqualsIgnoreCase(call.member, member)) ++n;
  return n;
}

std::size_t CallLog::firstCallTo(std::string_view member) const {
  for (const RecordedCall& call : calls_)
    if (EqualsIgnoreCase(call.member, member)) return call.number;
  return 0;
}

std::vector<std::string> CallLog::lines() const {
  std::vector<std::string> out;
  for (const RecordedCall& call : calls_) {
    std::string line = call.describe();
    out.push_back(line.substr(line.find(' ') + 1));
  }
  return out;
}

std::string CallLog::dump() const {
  std::ostringstream out;
  out << "automation calls (" << calls_.size() << "):\n";
  for (const RecordedCall& call : calls_) out << "  " << call.describe() << "\n";
  return out.str();
}

void CallLog::failCall(std::size_t k, std::string text) {
  failIf([k](const RecordedCall& call) { return call.number == k; }, std::move(text));
}

void CallLog::failMember(std::string member, std::string text) {
  failWhen(FaultRule{std::move(member), {}, std::nullopt, 0}, std::move(text));
}

void CallLog::failWhen(FaultRule rule, std::string text) {
  auto seen = std::make_shared<std::size_t>(0);
  failIf(
      [rule = std::move(rule), seen](const RecordedCall& call) {
        if (!rule.member.empty() && !EqualsIgnoreCase(call.member, rule.member)) return false;
        if (!rule.pathSuffix.empty() && !EndsWithIgnoreCase(call.path, rule.pathSuffix))
          return false;
        if (rule.kind && *rule.kind != call.kind) return false;
        ++*seen;
        return rule.occurrence == 0 || *seen == rule.occurrence;
      },
      std::move(text));
}

void CallLog::failIf(std::function<bool(const RecordedCall&)> predicate, std::string text) {
  faults_.push_back(Fault{std::move(predicate), std::move(text)});
}

std::size_t CallLog::record(RecordedCall call) {
  call.number = calls_.size() + 1;
  calls_.push_back(std::move(call));
  return calls_.size() - 1;
}

RecordedCall* CallLog::entry(std::size_t index) {
  return index < calls_.size() ? &calls_[index] : nullptr;
}

std::optional<std::string> CallLog::faultFor(const RecordedCall& call) {
  // Every rule sees every call, so occurrence counts stay right when rules overlap.
  std::optional<std::string> text;
  for (Fault& fault : faults_)
    if (fault.matches(call) && !text) text = fault.text;
  return text;
}

RecordingObject::RecordingObject(ObjectPtr target, std::string path, std::shared_ptr<CallLog> log)
    : target_(std::move(target)), path_(std::move(path)), log_(std::move(log)) {
  if (!target_) throw std::invalid_argument("RecordingObject needs an object to wrap");
  if (!log_) log_ = std::make_shared<CallLog>();
}

std::shared_ptr<RecordingObject> RecordingObject::Wrap(ObjectPtr target, std::string name,
                                                       std::shared_ptr<CallLog> log) {
  return std::make_shared<RecordingObject>(std::move(target), std::move(name), std::move(log));
}

ObjectPtr Unwrap(const ObjectPtr& object) {
  ObjectPtr current = object;
  while (auto recorded = std::dynamic_pointer_cast<RecordingObject>(current))
    current = recorded->target();
  return current;
}

Variant RecordingObject::invoke(std::string_view member, CallKind kind,
                                std::vector<Variant>& args) {
  auto snapshot = [&](RecordedCall& call) {
    call.args.clear();
    call.renderedArgs.clear();
    for (const Variant& arg : args) {
      // Wrapped objects are kept unwrapped: a wrapper holds the log, and the log
      // holding the wrapper would keep both alive for ever.
      const Variant& value = arg.deref();
      const ObjectPtr* object = value.getIf<ObjectPtr>();
      call.args.push_back(object ? Variant(Unwrap(*object)) : value);
      call.renderedArgs.push_back(RenderValue(arg));
      if (arg.isByRef()) call.byRef = true;
    }
  };

  RecordedCall pending;
  pending.path = path_;
  pending.member = std::string(member);
  pending.kind = kind;
  snapshot(pending);
  // The number the call will get, so failCall(k) and predicates see it.
  pending.number = log_->calls().size() + 1;

  if (std::optional<std::string> fault = log_->faultFor(pending)) {
    pending.error = *fault;
    pending.injected = true;
    log_->record(std::move(pending));
    throw automation::Error(*fault);
  }
  const std::size_t slot = log_->record(std::move(pending));

  // Objects passed in go to the target as themselves, not as their recorders.
  std::vector<std::pair<std::size_t, Variant>> swapped;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].isByRef()) continue;
    if (const ObjectPtr* object = args[i].getIf<ObjectPtr>()) {
      ObjectPtr inner = Unwrap(*object);
      if (inner != *object) {
        swapped.emplace_back(i, args[i]);
        args[i] = Variant(inner);
      }
    }
  }
  auto restore = [&] {
    for (auto& [i, original] : swapped) args[i] = std::move(original);
  };

  Variant result;
  try {
    result = target_->invoke(member, kind, args);
  } catch (const std::exception& e) {
    restore();
    if (RecordedCall* call = log_->entry(slot)) {
      snapshot(*call);
      call->error = e.what();
    }
    throw;
  }
  restore();

  RecordedCall* call = log_->entry(slot);
  if (!call) {  // the log was cleared meanwhile
    if (const ObjectPtr* object = result.getIf<ObjectPtr>(); object && *object)
      result = Variant(ObjectPtr(Wrap(*object, path_ + "." + std::string(member), log_)));
    return result;
  }
  snapshot(*call);
  if (const ObjectPtr* object = result.getIf<ObjectPtr>(); object && *object)
    result = Variant(ObjectPtr(Wrap(*object, call->target(), log_)));
  call->result = RenderValue(result);
  return result;
}

}  // namespace tabulo::testing
