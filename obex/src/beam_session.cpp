#include "obex/beam_session.h"

#include "beam_output.h"
#include "beam_resources.h"
#include "send_record.h"
#include "shared_socket.h"
#include "transfer.h"

namespace obex {

namespace {
constexpr char kVersion[] = "1.00";
constexpr char kBuildDate[] = "Wed May 14 10:37:31 2003";
}  // namespace

BeamSession::BeamSession(platform::HINSTANCE resources, std::string path, BeamObserver& observer)
    : resources_(resources),
      path_(std::move(path)),
      observer_(observer),
      socket_(std::make_unique<SharedSocket>()) {}

BeamSession::~BeamSession() {
  Close();
  platform::ThreadHandle closer;
  {
    std::lock_guard lock(closing_mutex_);
    closer = closer_;
  }
  if (closer) platform::WaitForSingleObject(closer, platform::INFINITE);
}

bool BeamSession::Start() {
  BeamOutput(observer_, resources_).LogFormat("Version %s: %s", kVersion, kBuildDate);
  worker_ = platform::CreateThread([this] { return Work(); }, "orsabeam send worker");
  return worker_ != nullptr;
}

platform::DWORD BeamSession::Work() {
  BeamOutput output(observer_, resources_);
  output.StatusString(kStringLoading);
  SendRecord record;
  switch (LoadSendRecord(path_, output, &record)) {
    case LoadOutcome::kCannotOpen:
      output.Status("Can't Load file");
      return 1;
    case LoadOutcome::kFailed:
      output.StatusString(kStringFailed, kFailedArgument);
      return 1;
    case LoadOutcome::kLoaded:
      break;
  }
  const bool sent = RunTransfer(record, *socket_, output);
  {
    std::lock_guard lock(mutex_);
    succeeded_ = sent;
  }
  if (sent) {
    output.StatusString(kStringSucceeded, kSucceededArgument);
  } else {
    output.StatusString(kStringFailed, kFailedArgument);
  }
  return sent ? 0 : 1;
}

platform::ThreadHandle BeamSession::StartClosing(std::function<void()> closed) {
  // A second close (OK, then Cancel before the first one finished) joins
  // the running one: replacing it would lose the only handle the
  // destructor waits on, and its callback could outlive the session.
  std::lock_guard lock(closing_mutex_);
  if (closer_) return closer_;
  closer_ = platform::CreateThread(
      [this, closed = std::move(closed)] {
        Close();
        if (closed) closed();
        return platform::DWORD{0};
      },
      "orsabeam closing");
  return closer_;
}

void BeamSession::Close() {
  socket_->Cancel();
  if (worker_) platform::WaitForSingleObject(worker_, platform::INFINITE);
}

bool BeamSession::Succeeded() const {
  std::lock_guard lock(mutex_);
  return succeeded_;
}

}  // namespace obex
