// One sending of a file, without its dialog: the send worker with the
// transfer, and the closing thread that ends it. The dialog, the orsa-beam
// tool and the tests drive the same session through BeamObserver.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/modules.h"
#include "platform/threads.h"

namespace obex {

class SharedSocket;

// What the dialog shows: the status text (control 1001) and the lines of
// the hidden log (list box 1000). Called on the worker's thread.
class BeamObserver {
 public:
  virtual ~BeamObserver() = default;
  virtual void OnStatus(const std::string& text) = 0;
  virtual void OnLog(const std::string& line) = 0;
};

class BeamSession {
 public:
  // `resources` is the resource module the texts come from.
  BeamSession(platform::HINSTANCE resources, std::string path, BeamObserver& observer);
  // Closes a session still running and waits for its worker and closing
  // thread.
  ~BeamSession();
  BeamSession(const BeamSession&) = delete;
  BeamSession& operator=(const BeamSession&) = delete;

  // Logs the version and starts the send worker; false when no thread.
  bool Start();
  // The closing thread: closes the socket (which ends the search or a
  // blocked transfer), waits for the worker, then runs `closed` on itself.
  // The session must not be destroyed from `closed`. Once closing has
  // begun, later calls return the same thread and drop their `closed`.
  platform::ThreadHandle StartClosing(std::function<void()> closed = {});
  // The same on the calling thread.
  void Close();

  // Null before Start.
  const platform::ThreadHandle& worker() const { return worker_; }
  // True once the worker ended after a complete transfer.
  bool Succeeded() const;

 private:
  platform::DWORD Work();

  platform::HINSTANCE resources_;
  const std::string path_;
  BeamObserver& observer_;
  // The worker's socket, which the closing thread closes.
  std::unique_ptr<SharedSocket> socket_;
  platform::ThreadHandle worker_;
  std::mutex closing_mutex_;
  platform::ThreadHandle closer_;  // guarded by closing_mutex_
  mutable std::mutex mutex_;
  bool succeeded_ = false;  // guarded by mutex_
};

}  // namespace obex
