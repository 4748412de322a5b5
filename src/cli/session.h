#pragma once
#include <memory>

#include "platform/registry.h"
#include "platform/ui_console.h"

namespace tabulo::cli {

// What every subcommand runs in: the console UI and the settings file installed as
// the process's seams for the command's duration.
class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  platform::ConsoleUi& ui() { return *ui_; }
  // 1 when the command showed an error box, else 0.
  int exitStatus() const { return ui_->errorCount() > 0 ? 1 : 0; }

 private:
  std::shared_ptr<platform::ConsoleUi> ui_;
  platform::ScopedUi scopedUi_;
  platform::ScopedRegistry scopedRegistry_;
};

}  // namespace tabulo::cli
