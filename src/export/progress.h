#pragma once
#include <cstdint>
#include <memory>

#include "platform/ui.h"

namespace tabulo::exporting {

// The progress window shared by the export and the load: caption "Exporting", a
// bar 0..100. It exists only within one command.
class TfrmProgress {
 public:
  static constexpr const char* kCaption = "Exporting";

  // Creates the window through the current UI backend (not yet shown).
  TfrmProgress();
  void Show();
  // ProgressBar1.Position.
  void SetPosition(int position);
  int Position() const { return position_; }

 private:
  std::unique_ptr<platform::ProgressView> view_;
  int position_ = 0;
};

// The one module-level reference; empty between commands.
extern std::unique_ptr<TfrmProgress> frmProgress;

// Bar position for `counter` of `total`: counter / total × 100 rounded to the
// nearest integer, an exact half to the even neighbour (computed exactly, so 1 of 8
// gives 12 and 3 of 8 gives 38). 0 when total is not positive.
int ProgressPosition(std::int64_t counter, std::int64_t total);

// Creates, stores in frmProgress and shows the window for one command; destroys it
// and clears frmProgress when the command's scope ends, on every path, but only if
// this guard created it.
class ProgressWindowGuard {
 public:
  ProgressWindowGuard() = default;
  ProgressWindowGuard(const ProgressWindowGuard&) = delete;
  ProgressWindowGuard& operator=(const ProgressWindowGuard&) = delete;
  ~ProgressWindowGuard();
  // Creates the window, stores it in frmProgress and shows it (modeless).
  TfrmProgress& Create();
  bool created() const { return created_; }

 private:
  bool created_ = false;
};

}  // namespace tabulo::exporting
