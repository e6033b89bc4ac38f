#include "qx_print_jobs.h"

namespace platform::programs {

void QxPrintJobs::Initialize() {
  std::lock_guard lock(mutex_);
  ++users_;
}

bool QxPrintJobs::UnInitialize() {
  std::lock_guard lock(mutex_);
  if (users_ == 0) return false;
  --users_;
  return true;
}

bool QxPrintJobs::Initialized() const {
  std::lock_guard lock(mutex_);
  return users_ > 0;
}

DWORD QxPrintJobs::Record(PrintOutcome outcome) {
  std::lock_guard lock(mutex_);
  const DWORD job = next_job_++;
  jobs_[job] = std::move(outcome);
  return job;
}

std::optional<PrintOutcome> QxPrintJobs::Find(DWORD job) const {
  std::lock_guard lock(mutex_);
  const auto found = jobs_.find(job);
  if (found == jobs_.end()) return std::nullopt;
  return found->second;
}

}  // namespace platform::programs
