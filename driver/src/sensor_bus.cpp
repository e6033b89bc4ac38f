#include "sensor_bus.h"

#include "platform/time.h"

namespace orsadrv {

namespace {

constexpr BYTE kCommandRegister = 36;
constexpr BYTE kTransmitRegister = 39;
constexpr BYTE kReceiveRegister = 38;
constexpr BYTE kStatusRegister = 13;
constexpr BYTE kBusy = 0x80;

constexpr BYTE kStart = 9;
constexpr BYTE kStop = 10;
constexpr BYTE kSend = 8;
constexpr BYTE kReceive = 14;
constexpr BYTE kAcknowledge = 12;

constexpr BYTE kSensorWriteAddress = 0x42;
constexpr BYTE kSensorReadAddress = 0x43;

constexpr int kBusyReads = 101;

// Collects the outcome of a sequence: any timed-out wait makes it -1.
class Sequence {
 public:
  explicit Sequence(DWORD device) : device_(device) {}

  void Wait() {
    if (WaitSerialBus(device_) < 0) result_ = -1;
  }
  void Command(BYTE command) { WriteModuleRegister(device_, kCommandRegister, command); }
  void Start() {
    Wait();
    Command(kStart);
  }
  void Stop() {
    Wait();
    Command(kStop);
  }
  void Send(BYTE byte) {
    WriteModuleRegister(device_, kTransmitRegister, byte);
    Command(kSend);
    Wait();
    WriteModuleRegister(device_, kTransmitRegister, 255);
    Command(kAcknowledge);
    Wait();
  }
  BYTE Receive() {
    Wait();
    Command(kReceive);
    Wait();
    WriteModuleRegister(device_, kTransmitRegister, 255);
    Command(kAcknowledge);
    Wait();
    const int value = ReadModuleRegister(device_, kReceiveRegister);
    return value < 0 ? 0 : static_cast<BYTE>(value);
  }
  int result() const { return result_; }

 private:
  DWORD device_;
  int result_ = 0;
};

}  // namespace

int WaitSerialBus(DWORD device) {
  for (int read = 1;; ++read) {
    const int status = ReadModuleRegister(device, kStatusRegister);
    // A failed read counts as busy: the bus cannot be trusted to be free.
    if (status >= 0 && !(status & kBusy)) return 0;
    if (read == kBusyReads) return -1;
    platform::Sleep(1);
  }
}

int WriteSensorRegister(DWORD device, BYTE sensor_register, BYTE value) {
  Sequence sequence(device);
  sequence.Start();
  sequence.Send(kSensorWriteAddress);
  sequence.Send(sensor_register);
  sequence.Send(value);
  sequence.Stop();
  return sequence.result();
}

int ReadSensorRegister(DWORD device, BYTE sensor_register, BYTE* value) {
  Sequence sequence(device);
  sequence.Start();
  sequence.Send(kSensorWriteAddress);
  sequence.Send(sensor_register);
  sequence.Start();
  sequence.Send(kSensorReadAddress);
  *value = sequence.Receive();
  sequence.Stop();
  return sequence.result();
}

int WriteSensorTable(DWORD device, std::span<const RegisterValue> table) {
  int result = 0;
  for (const auto& [sensor_register, value] : table) {
    if (WriteSensorRegister(device, sensor_register, value) < 0) result = -1;
  }
  return result;
}

}  // namespace orsadrv
