// Shell change notifications. Every change made through the file layer is
// reported here, and so are storage cards coming and going. The event
// numbers are the shell's, because receivers pass them on as they are.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/types.h"

namespace platform {

inline constexpr LONG SHCNE_RENAMEITEM = 0x00000001;
inline constexpr LONG SHCNE_CREATE = 0x00000002;
inline constexpr LONG SHCNE_DELETE = 0x00000004;
inline constexpr LONG SHCNE_MKDIR = 0x00000008;
inline constexpr LONG SHCNE_RMDIR = 0x00000010;
inline constexpr LONG SHCNE_MEDIAINSERTED = 0x00000020;
inline constexpr LONG SHCNE_MEDIAREMOVED = 0x00000040;
inline constexpr LONG SHCNE_DRIVEREMOVED = 0x00000080;
inline constexpr LONG SHCNE_DRIVEADD = 0x00000100;
inline constexpr LONG SHCNE_ATTRIBUTES = 0x00000800;
inline constexpr LONG SHCNE_UPDATEDIR = 0x00001000;
inline constexpr LONG SHCNE_UPDATEITEM = 0x00002000;
inline constexpr LONG SHCNE_RENAMEFOLDER = 0x00020000;
inline constexpr LONG SHCNE_ALLEVENTS = 0x7FFFFFFF;

struct ChangeEvent {
  LONG kind = 0;
  // The item; for a rename its new path. Drives are named by their folder
  // ("\Storage Card").
  std::string path;
  // The old path of a renamed item; empty otherwise.
  std::string old_path;
  friend bool operator==(const ChangeEvent&, const ChangeEvent&) = default;
};

class ChangeNotifier {
 public:
  using Receiver = std::function<void(const ChangeEvent&)>;

 private:
  struct Shared;
  struct Entry;

 public:
  // Keeps a receiver registered; destroying or resetting it unregisters.
  // Once Reset returns, the receiver is not running on another thread and
  // is never called again; a receiver may reset its own registration.
  class Registration {
   public:
    Registration() = default;
    Registration(Registration&& other) noexcept = default;
    Registration& operator=(Registration&& other) noexcept;
    ~Registration();
    void Reset();
    explicit operator bool() const { return entry_ != nullptr; }

   private:
    friend class ChangeNotifier;
    Registration(std::weak_ptr<Shared> shared, std::shared_ptr<Entry> entry)
        : shared_(std::move(shared)), entry_(std::move(entry)) {}
    std::weak_ptr<Shared> shared_;
    std::shared_ptr<Entry> entry_;
  };

  ChangeNotifier();
  ~ChangeNotifier();
  ChangeNotifier(const ChangeNotifier&) = delete;
  ChangeNotifier& operator=(const ChangeNotifier&) = delete;

  // Registers a receiver for the events whose bits are in `events`.
  [[nodiscard]] Registration Register(Receiver receiver, LONG events = SHCNE_ALLEVENTS);

  // Calls every interested receiver on the calling thread, in registration
  // order. Callers hold none of their own locks while notifying, so that
  // receivers may call back into the platform. Calls of one receiver never
  // overlap; a receiver therefore hands events on (posts them) rather than
  // waiting for another thread that may itself be raising an event.
  void Notify(const ChangeEvent& event);

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace platform
