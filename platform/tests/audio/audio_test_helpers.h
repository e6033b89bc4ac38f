// Shared pieces of the audio tests: buffers handed to a device, and the
// messages a thread collects from it.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/messages.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "platform/wave.h"

namespace platform::audio_testing {

// Buffers with their headers, prepared for one device.
struct WaveBuffers {
  WaveBuffers(std::size_t count, std::size_t size)
      : data(count, std::vector<char>(size)), headers(count) {
    for (std::size_t i = 0; i < count; ++i) {
      headers[i].lpData = data[i].data();
      headers[i].dwBufferLength = static_cast<DWORD>(size);
      headers[i].dwUser = i;
    }
  }
  std::vector<std::vector<char>> data;
  std::vector<WAVEHDR> headers;
};

// A device message as the receiving thread saw it.
struct Received {
  UINT message = 0;
  WAVEHDR* header = nullptr;
  std::uint64_t at_ms = 0;
};

// Takes device messages off the calling thread's queue until `count` of
// `message` have come (or `limit_ms` of handheld time have passed).
inline std::vector<Received> Collect(UINT message, std::size_t count, DWORD limit_ms = 10000) {
  std::vector<Received> received;
  const std::uint64_t give_up = clock::NowMs() + limit_ms;
  while (received.size() < count && clock::NowMs() < give_up) {
    MSG msg;
    if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == message) {
        received.push_back({msg.message, reinterpret_cast<WAVEHDR*>(msg.lParam), clock::NowMs()});
      }
      continue;
    }
    MsgWaitForMultipleObjects({}, false, static_cast<DWORD>(give_up - clock::NowMs()));
  }
  return received;
}

inline std::int16_t ToneSample(double hz, double amplitude, std::uint64_t index, double rate) {
  return static_cast<std::int16_t>(
      std::lround(amplitude * std::sin(2 * std::numbers::pi * hz * index / rate)));
}

}  // namespace platform::audio_testing
