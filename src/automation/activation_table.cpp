// Portable activation: a process-wide table of running objects and factories.
#include <map>
#include <mutex>
#include <utility>

#include "automation/activation.h"
#include "automation/error.h"
#include "automation/object.h"

namespace tabulo::automation {
namespace {

struct Entry {
  std::uint64_t serial = 0;
  ObjectPtr running;
  ObjectFactory factory;
};

struct Table {
  std::mutex mutex;
  std::map<std::string, Entry> entries;  // "active:" / "factory:" + lower-case ProgID
  std::uint64_t nextSerial = 1;
};

Table& TheTable() {
  static Table table;
  return table;
}

Registration Register(std::string key, Entry entry) {
  Table& t = TheTable();
  std::lock_guard lock(t.mutex);
  entry.serial = t.nextSerial++;
  std::uint64_t serial = entry.serial;
  t.entries[key] = std::move(entry);
  return Registration(std::move(key), serial);
}

}  // namespace

Registration& Registration::operator=(Registration&& other) noexcept {
  if (this != &other) {
    reset();
    key_ = std::move(other.key_);
    serial_ = std::exchange(other.serial_, 0);
  }
  return *this;
}

Registration::~Registration() {
  reset();
}

void Registration::reset() {
  if (serial_ == 0) return;
  Table& t = TheTable();
  std::lock_guard lock(t.mutex);
  auto it = t.entries.find(key_);
  if (it != t.entries.end() && it->second.serial == serial_) t.entries.erase(it);
  serial_ = 0;
}

Registration RegisterActiveObject(std::string_view progId, ObjectPtr object) {
  return Register("active:" + LowerCase(progId), Entry{0, std::move(object), {}});
}

Registration RegisterFactory(std::string_view progId, ObjectFactory factory) {
  return Register("factory:" + LowerCase(progId), Entry{0, nullptr, std::move(factory)});
}

ObjectPtr GetActiveObject(std::string_view progId) {
  Table& t = TheTable();
  std::lock_guard lock(t.mutex);
  auto it = t.entries.find("active:" + LowerCase(progId));
  if (it == t.entries.end() || !it->second.running)
    throw Error("Operation unavailable: no running application is registered as \"" +
                std::string(progId) + "\". Start it and try again.");
  return it->second.running;
}

ObjectPtr CreateObject(std::string_view progId) {
  ObjectFactory factory;
  {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find("factory:" + LowerCase(progId));
    if (it != t.entries.end()) factory = it->second.factory;
  }
  if (!factory)
    throw Error("Invalid class string: no application is installed as \"" + std::string(progId) +
                "\".");
  ObjectPtr object = factory();
  if (!object) throw Error("\"" + std::string(progId) + "\" could not be started.");
  return object;
}

}  // namespace tabulo::automation
