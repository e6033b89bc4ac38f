#include "platform/change_notify.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace platform {

struct ChangeNotifier::Entry {
  Entry(Receiver r, LONG e) : receiver(std::move(r)), events(e) {}
  const Receiver receiver;
  const LONG events;
  // Held while the receiver runs, so that unregistering waits for a call in
  // progress on another thread; recursive so that a receiver may unregister
  // itself.
  std::recursive_mutex calling;
  bool active = true;  // Guarded by `calling`.
};

struct ChangeNotifier::Shared {
  std::mutex mutex;
  std::vector<std::shared_ptr<Entry>> entries;
};

ChangeNotifier::ChangeNotifier() : shared_(std::make_shared<Shared>()) {}

ChangeNotifier::~ChangeNotifier() = default;

ChangeNotifier::Registration ChangeNotifier::Register(Receiver receiver, LONG events) {
  auto entry = std::make_shared<Entry>(std::move(receiver), events);
  std::lock_guard lock(shared_->mutex);
  shared_->entries.push_back(entry);
  return Registration(shared_, std::move(entry));
}

void ChangeNotifier::Notify(const ChangeEvent& event) {
  std::vector<std::shared_ptr<Entry>> entries;
  {
    std::lock_guard lock(shared_->mutex);
    entries = shared_->entries;
  }
  for (const auto& entry : entries) {
    if ((entry->events & event.kind) == 0) continue;
    std::lock_guard calling(entry->calling);
    if (entry->active) entry->receiver(event);
  }
}

ChangeNotifier::Registration& ChangeNotifier::Registration::operator=(
    Registration&& other) noexcept {
  if (this != &other) {
    Reset();
    shared_ = std::move(other.shared_);
    entry_ = std::move(other.entry_);
  }
  return *this;
}

ChangeNotifier::Registration::~Registration() { Reset(); }

void ChangeNotifier::Registration::Reset() {
  if (!entry_) return;
  if (auto shared = shared_.lock()) {
    std::lock_guard lock(shared->mutex);
    std::erase(shared->entries, entry_);
  }
  {
    std::lock_guard calling(entry_->calling);
    entry_->active = false;
  }
  entry_.reset();
  shared_.reset();
}

}  // namespace platform
