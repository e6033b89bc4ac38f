// Subsystem services: one per handheld, made on first use, shut down before
// threads end and destroyed in the reverse order of making.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/handheld.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

std::vector<std::string> events;

class FirstService : public HandheldService {
 public:
  explicit FirstService(Handheld&) { events.push_back("make first"); }
  ~FirstService() override { events.push_back("end first"); }
  void Shutdown() override { events.push_back("shutdown first"); }
  int uses = 0;
};

// Uses the first service while it is being made.
class SecondService : public HandheldService {
 public:
  explicit SecondService(Handheld& handheld) : first(handheld.GetService<FirstService>()) {
    events.push_back("make second");
  }
  ~SecondService() override { events.push_back("end second"); }
  void Shutdown() override { events.push_back("shutdown second"); }
  FirstService& first;
};

TEST(HandheldServicesTest, OneInstancePerHandheldMadeOnFirstUse) {
  events.clear();
  {
    testing::TempHandheld device;
    EXPECT_TRUE(events.empty());
    device.handheld().GetService<FirstService>().uses++;
    device.handheld().GetService<FirstService>().uses++;
    EXPECT_EQ(device.handheld().GetService<FirstService>().uses, 2);
  }
  {
    testing::TempHandheld device;
    EXPECT_EQ(device.handheld().GetService<FirstService>().uses, 0);
  }
}

TEST(HandheldServicesTest, ShutDownAndDestroyedInReverseOrderOfMaking) {
  events.clear();
  {
    testing::TempHandheld device;
    SecondService& second = device.handheld().GetService<SecondService>();
    EXPECT_EQ(&second.first, &device.handheld().GetService<FirstService>());
  }
  const std::vector<std::string> expected = {"make first",     "make second", "shutdown second",
                                             "shutdown first", "end second",  "end first"};
  EXPECT_EQ(events, expected);
}

}  // namespace
}  // namespace platform
