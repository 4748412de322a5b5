#include "export/progress.h"

#include <cmath>

namespace tabulo::exporting {

std::unique_ptr<TfrmProgress> frmProgress;

TfrmProgress::TfrmProgress() : view_(platform::CurrentUi().CreateProgressWindow(kCaption)) {}

void TfrmProgress::Show() {
  if (view_) view_->Show();
}

void TfrmProgress::SetPosition(int position) {
  position_ = position;
  if (view_) view_->SetPosition(position);
}

int ProgressPosition(int counter, int total) {
  if (total == 0) return 0;
  double ratio = static_cast<double>(counter) / static_cast<double>(total) * 100.0;
  return static_cast<int>(std::nearbyint(ratio));
}

ProgressWindowGuard::~ProgressWindowGuard() {
  if (created_) frmProgress.reset();
}

TfrmProgress& ProgressWindowGuard::Create() {
  frmProgress = std::make_unique<TfrmProgress>();
  created_ = true;
  frmProgress->Show();
  return *frmProgress;
}

}  // namespace tabulo::exporting
