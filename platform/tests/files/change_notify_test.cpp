#include "platform/change_notify.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace platform {
namespace {

TEST(ChangeNotifierTest, DeliversToInterestedReceiversInRegistrationOrder) {
  ChangeNotifier notifier;
  std::vector<std::string> calls;
  auto all = notifier.Register([&](const ChangeEvent& e) { calls.push_back("all " + e.path); });
  auto creates = notifier.Register(
      [&](const ChangeEvent& e) { calls.push_back("create " + e.path); }, SHCNE_CREATE);
  auto drives = notifier.Register([&](const ChangeEvent& e) { calls.push_back("drive " + e.path); },
                                  SHCNE_DRIVEADD | SHCNE_DRIVEREMOVED);
  notifier.Notify({SHCNE_CREATE, "\\a.jpg", ""});
  notifier.Notify({SHCNE_DRIVEREMOVED, "\\Storage Card", ""});
  notifier.Notify({SHCNE_RENAMEITEM, "\\b.jpg", "\\a.jpg"});
  EXPECT_EQ(calls, (std::vector<std::string>{"all \\a.jpg", "create \\a.jpg", "all \\Storage Card",
                                             "drive \\Storage Card", "all \\b.jpg"}));
}

TEST(ChangeNotifierTest, UnregistersWhenResetDestroyedOrReplaced) {
  ChangeNotifier notifier;
  int first = 0;
  int second = 0;
  {
    auto registration = notifier.Register([&](const ChangeEvent&) { ++first; });
    notifier.Notify({SHCNE_CREATE, "\\a", ""});
    registration = notifier.Register([&](const ChangeEvent&) { ++second; });
    notifier.Notify({SHCNE_CREATE, "\\a", ""});
    auto moved = std::move(registration);
    EXPECT_FALSE(registration);
    notifier.Notify({SHCNE_CREATE, "\\a", ""});
  }
  notifier.Notify({SHCNE_CREATE, "\\a", ""});
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
}

TEST(ChangeNotifierTest, ReceiversMayRegisterAndUnregisterFromACall) {
  ChangeNotifier notifier;
  ChangeNotifier::Registration self;
  ChangeNotifier::Registration added;
  int self_calls = 0;
  int added_calls = 0;
  self = notifier.Register([&](const ChangeEvent&) {
    ++self_calls;
    self.Reset();
    added = notifier.Register([&](const ChangeEvent&) { ++added_calls; });
  });
  notifier.Notify({SHCNE_MKDIR, "\\x", ""});
  notifier.Notify({SHCNE_MKDIR, "\\x", ""});
  EXPECT_EQ(self_calls, 1);
  EXPECT_EQ(added_calls, 1);
}

TEST(ChangeNotifierTest, NoCallAfterResetReturnsWhileAnotherThreadNotifies) {
  ChangeNotifier notifier;
  std::atomic<int> calls{0};
  std::atomic<bool> stop{false};
  auto registration = notifier.Register([&](const ChangeEvent&) { ++calls; });
  std::thread notifying([&] {
    while (!stop) notifier.Notify({SHCNE_UPDATEITEM, "\\a", ""});
  });
  while (calls < 100) std::this_thread::yield();
  registration.Reset();
  const int after_reset = calls;
  for (int i = 0; i < 1000; ++i) std::this_thread::yield();
  stop = true;
  notifying.join();
  EXPECT_EQ(calls, after_reset);
}

TEST(ChangeNotifierTest, RegistrationMayOutliveTheNotifier) {
  ChangeNotifier::Registration registration;
  {
    ChangeNotifier notifier;
    registration = notifier.Register([](const ChangeEvent&) {});
  }
  registration.Reset();
  EXPECT_FALSE(registration);
}

}  // namespace
}  // namespace platform
