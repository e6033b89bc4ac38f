#include "card_testing/module_programming.h"

#include <algorithm>

#include "card_testing/camera_tables.h"
#include "driver/module_tables.h"
#include "hardware/camera_registers.h"
#include "platform/time.h"

namespace card::testing {

namespace {

using camera_hardware::memory::kNegativeRawFrame;
constexpr std::uint32_t kRawA = camera_hardware::memory::kRawFrameA;
constexpr std::uint32_t kRawB = camera_hardware::memory::kRawFrameB;
constexpr std::uint32_t kOutputA = camera_hardware::memory::kCompressedA;
constexpr std::uint32_t kOutputB = camera_hardware::memory::kCompressedB;

bool Among(int type, std::initializer_list<int> types) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

bool HasToneTable(int type) { return Among(type, {0, 1, 2, 7, 8, 12, 17, 21}); }

}  // namespace

void ModuleProgrammer::SerialWait() {
  for (int reads = 0; reads < 101; ++reads) {
    if (!(bus_.ReadModule(13) & 0x80)) return;
    platform::Sleep(1);
  }
}

void ModuleProgrammer::SerialSend(std::uint8_t byte) {
  bus_.WriteModule(39, byte);
  bus_.WriteModule(36, 8);
  SerialWait();
  bus_.WriteModule(39, 255);
  bus_.WriteModule(36, 12);
  SerialWait();
}

void ModuleProgrammer::SensorWrite(std::uint8_t reg, std::uint8_t value) {
  SerialWait();
  bus_.WriteModule(36, 9);
  SerialSend(0x42);
  SerialSend(reg);
  SerialSend(value);
  SerialWait();
  bus_.WriteModule(36, 10);
}

std::uint8_t ModuleProgrammer::SensorRead(std::uint8_t reg) {
  SerialWait();
  bus_.WriteModule(36, 9);
  SerialSend(0x42);
  SerialSend(reg);
  SerialWait();
  bus_.WriteModule(36, 9);
  SerialSend(0x43);
  SerialWait();
  bus_.WriteModule(36, 14);
  SerialWait();
  bus_.WriteModule(39, 255);
  bus_.WriteModule(36, 12);
  SerialWait();
  const std::uint8_t value = bus_.ReadModule(38);
  bus_.WriteModule(36, 10);
  return value;
}

void ModuleProgrammer::PortWrite(std::uint8_t address, std::span<const std::uint8_t> bytes) {
  bus_.WriteModule(32, 3);
  bus_.WriteModule(34, address);
  for (std::uint8_t byte : bytes) bus_.WriteModule(33, byte);
}

std::vector<std::uint8_t> ModuleProgrammer::PortRead(std::uint8_t address, int count) {
  bus_.WriteModule(32, 3);
  bus_.WriteModule(35, address);
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < count; ++i) bytes.push_back(bus_.ReadModule(33));
  return bytes;
}

void ModuleProgrammer::UploadProgram() {
  bus_.WriteModule(132, 15);
  bus_.WriteModule(136, 0);
  for (int i = 0; i < 1620; ++i) bus_.WriteModule(137, static_cast<std::uint8_t>(i * 7));
  bus_.WriteModule(132, 0);
  bus_.WriteModule(136, 0);
}

void ModuleProgrammer::UploadQuantiser(int quality) {
  bus_.WriteModule(192, bus_.ReadModule(192) & ~0x20);
  for (std::uint8_t code : QuantiserCodes(quality)) {
    bus_.WriteModule(194, code);
    for (int reads = 0; reads < 100 && (bus_.ReadModule(192) & 0x10); ++reads) {
    }
  }
}

void ModuleProgrammer::WriteGains(const std::array<int, 4>& gains) {
  const bool turned = bus_.ReadModule(19) & 1;
  const std::array<int, 4> order =
      turned ? std::array<int, 4>{gains[1], gains[3], gains[0], gains[2]} : gains;
  for (int i = 0; i < 4; ++i) {
    SensorWrite(static_cast<std::uint8_t>(32 + 2 * i), static_cast<std::uint8_t>(order[i]));
    SensorWrite(static_cast<std::uint8_t>(33 + 2 * i), static_cast<std::uint8_t>(order[i] >> 8));
  }
  SensorWrite(0, SensorRead(0) | 0x80);
}

void ModuleProgrammer::WriteExposure(int type, bool still) {
  const int g = SensorExposure(type, exposure_, still);
  SensorWrite(28, static_cast<std::uint8_t>(g));
  SensorWrite(29, static_cast<std::uint8_t>((g >> 8) & 0x0F));
  SensorWrite(0, SensorRead(0) | 0x84);
}

void ModuleProgrammer::ReadOutMode(int type) {
  if (Among(type, {3, 4, 9, 10, 13, 20})) {
    SensorWrite(0x52, 0x0D);
    SensorWrite(0x00, 0x88);
  } else if (Among(type, {5, 6, 11})) {
    SensorWrite(0x52, 0x0C);
    SensorWrite(0x00, 0x98);
  } else if (Among(type, {0, 1, 2, 7, 8, 12, 17, 21})) {
    SensorWrite(0x52, 0x00);
    SensorWrite(0x00, 0x80);
  }
}

bool ModuleProgrammer::StartUp() {
  bus_.SetBlockLength(64);
  bus_.Write(0, 2, bus_.Read(0, 2) | 2);
  const std::uint8_t control = bus_.Read(1, 5) | 0x19;
  bus_.Write(1, 5, control);
  bus_.Write(1, 5, control & ~0x04);
  bus_.Write(1, 5, control | 0x04);
  platform::Sleep(5);
  const orsadrv::ModuleStartupSettings& settings = orsadrv::StartupSettings();
  for (auto [reg, value] : settings.reset_registers) bus_.WriteModule(reg, value);
  platform::Sleep(5);
  for (auto [reg, value] : settings.control_registers) bus_.WriteModule(reg, value);
  bus_.ReadModule(94);
  bus_.ReadModule(167);
  for (const orsadrv::PortBytes& setting : settings.memory_settings) {
    PortWrite(setting.address, std::span(setting.bytes.begin(), setting.bytes.size()));
  }
  for (auto [reg, value] : settings.processing_registers) bus_.WriteModule(reg, value);
  for (const orsadrv::PortBytes& setting : settings.processing_settings) {
    PortWrite(setting.address, std::span(setting.bytes.begin(), setting.bytes.size()));
  }
  auto settle = [&] {
    bus_.WriteModule(101, 56);
    platform::Sleep(20);
    bus_.WriteModule(101, 60);
    platform::Sleep(20);
  };
  settle();
  if (bus_.ReadModule(26) != 241) return false;
  UploadProgram();
  settle();

  if (exposure_ == 0) exposure_ = 130;
  for (auto [reg, value] : SensorStartupTable()) SensorWrite(reg, value);
  const bool turned = bus_.ReadModule(19) & 1;
  SensorWrite(17, turned ? 16 : 8);
  SensorWrite(14, 152);
  SensorWrite(15, 8);
  SensorWrite(0, SensorRead(0) | 0x80);
  WriteGains(GainSet(0));
  // Calibration.
  SensorWrite(145, 56);
  SensorWrite(0, 2);
  const int first = SensorRead(0x46) + 256 * SensorRead(0x47);
  const int second = SensorRead(0x48) + 256 * SensorRead(0x49);
  if (first < second && first != 0) {
    const int delta = second - first;
    static constexpr int kLimits[] = {549, 566, 582, 605, 638, 684, 700, 733,
                                      763, 796, 840, 872, 927, 960, 1010};
    int value = 48;
    for (int limit : kLimits) value += delta >= limit;
    SensorWrite(145, static_cast<std::uint8_t>(value));
    SensorWrite(0, 136);
  } else {
    SensorWrite(145, 56);
  }
  platform::Sleep(5);
  bus_.WriteModule(93, 0);
  bus_.ReadModule(94);
  bus_.WriteModule(166, 0);
  bus_.ReadModule(167);
  return true;
}

void ModuleProgrammer::PulsePipeline() {
  const std::uint8_t value = bus_.ReadModule(26);
  bus_.WriteModule(26, value & 0x8F);
  bus_.WriteModule(26, value | 0x70);
}

void ModuleProgrammer::SetAddress(std::uint8_t first_register, std::uint32_t address) {
  for (int i = 0; i < 3; ++i) {
    bus_.WriteModule(static_cast<std::uint8_t>(first_register + i),
                     static_cast<std::uint8_t>(address >> (8 * i)));
  }
}

void ModuleProgrammer::Window(int type) {
  const TypeGeometry* geometry = Geometry(type);
  if (!geometry) return;
  const int values[4] = {geometry->x, geometry->width, geometry->y, geometry->height};
  for (int i = 0; i < 4; ++i) {
    bus_.WriteModule(static_cast<std::uint8_t>(2 + 2 * i), static_cast<std::uint8_t>(values[i]));
    bus_.WriteModule(static_cast<std::uint8_t>(3 + 2 * i),
                     static_cast<std::uint8_t>(values[i] >> 8));
  }
  if (bus_.ReadModule(19) & 1) {
    bus_.WriteModule(6, bus_.ReadModule(6) + 1);
    if (!Among(type, {5, 6, 11})) bus_.WriteModule(2, bus_.ReadModule(2) - 1);
  }
}

namespace {

void Scaler(BusClient& bus, int type) {
  const TypeGeometry* geometry = Geometry(type);
  if (!geometry) return;
  bus.WriteModule(90, static_cast<std::uint8_t>(geometry->line_width));
  bus.WriteModule(91, static_cast<std::uint8_t>(geometry->line_width >> 8));
  for (int i = 0; i < 4; ++i) {
    bus.WriteModule(static_cast<std::uint8_t>(112 + i),
                    static_cast<std::uint8_t>(geometry->scaler[i]));
  }
  bus.WriteModule(117, static_cast<std::uint8_t>(geometry->columns));
  bus.WriteModule(118, static_cast<std::uint8_t>(geometry->rows));
  bus.WriteModule(200, static_cast<std::uint8_t>(geometry->output_width));
  bus.WriteModule(201, static_cast<std::uint8_t>(geometry->output_width >> 8));
  bus.WriteModule(202, static_cast<std::uint8_t>(geometry->output_height));
  bus.WriteModule(203, static_cast<std::uint8_t>(geometry->output_height >> 8));
}

}  // namespace

void ModuleProgrammer::ConfigurePreview(int type) {
  bus_.WriteModule(93, 0);
  bus_.ReadModule(94);
  bus_.WriteModule(144, 0);
  bus_.WriteModule(92, 0);
  PulsePipeline();
  platform::Sleep(50);
  SensorWrite(14, 152);
  SensorWrite(15, 8);
  WriteExposure(type, false);
  ReadOutMode(type);
  platform::Sleep(50);
  Window(type);
  bus_.WriteModule(193, 0);
  SetAddress(78, kRawA);
  SetAddress(61, kRawA);
  SetAddress(81, kOutputA);
  Scaler(bus_, type);
  bus_.WriteModule(77, CompressionFormat(type, false));
  UploadQuantiser(2);
  bus_.WriteModule(192, 2);
  bus_.WriteModule(93, bus_.ReadModule(93) | 2);
  bus_.ReadModule(94);
  bus_.WriteModule(92, 3);
}

std::uint8_t ModuleProgrammer::WaitForStatus(std::uint8_t status_register, std::uint8_t mask,
                                             int timeout_ms) {
  const std::uint64_t start = platform::clock::NowMs();
  while (platform::clock::NowMs() - start < static_cast<std::uint64_t>(timeout_ms)) {
    if (bus_.Read(0, 5) & 2) {
      const std::uint8_t status = bus_.ReadModule(status_register) & mask;
      if (status) return status;
    }
    if (!platform::sd::Succeeded(bus_.status())) return 0;  // the card is gone
  }
  bus_.ReadModule(status_register);
  return 0;
}

void ModuleProgrammer::ReArm(int n) {
  bus_.WriteModule(92, 0);
  const std::uint32_t raw = n % 2 ? kRawA : kRawB;
  SetAddress(78, raw);
  SetAddress(61, raw);
  SetAddress(81, n % 2 ? kOutputA : kOutputB);
  bus_.WriteModule(92, bus_.ReadModule(92) | 1);
  bus_.WriteModule(92, bus_.ReadModule(92) | 2);
}

std::vector<std::uint8_t> ModuleProgrammer::FetchFrame(int n) {
  if (!WaitForStatus(94, 2, 200)) {
    ReArm(n);
    return {};
  }
  const std::uint32_t size =
      bus_.ReadModule(86) << 16 | bus_.ReadModule(85) << 8 | bus_.ReadModule(84);
  std::vector<std::uint8_t> frame;
  if (size >= 1024 && size <= 153'600) frame = ReadModuleData(n % 2 ? kOutputB : kOutputA, size);
  ReArm(n);
  return frame;
}

void ModuleProgrammer::Stop() {
  PulsePipeline();
  bus_.WriteModule(92, 0);
  bus_.WriteModule(93, 0);
  bus_.WriteModule(144, 0);
}

void ModuleProgrammer::RunCommand(int command, std::uint32_t destination, std::uint32_t source,
                                  std::uint32_t bytes, int parameter) {
  const std::uint32_t words = (bytes + 1) / 2;
  int flag = 0;
  if (command == 33) {
    bus_.WriteModule(105, 4);
    bus_.WriteModule(138, 1);
    SetAddress(218, source);
    SetAddress(221, words);
    bus_.WriteModule(144, 32);
    bus_.WriteModule(97, 255);
    bus_.WriteModule(134, 16);
    bus_.WriteModule(133, 33);
  } else {
    SetAddress(218, source);
    SetAddress(224, destination);
    SetAddress(221, words);
    bus_.WriteModule(144, 32);
    if (command == 36 || command == 43 || command == 38 || command == 41) {
      const bool wide = command == 38 || command == 41;
      const std::uint8_t u = wide ? 16 : 8;
      const std::uint8_t block[8] = {
          static_cast<std::uint8_t>(wide ? 128 : (parameter == 1 ? 72 : 64)),
          static_cast<std::uint8_t>(wide ? 2 : 1),
          39,
          29,
          u,
          u,
          0,
          0};
      bus_.WriteModule(132, 3);
      bus_.WriteModule(136, 0);
      bus_.WriteModule(134, 1);
      for (std::uint8_t byte : block) bus_.WriteModule(133, byte);
      flag = 1;
    }
    bus_.WriteModule(132, 3);
    bus_.WriteModule(136, 0);
    bus_.WriteModule(134, 16);
    bus_.WriteModule(133, static_cast<std::uint8_t>(command));
    bus_.WriteModule(133, static_cast<std::uint8_t>(parameter));
  }
  bus_.WriteModule(132, 0);
  bus_.WriteModule(136, 0);
  bus_.WriteModule(134, 0);
  bus_.WriteModule(133, 8);
  bus_.WriteModule(133, static_cast<std::uint8_t>(flag));
  bus_.WriteModule(132, 16);
}

std::array<std::uint8_t, 3> ModuleProgrammer::WaitForCommand(int command) {
  BusClient& bus = bus_;
  const std::uint64_t start = platform::clock::NowMs();
  const std::uint64_t limit = command == 37 ? 8 : 121;
  std::uint8_t status = 0;
  do {
    bus.WriteModule(135, 19);
    status = bus.ReadModule(133);
  } while (!(status & 1) && platform::clock::NowMs() - start < limit &&
           platform::sd::Succeeded(bus.status()));
  std::array<std::uint8_t, 3> results{status, 0, 0};
  bus.WriteModule(135, 20);
  results[1] = bus.ReadModule(133);
  bus.WriteModule(135, 21);
  results[2] = bus.ReadModule(133);
  bus.WriteModule(144, 0);
  bus.WriteModule(166, 0);
  if (command == 33) {
    bus.WriteModule(97, 0);
    bus.WriteModule(138, 0);
  }
  bus.WriteModule(132, 0);
  return results;
}

std::array<int, 3> ModuleProgrammer::Statistics(int command, std::uint32_t source,
                                                std::uint32_t bytes, int parameter) {
  RunCommand(command, 0x1FF000, source, bytes, parameter);
  const std::array<std::uint8_t, 3> b = WaitForCommand(command);
  return {(b[0] & 0xE0) | ((2 * b[0]) & 0x1F), (b[1] & 0xF0) | ((2 * b[1]) & 0x0F),
          (b[2] & 0xE0) | ((2 * b[2]) & 0x1F)};
}

std::vector<std::uint8_t> ModuleProgrammer::ReadModuleData(std::uint32_t address,
                                                           std::uint32_t count) {
  RunCommand(33, 0, address, count);
  std::vector<std::uint8_t> data(count);
  std::vector<std::uint8_t> scratch(16384);
  std::uint32_t done = 0;
  bool failed = false;
  for (; done + 16384 <= count && !failed; done += 16384) {
    failed = !platform::sd::Succeeded(bus_.ReadBlocks(256, data.data() + done));
  }
  const std::uint32_t rest = count - done;
  if (rest && !failed) {
    failed = !platform::sd::Succeeded(bus_.ReadBlocks((rest + 63) / 64, scratch.data()));
    std::copy_n(scratch.begin(), rest, data.begin() + done);
  }
  WaitForCommand(33);
  if (failed) return {};
  return data;
}

void ModuleProgrammer::Levels() {
  PortWrite(146, std::array<std::uint8_t, 1>{1});
  bus_.WriteModule(166, bus_.ReadModule(166) | 0x40);
  bus_.ReadModule(167);
  bus_.WriteModule(93, bus_.ReadModule(93) | 0x04);
  bus_.ReadModule(94);
  bus_.WriteModule(92, bus_.ReadModule(92) | 0x20);
  const bool done = WaitForStatus(167, 0x40, 2000);
  if (!done) return;
  const std::vector<std::uint8_t> l = PortRead(136, 8);
  bus_.WriteModule(166, bus_.ReadModule(166) & ~0x40);
  bus_.ReadModule(167);
  bus_.WriteModule(93, bus_.ReadModule(93) & ~0x04);
  bus_.ReadModule(94);
  PortWrite(146, std::array<std::uint8_t, 1>{0});
  const int s = l[0] + l[1] + l[2] + l[3];
  const int f = (l[0] < 25) + (l[1] < 19) + (l[2] < 13) + (l[3] < 13) +
                (s < 41   ? 2
                 : s < 61 ? 1
                          : 0);
  const int k = f <= 1 ? 8 : f <= 3 ? 16 : f == 4 ? 24 : 30;
  const int r = l[4] + l[5] + l[6] + l[7];
  const int t = (l[7] < 13) + (l[6] < 19) + (l[4] < 19) + (l[5] < 19) +
                (r < 31   ? 2
                 : r < 40 ? 1
                          : 0) +
                (k == 30 ? 2 : 0);
  const int u = t == 0 ? 249 : t == 1 ? 244 : t <= 3 ? 239 : 233;
  PortWrite(69, std::array<std::uint8_t, 1>{static_cast<std::uint8_t>(k)});
  PortWrite(70, std::array<std::uint8_t, 1>{static_cast<std::uint8_t>(16320 / (u - k))});
}

std::vector<std::uint8_t> ModuleProgrammer::Still(int type, int quality, int colour_mode) {
  const TypeGeometry* geometry = Geometry(type);
  if (!geometry) return {};
  const bool negative = colour_mode == 2;
  const bool grey = colour_mode == 1;
  bus_.WriteModule(93, bus_.ReadModule(93) & ~0x04);
  bus_.ReadModule(94);
  if (HasToneTable(type)) {
    PortWrite(128, std::array<std::uint8_t, 8>{10, 20, 30, 40, 215, 225, 235, 245});
  }
  bus_.WriteModule(144, 0);
  bus_.WriteModule(92, 0);
  PortWrite(146, std::array<std::uint8_t, 1>{0});
  PulsePipeline();
  platform::Sleep(50);
  ReadOutMode(type);
  WriteExposure(type, true);
  platform::Sleep(50);

  Window(type);
  const std::uint32_t raw = negative ? kNegativeRawFrame : kRawA;
  SetAddress(78, raw);
  auto grab = [&](bool set_chroma) {
    bus_.WriteModule(93, bus_.ReadModule(93) | 0x04);
    bus_.ReadModule(94);
    bus_.WriteModule(92, bus_.ReadModule(92) | 0x01);
    if (set_chroma) {
      PortWrite(71, std::array<std::uint8_t, 2>{static_cast<std::uint8_t>(grey ? 128 : 0),
                                                static_cast<std::uint8_t>(grey ? 128 : 0)});
    }
    WaitForStatus(94, 0x04, 2000);
    bus_.WriteModule(92, bus_.ReadModule(92) & ~0x01);
    bus_.WriteModule(93, bus_.ReadModule(93) & ~0x04);
    bus_.ReadModule(94);
  };
  grab(false);
  grab(true);
  if (HasToneTable(type)) {
    Levels();
  } else {
    grab(false);
  }
  if (negative) {
    const std::uint32_t bytes = static_cast<std::uint32_t>(geometry->width) * geometry->height;
    RunCommand(42, kRawA, kNegativeRawFrame, bytes);
    WaitForCommand(42);
  }
  SetAddress(61, kRawA);
  SetAddress(81, kOutputA);
  Scaler(bus_, type);
  bus_.WriteModule(193, 0);
  bus_.WriteModule(77, CompressionFormat(type, grey));
  UploadQuantiser(quality);
  bus_.WriteModule(192, 2);
  bus_.WriteModule(93, bus_.ReadModule(93) | 0x02);
  bus_.ReadModule(94);
  bus_.WriteModule(92, 0);
  bus_.WriteModule(92, 2);
  const bool compressed = WaitForStatus(94, 0x02, 2000);
  std::uint32_t count = 0;
  if (compressed) {
    count = bus_.ReadModule(86) << 16 | bus_.ReadModule(85) << 8 | bus_.ReadModule(84);
  }
  PulsePipeline();
  bus_.WriteModule(92, 0);
  bus_.WriteModule(144, 0);
  if (count == 0) return {};
  return ReadModuleData(kOutputA, std::min<std::uint32_t>(count, 1'228'800));
}

}  // namespace card::testing
