#include "sensor_bus.h"

#include "platform/time.h"

namespace orsadrv {

namespace {

using namespace camera_hardware::serial;
using camera_hardware::module::kSerialCommand;
using camera_hardware::module::kSerialReceived;
using camera_hardware::module::kSerialStatus;
using camera_hardware::module::kSerialTransmit;

constexpr int kBusyReads = 101;

// Collects the outcome of a transfer: a timed-out wait makes it -1 and the
// transfer goes on; a bus failure ends it and makes it kBusFailure.
class Sequence {
 public:
  explicit Sequence(DWORD device) : run_(device) {}

  void Wait() {
    if (!run_.failed() && WaitSerialBus(run_.device()) < 0) timed_out_ = true;
  }
  void Command(BYTE command) { run_.WriteModule(kSerialCommand, command); }
  void Start() {
    Wait();
    Command(kStart);
  }
  void Stop() {
    Wait();
    Command(kStop);
  }
  void Send(BYTE byte) {
    run_.WriteModule(kSerialTransmit, byte);
    Command(kSend);
    Wait();
    run_.WriteModule(kSerialTransmit, 255);
    Command(kAcknowledge);
    Wait();
  }
  BYTE Receive() {
    Wait();
    Command(kReceive);
    Wait();
    run_.WriteModule(kSerialTransmit, 255);
    Command(kAcknowledge);
    Wait();
    const int value = run_.ReadModule(kSerialReceived);
    return value < 0 ? 0 : static_cast<BYTE>(value);
  }
  int result() const { return run_.failed() ? run_.result() : timed_out_ ? -1 : 0; }

 private:
  BusSequence run_;
  bool timed_out_ = false;
};

}  // namespace

int WaitSerialBus(DWORD device) {
  for (int read = 1;; ++read) {
    const int status = ReadModuleRegister(device, kSerialStatus);
    // A failed read counts as busy: the bus cannot be trusted to be free.
    if (status >= 0 && !(status & kBusy)) return 0;
    if (read == kBusyReads) return -1;
    platform::Sleep(1);
  }
}

int WriteSensorRegister(DWORD device, BYTE sensor_register, BYTE value) {
  Sequence sequence(device);
  sequence.Start();
  sequence.Send(kSensorWrite);
  sequence.Send(sensor_register);
  sequence.Send(value);
  sequence.Stop();
  return sequence.result();
}

int ReadSensorRegister(DWORD device, BYTE sensor_register, BYTE* value) {
  Sequence sequence(device);
  sequence.Start();
  sequence.Send(kSensorWrite);
  sequence.Send(sensor_register);
  sequence.Start();
  sequence.Send(kSensorRead);
  *value = sequence.Receive();
  sequence.Stop();
  return sequence.result();
}

int WriteSensorTable(DWORD device, std::span<const RegisterValue> table) {
  int result = 0;
  for (const auto& [sensor_register, value] : table) {
    const int written = WriteSensorRegister(device, sensor_register, value);
    if (written == kBusFailure) return written;
    if (written < 0) result = written;
  }
  return result;
}

}  // namespace orsadrv
