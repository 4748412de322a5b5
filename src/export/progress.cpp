#include "export/progress.h"

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

int ProgressPosition(std::int64_t counter, std::int64_t total) {
  if (total <= 0) return 0;
  // Integer arithmetic: a double quotient could land a hair off an exact half.
  std::int64_t scaled = counter * 100;
  std::int64_t quotient = scaled / total, remainder = scaled % total;
  if (remainder < 0) {
    quotient -= 1;
    remainder += total;
  }
  std::int64_t twice = 2 * remainder;
  if (twice > total || (twice == total && (quotient & 1) != 0)) ++quotient;
  return static_cast<int>(quotient);
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
