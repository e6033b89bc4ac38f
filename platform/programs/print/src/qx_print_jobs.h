// What the two-library engine keeps per handheld: how many callers have it
// initialised, and the outcome of each job, which the progress box of the
// other library tells.
#pragma once

#include <map>
#include <mutex>
#include <optional>

#include "platform/handheld.h"
#include "print_spool.h"

namespace platform::programs {

class QxPrintJobs final : public HandheldService {
 public:
  explicit QxPrintJobs(Handheld&) {}

  void Initialize();
  // False when it was not initialised.
  bool UnInitialize();
  bool Initialized() const;
  // Keeps the outcome; returns the job's number (from 1).
  DWORD Record(PrintOutcome outcome);
  std::optional<PrintOutcome> Find(DWORD job) const;

 private:
  mutable std::mutex mutex_;
  int users_ = 0;
  DWORD next_job_ = 1;
  std::map<DWORD, PrintOutcome> jobs_;
};

}  // namespace platform::programs
