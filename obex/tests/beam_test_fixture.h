// A handheld with the sender installed, a file to send and an observer that
// records what the dialog would show.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "beam_resources.h"
#include "obex/beam_session.h"
#include "obex/orsabeam.h"
#include "platform/files.h"
#include "platform/modules.h"
#include "platform/sockets.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"

namespace obex::testing {

class RecordingObserver final : public BeamObserver {
 public:
  void OnStatus(const std::string& text) override {
    std::lock_guard lock(mutex_);
    statuses_.push_back(text);
  }
  void OnLog(const std::string& line) override {
    std::lock_guard lock(mutex_);
    log_.push_back(line);
  }
  std::vector<std::string> statuses() const {
    std::lock_guard lock(mutex_);
    return statuses_;
  }
  std::vector<std::string> log() const {
    std::lock_guard lock(mutex_);
    return log_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> statuses_;
  std::vector<std::string> log_;
};

class BeamTest : public ::testing::Test {
 protected:
  BeamTest() {
    InstallOrsaBeam(device_.handheld());
    resources_ = platform::LoadLibrary("orsabeamres.dll");
  }
  ~BeamTest() override { platform::FreeLibrary(resources_); }

  platform::SocketService& sockets() {
    return device_.handheld().GetService<platform::SocketService>();
  }
  void AddPeer(std::uint16_t port, std::string name = "Pocket") {
    sockets().AddInfraredPeer({std::move(name), "127.0.0.1", port});
  }

  // A file of `size` bytes in "\My Documents\" whose bytes count up.
  std::string MakeFile(const std::string& name, std::size_t size) {
    const std::string path = "\\My Documents\\" + name;
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    platform::FileHandle file =
        platform::CreateFile(path, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
    EXPECT_TRUE(file);
    platform::DWORD written = 0;
    if (size > 0) {
      EXPECT_TRUE(
          platform::WriteFile(file, bytes.data(), static_cast<platform::DWORD>(size), &written));
    }
    contents_[path] = bytes;
    return path;
  }
  const std::vector<std::uint8_t>& ContentsOf(const std::string& path) { return contents_[path]; }

  // Sends the file and waits for the worker.
  bool Send(const std::string& path) {
    BeamSession session(resources_, path, observer_);
    EXPECT_TRUE(session.Start());
    EXPECT_EQ(platform::WaitForSingleObject(session.worker(), platform::INFINITE),
              platform::WAIT_OBJECT_0);
    return session.Succeeded();
  }

  std::string String(platform::UINT id) { return BeamString(resources_, id); }
  std::string Failed() { return FormatBeamString(resources_, kStringFailed, kFailedArgument); }
  std::string Succeeded() {
    return FormatBeamString(resources_, kStringSucceeded, kSucceededArgument);
  }

  platform::testing::TempHandheld device_;
  platform::HINSTANCE resources_ = nullptr;
  RecordingObserver observer_;
  std::map<std::string, std::vector<std::uint8_t>> contents_;
};

}  // namespace obex::testing
