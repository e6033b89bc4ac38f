// Waveform audio: wave input and wave output devices fed with buffers that
// come back through completion messages, as on the handheld.
//
// The devices run on the handheld's clock: an input buffer of 320 bytes at
// 8,000 Hz, 16-bit mono is complete 20 ms after the previous one, on the
// virtual clock as in real time. What the input hears and where the output
// goes is the audio service's business (platform/audio.h).
#pragma once

#include <cstdint>

#include "platform/messages.h"
#include "platform/types.h"

namespace platform {

using MMRESULT = UINT;
using DWORD_PTR = std::uintptr_t;

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
inline constexpr MMRESULT MMSYSERR_NODRIVER = 6;
inline constexpr MMRESULT MMSYSERR_NOMEM = 7;
inline constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
inline constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
inline constexpr MMRESULT WAVERR_BADFORMAT = 32;
inline constexpr MMRESULT WAVERR_STILLPLAYING = 33;
inline constexpr MMRESULT WAVERR_UNPREPARED = 34;

inline constexpr WORD WAVE_FORMAT_PCM = 1;
inline constexpr WORD WAVE_FORMAT_GSM610 = 49;

// The wave format record. GSM 6.10 adds the samples per block (320) after
// it, with cbSize 2.
struct WAVEFORMATEX {
  WORD wFormatTag = 0;
  WORD nChannels = 0;
  DWORD nSamplesPerSec = 0;
  DWORD nAvgBytesPerSec = 0;
  WORD nBlockAlign = 0;
  WORD wBitsPerSample = 0;
  WORD cbSize = 0;
};

struct GSM610WAVEFORMAT {
  WAVEFORMATEX wfx;
  WORD wSamplesPerBlock = 0;
};

// A buffer handed to a device. The device owns it from add/write until it
// comes back with WHDR_DONE.
struct WAVEHDR {
  char* lpData = nullptr;
  DWORD dwBufferLength = 0;
  DWORD dwBytesRecorded = 0;
  DWORD_PTR dwUser = 0;
  DWORD dwFlags = 0;
  DWORD dwLoops = 0;
  WAVEHDR* lpNext = nullptr;
  DWORD_PTR reserved = 0;
};

inline constexpr DWORD WHDR_DONE = 0x00000001;
inline constexpr DWORD WHDR_PREPARED = 0x00000002;
inline constexpr DWORD WHDR_BEGINLOOP = 0x00000004;
inline constexpr DWORD WHDR_ENDLOOP = 0x00000008;
inline constexpr DWORD WHDR_INQUEUE = 0x00000010;

// Where a device's messages go (the high word of the open flags).
inline constexpr DWORD CALLBACK_TYPEMASK = 0x00070000;
inline constexpr DWORD CALLBACK_NULL = 0x00000000;
inline constexpr DWORD CALLBACK_WINDOW = 0x00010000;    // callback is an HWND
inline constexpr DWORD CALLBACK_THREAD = 0x00020000;    // callback is a thread id
inline constexpr DWORD CALLBACK_FUNCTION = 0x00030000;  // callback is a WaveCallback
inline constexpr DWORD CALLBACK_EVENT = 0x00050000;     // callback is an Event*
// Only asks whether the device would take the format.
inline constexpr DWORD WAVE_FORMAT_QUERY = 0x00000001;
inline constexpr UINT WAVE_MAPPER = 0xFFFFFFFF;

// The device messages, as window or thread messages: wParam is the device
// handle, lParam the buffer's WAVEHDR* for the data and done messages.
inline constexpr UINT MM_WOM_OPEN = 0x3BB;
inline constexpr UINT MM_WOM_CLOSE = 0x3BC;
inline constexpr UINT MM_WOM_DONE = 0x3BD;
inline constexpr UINT MM_WIM_OPEN = 0x3BE;
inline constexpr UINT MM_WIM_CLOSE = 0x3BF;
inline constexpr UINT MM_WIM_DATA = 0x3C0;
// The same events for a callback function.
inline constexpr UINT WOM_OPEN = MM_WOM_OPEN;
inline constexpr UINT WOM_CLOSE = MM_WOM_CLOSE;
inline constexpr UINT WOM_DONE = MM_WOM_DONE;
inline constexpr UINT WIM_OPEN = MM_WIM_OPEN;
inline constexpr UINT WIM_CLOSE = MM_WIM_CLOSE;
inline constexpr UINT WIM_DATA = MM_WIM_DATA;

struct WaveDeviceTag;
using HWAVEIN = WaveDeviceTag*;
using HWAVEOUT = WaveDeviceTag*;

// Called on the audio service's thread (so it must not block for long).
using WaveCallback = void (*)(WaveDeviceTag* device, UINT message, DWORD_PTR instance,
                              DWORD_PTR param1, DWORD_PTR param2);

// Wave input.
UINT WaveInGetNumDevs();
MMRESULT WaveInOpen(HWAVEIN* device, UINT device_id, const WAVEFORMATEX* format, DWORD_PTR callback,
                    DWORD_PTR instance, DWORD flags);
MMRESULT WaveInPrepareHeader(HWAVEIN device, WAVEHDR* header, UINT header_size);
MMRESULT WaveInUnprepareHeader(HWAVEIN device, WAVEHDR* header, UINT header_size);
MMRESULT WaveInAddBuffer(HWAVEIN device, WAVEHDR* header, UINT header_size);
MMRESULT WaveInStart(HWAVEIN device);
// Pauses recording; the buffer being filled comes back with what it holds,
// empty ones stay queued.
MMRESULT WaveInStop(HWAVEIN device);
// Stops and returns every queued buffer, the one being filled with its
// bytes so far; the position goes back to zero.
MMRESULT WaveInReset(HWAVEIN device);
MMRESULT WaveInClose(HWAVEIN device);

// Wave output.
UINT WaveOutGetNumDevs();
MMRESULT WaveOutOpen(HWAVEOUT* device, UINT device_id, const WAVEFORMATEX* format,
                     DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
MMRESULT WaveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT header_size);
MMRESULT WaveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT header_size);
MMRESULT WaveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT header_size);
MMRESULT WaveOutPause(HWAVEOUT device);
MMRESULT WaveOutRestart(HWAVEOUT device);
// Stops playing and returns every queued buffer.
MMRESULT WaveOutReset(HWAVEOUT device);
MMRESULT WaveOutClose(HWAVEOUT device);
// Volume: left channel in the low word, right in the high word, 0-0xFFFF.
// The device may be an open handle or a device id cast to a handle.
MMRESULT WaveOutGetVolume(HWAVEOUT device, DWORD* volume);
MMRESULT WaveOutSetVolume(HWAVEOUT device, DWORD volume);

}  // namespace platform
