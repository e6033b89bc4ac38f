// The ways out of the gallery, each checked where it ends: the mail in the
// outbox, the program a Send entry names, the printed page.
#include <atomic>
#include <mutex>

#include "platform/menus.h"
#include "platform/registry.h"
#include "sending_fixture.h"

namespace gallery::testing {
namespace {

namespace programs = platform::programs;

class SendingCommandTest : public SendingFixture {
 protected:
  SendingCommandTest() { Put(kBmpPicture, MakeBmp(64, 48)); }
};

TEST_F(SendingCommandTest, MailLeavesAMessageWithThePictureAttachedInTheOutbox) {
  {
    platform::InstallerAccess access;
    ASSERT_TRUE(programs::InstallMailPrograms(handheld(), true, true));
  }
  StartOn(kBmpPicture);
  Command(kCommandMail);
  const std::string mail = WaitForFileIn(programs::kOutboxFolder);
  ASSERT_FALSE(mail.empty());
  const std::string host = HostPath(std::string(programs::kOutboxFolder) + "\\" + mail);
  const std::string picture = HostPath(kBmpPicture);
  // Python's own mail parser finds the attachment and its bytes.
  const std::string check = programs::testing::RunHostCommand(
      "python3 -c 'import email,sys\n"
      "m = email.message_from_binary_file(open(sys.argv[1], \"rb\"))\n"
      "parts = [p for p in m.walk() if p.get_filename()]\n"
      "body = parts[0].get_payload(decode=True)\n"
      "print(parts[0].get_filename(), body == open(sys.argv[2], \"rb\").read())' '" +
      host + "' '" + picture + "'");
  EXPECT_EQ(check, "pic0001.bmp True\n");
}

TEST_F(SendingCommandTest, WithoutTmailPmailSendsTheMail) {
  {
    platform::InstallerAccess access;
    ASSERT_TRUE(programs::InstallMailPrograms(handheld(), false, true));
  }
  StartOn(kBmpPicture);
  Command(kCommandMail);
  EXPECT_FALSE(WaitForFileIn(programs::kOutboxFolder).empty());
}

// A program that notes the command lines it was started with.
class SendEntryTest : public SendingCommandTest {
 protected:
  static constexpr char kViewer[] = "\\Windows\\viewer.exe";

  SendEntryTest() {
    handheld().programs().Register(kViewer, [this](platform::HINSTANCE, const std::string& line) {
      std::lock_guard lock(mutex_);
      lines_.push_back(line);
      return 0;
    });
    Put(kViewer, "viewer");
  }
  void AddEntry(const std::string& name, const std::optional<std::string>& param,
                const std::string& app = kViewer) {
    const std::string key = "Software\\QX\\OrsaGal\\Send Menu\\" + name;
    handheld().registry().SetString(platform::HKEY_CURRENT_USER, key, "App", app);
    if (param) handheld().registry().SetString(platform::HKEY_CURRENT_USER, key, "Param", *param);
  }
  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  static std::string ItemText(platform::UINT id) {
    const auto tools = reinterpret_cast<platform::HMENU>(
        platform::SendMessage(MenuBar(), platform::SHCMBM_GETSUBMENU, 0, kMenuTools));
    return platform::GetMenuString(tools, id, platform::MF_BYCOMMAND);
  }

  std::mutex mutex_;
  std::vector<std::string> lines_;
};

TEST_F(SendEntryTest, EntriesBecomeItemsThatRunTheirAppWithTheParam) {
  AddEntry("Archive", "/x %s");
  AddEntry("Plain", std::nullopt);
  StartOn(kBmpPicture);
  EXPECT_EQ(ItemText(kCommandFirstSendEntry), "Archive");
  EXPECT_EQ(ItemText(kCommandFirstSendEntry + 1), "Plain");
  EXPECT_EQ(ItemText(kCommandFirstSendEntry + 2), "");

  Command(kCommandFirstSendEntry);
  Command(kCommandFirstSendEntry + 1);
  EXPECT_EQ(Lines(), (std::vector<std::string>{std::string("/x ") + kBmpPicture, kBmpPicture}));
}

TEST_F(SendEntryTest, ParamsAreNeverUsedAsFormats) {
  AddEntry("a", "%d %n %x");
  AddEntry("b", "%%");
  AddEntry("c", "%s%s");
  AddEntry("d", std::string(1100, 'x') + " %s");  // longer than the buffer it is read into
  StartOn(kBmpPicture);
  for (platform::UINT i = 0; i < 4; ++i) Command(kCommandFirstSendEntry + i);
  EXPECT_EQ(Lines(),
            (std::vector<std::string>{"%d %n %x", "%%", std::string(kBmpPicture) + kBmpPicture}));
}

TEST_F(SendEntryTest, AnEntryWithoutAppDoesNothingAndTheMenuStopsAtAHundred) {
  handheld().registry().SetString(platform::HKEY_CURRENT_USER,
                                  "Software\\QX\\OrsaGal\\Send Menu\\NoApp", "Param", "%s");
  for (int i = 0; i < 105; ++i) AddEntry("e" + std::to_string(1000 + i), "%s");
  StartOn(kBmpPicture);
  EXPECT_NE(ItemText(kCommandLastSendEntry), "");
  Command(kCommandFirstSendEntry + 105);  // no such item
  const std::string first = ItemText(kCommandFirstSendEntry);
  for (platform::UINT id = kCommandFirstSendEntry; id <= kCommandLastSendEntry; ++id) {
    if (ItemText(id) == "NoApp") Command(id);
  }
  EXPECT_TRUE(Lines().empty());
  EXPECT_FALSE(first.empty());
}

class PrintTest : public SendingCommandTest {
 protected:
  void Install(programs::PrintEngine engine) {
    platform::InstallerAccess access;
    ASSERT_TRUE(programs::InstallPrintEngines(handheld(), engine));
  }
  static bool PrintGreyed() {
    const auto menu = reinterpret_cast<platform::HMENU>(
        platform::SendMessage(MenuBar(), platform::SHCMBM_GETMENU, 0, 0));
    platform::MENUITEMINFO item;
    item.fMask = platform::MIIM_STATE;
    EXPECT_TRUE(platform::GetMenuItemInfo(menu, kCommandPrint, platform::FALSE, &item));
    return (item.fState & platform::MFS_GRAYED) != 0;
  }
  // "1\n" when pdfinfo reads the file as a PDF of one page.
  std::string PageSummary(const std::string& pdf) {
    return programs::testing::RunHostCommand("pdfinfo '" + pdf + "' | grep -c '^Pages: *1$'");
  }
};

TEST_F(PrintTest, TheMprintEnginePrintsThePictureOnAPage) {
  Install(programs::PrintEngine::kMprint);
  StartOn(kBmpPicture);
  Command(kCommandPrint);
  const std::string page = WaitForFileIn(programs::kPrintedFolder);
  ASSERT_FALSE(page.empty());
  const std::string pdf = HostPath(std::string(programs::kPrintedFolder) + "\\" + page);
  EXPECT_EQ(PageSummary(pdf), "1\n");
  // Rendered, the page shows the picture's red top and blue bottom.
  const std::string colours = programs::testing::RunHostCommand(
      "pdftoppm -r 30 '" + pdf +
      "' | python3 -c 'import sys\n"
      "d = sys.stdin.buffer.read()\n"
      "w, h = map(int, d.split(b\"\\n\")[1].split())\n"
      "px = d[-w * h * 3:]\n"
      "rgb = [tuple(px[i:i + 3]) for i in range(0, len(px), 3)]\n"
      "red = sum(1 for r, g, b in rgb if r > 200 and g < 60 and b < 60)\n"
      "blue = sum(1 for r, g, b in rgb if b > 200 and r < 60 and g < 60)\n"
      "print(red > 100, blue > 100)'");
  EXPECT_EQ(colours, "True True\n");
}

TEST_F(PrintTest, WithMprintPresentTheTwoLibraryEngineIsNeverLoaded) {
  Install(programs::PrintEngine::kQx);
  Install(programs::PrintEngine::kMprint);
  StartOn(kBmpPicture);
  EXPECT_NE(platform::GetModuleHandle("mprint.dll"), nullptr);
  EXPECT_EQ(platform::GetModuleHandle("QXPrintEngine.dll"), nullptr);
  EXPECT_EQ(platform::GetModuleHandle("QXPrintUI.dll"), nullptr);
  EXPECT_FALSE(PrintGreyed());
}

TEST_F(PrintTest, TheTwoLibraryEngineServesWhenMprintIsMissing) {
  Install(programs::PrintEngine::kQx);
  StartOn(kBmpPicture);
  EXPECT_NE(platform::GetModuleHandle("QXPrintEngine.dll"), nullptr);
  EXPECT_NE(platform::GetModuleHandle("QXPrintUI.dll"), nullptr);
}

TEST_F(PrintTest, AnEngineWithoutItsUiLibraryIsNoEngine) {
  Install(programs::PrintEngine::kQx);
  Remove(std::string(programs::kQxPrintUiPath));
  StartOn(kBmpPicture);
  EXPECT_EQ(platform::GetModuleHandle("QXPrintEngine.dll"), nullptr);
  EXPECT_TRUE(PrintGreyed());
}

}  // namespace
}  // namespace gallery::testing
