// The gallery's file work interrupted: the storage card pulled during a
// copy and a move of pictures with their notes, the volume filling during
// a note, a copy and a turn, and the gallery killed in the middle of a
// copy, a turn and a recording. Each case then checks that nothing
// recorded before is lost, that no half-written file stands where the
// gallery would show it, that the gallery's options are intact and that a
// fresh gallery lists, views and copies.
#include <string>
#include <vector>

#include "fault_sweep_fixture.h"
#include "gallery/app/orsagal.h"
#include "gallery/resources/commands.h"
#include "platform/change_notify.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "platform/wave.h"
#include "platform/window.h"

namespace handheld {
namespace {

constexpr char kTrip[] = "\\My Documents\\Trip\\";
constexpr char kCard[] = "\\Storage Card\\";
constexpr char kGalleryKey[] = "SOFTWARE\\QX\\orsagal";
constexpr int kPictureCount = 4;

class FaultSweepGalleryTest : public testing::FaultSweepFixture {
 protected:
  FaultSweepGalleryTest() : FaultSweepFixture("orsa-fault-gallery") {}

  static std::string PictureName(int i) { return "IMG_000" + std::to_string(i) + ".jpg"; }
  static std::string NoteName(int i) { return "IMG_000" + std::to_string(i) + ".WAV"; }

  // Pictures with notes in the trip folder and the gallery showing it.
  void SetUpTrip() {
    Run(std::string("storage-card insert\n"));
    platform::CreateDirectory("\\My Documents\\Trip");
    for (int i = 1; i <= kPictureCount; ++i) {
      pictures_.push_back(Picture(i));
      notes_.push_back(Note(i));
      Put(kTrip + PictureName(i), pictures_.back());
      Put(kTrip + NoteName(i), notes_.back());
    }
    for (const char* remembered : {"Copy", "Move"}) {
      handheld().registry().SetString(platform::HKEY_CURRENT_USER, kGalleryKey, remembered, kCard);
    }
    StartGallery();
    options_ = Values(platform::HKEY_CURRENT_USER, kGalleryKey);
  }

  // The gallery's options are what they were before the fault.
  void ExpectOptionsIntact() {
    EXPECT_EQ(Values(platform::HKEY_CURRENT_USER, kGalleryKey), options_);
  }

  void StartGallery() {
    platform::PROCESS_INFORMATION started;
    ASSERT_TRUE(platform::CreateProcess(
        "\\Windows\\orsagal.exe", std::string("\"") + kTrip + PictureName(1) + "\"", &started));
    gallery_ = started.hProcess;
    Run("wait 1500\n");
    ASSERT_TRUE(GalleryRunning()) << "the gallery ended with " << GalleryExitCode();
    ASSERT_NE(Browser(), nullptr);
  }
  platform::DWORD GalleryExitCode() {
    platform::DWORD code = 0;
    platform::GetExitCodeProcess(gallery_, &code);
    return code;
  }
  bool GalleryRunning() { return gallery_ && GalleryExitCode() == platform::STILL_ACTIVE; }

  platform::HWND Browser() { return platform::FindWindow(gallery::kBrowserClass, std::nullopt); }
  void Command(platform::UINT command) {
    platform::PostMessage(Browser(), platform::WM_COMMAND, command, 0);
  }

  // Marks every picture and copies or moves them to the storage card
  // through the confirmation and the folder chooser.
  void CopyOrMoveAllToCard(platform::UINT command) {
    Command(gallery::kCommandMarkAll);
    Run("wait 300\nanswer yes\n");
    Command(command);
    Run("expect-window DirTree\nwait 300\nkey enter\nwait 1500\n");
  }

  // The same, with the storage card pulled out as soon as `arrival` on the
  // card is told with the change `event`.
  void CopyOrMoveAllToCardPullingIt(platform::UINT command, const std::string& arrival,
                                    platform::LONG event) {
    auto registration = handheld().change_notifier().Register(
        [&](const platform::ChangeEvent& change) {
          if (change.path == arrival && handheld().files().StorageCardInserted()) {
            handheld().files().RemoveStorageCard();
          }
        },
        event);
    CopyOrMoveAllToCard(command);
  }
  // Everything the trip held before the fault is there, byte for byte,
  // in the trip folder or on the storage card.
  void ExpectNothingLost() {
    for (int i = 1; i <= kPictureCount; ++i) {
      const auto here = Contents(kTrip + PictureName(i));
      const auto there = Contents(kCard + PictureName(i));
      EXPECT_TRUE(here == pictures_[i - 1] || there == pictures_[i - 1]) << PictureName(i);
      const auto note_here = Contents(kTrip + NoteName(i));
      const auto note_there = Contents(kCard + NoteName(i));
      EXPECT_TRUE(note_here == notes_[i - 1] || note_there == notes_[i - 1]) << NoteName(i);
    }
  }

  // Every picture and note in a folder is whole, and no work file shows.
  void ExpectOnlyWholeFiles(const std::string& folder) {
    ExpectNoWorkFiles(folder);
    for (const std::string& name : Names(folder)) {
      const std::string path = folder + name;
      if (name.ends_with(".jpg")) {
        EXPECT_TRUE(DecodesWhole(path)) << path;
      } else if (name.ends_with(".WAV")) {
        EXPECT_TRUE(NoteWhole(path)) << path;
      }
    }
  }

  // A gallery started afresh lists the trip, views a picture and copies
  // all it lists.
  void ExpectGalleryUsable() {
    if (GalleryRunning()) Run("kill orsagal.exe\n");
    if (!handheld().files().StorageCardInserted()) Run("storage-card insert\n");
    StartGallery();
    // It shows a picture full screen and comes back.
    Run("key space\nexpect-window Browser\nkey enter\nexpect-no-window Browser\n");
    platform::CreateDirectory("\\My Documents\\Again");
    handheld().registry().SetString(platform::HKEY_CURRENT_USER, kGalleryKey, "Copy",
                                    "\\My Documents\\Again\\");
    Command(gallery::kCommandMarkAll);
    Run("wait 300\nanswer yes\n");
    Command(gallery::kCommandCopy);
    Run("expect-window DirTree\nwait 300\nkey enter\nwait 1500\n");
    EXPECT_EQ(Pictures("\\My Documents\\Again\\"), Pictures(kTrip)) << "the gallery copies again";
    Run("kill orsagal.exe\n");
  }
  std::vector<std::string> Pictures(const std::string& folder) {
    std::vector<std::string> pictures;
    for (const std::string& name : Names(folder)) {
      if (name.ends_with(".jpg")) pictures.push_back(name);
    }
    return pictures;
  }

  platform::ProcessHandle gallery_;
  std::map<std::string, std::vector<std::uint8_t>> options_;
  std::vector<std::vector<std::uint8_t>> pictures_;
  std::vector<std::vector<std::uint8_t>> notes_;
};

TEST_F(FaultSweepGalleryTest, CardPulledDuringACopyKeepsEveryPictureAndNote) {
  SetUpTrip();
  // The card leaves once the first picture has reached it, before its note.
  CopyOrMoveAllToCardPullingIt(gallery::kCommandCopy, kCard + PictureName(1),
                               platform::SHCNE_CREATE);
  EXPECT_FALSE(BoxTexts().empty()) << "the failed copies are told";
  for (int i = 1; i <= kPictureCount; ++i) {
    EXPECT_EQ(Contents(kTrip + PictureName(i)), pictures_[i - 1]) << "the originals stay";
    EXPECT_EQ(Contents(kTrip + NoteName(i)), notes_[i - 1]);
  }
  Run("storage-card insert\n");
  ExpectOnlyWholeFiles(kCard);
  ExpectOnlyWholeFiles(kTrip);
  ExpectOptionsIntact();
  ExpectGalleryUsable();
}

TEST_F(FaultSweepGalleryTest, CardPulledDuringAMoveKeepsEveryPictureAndNote) {
  SetUpTrip();
  CopyOrMoveAllToCardPullingIt(gallery::kCommandMove, kCard + PictureName(2),
                               platform::SHCNE_RENAMEITEM);
  EXPECT_FALSE(BoxTexts().empty()) << "the failed moves are told";
  Run("storage-card insert\n");
  ExpectNothingLost();
  ExpectOnlyWholeFiles(kCard);
  ExpectOnlyWholeFiles(kTrip);
  ExpectOptionsIntact();
  ExpectGalleryUsable();
}

TEST_F(FaultSweepGalleryTest, VolumeFillingDuringACopyLeavesNoHalfCopy) {
  SetUpTrip();
  // Room for one picture and a little more, not for its note too.
  Run("disk-size \"" + std::string(kCard) + "\" " +
      std::to_string(pictures_[0].size() + pictures_[1].size() + notes_[0].size() + 100) + "\n");
  CopyOrMoveAllToCard(gallery::kCommandCopy);
  EXPECT_FALSE(BoxTexts().empty()) << "the failed copies are told";
  ExpectNothingLost();
  for (int i = 1; i <= kPictureCount; ++i) {
    EXPECT_EQ(Contents(kTrip + PictureName(i)), pictures_[i - 1]);
    // A copy on the card comes with its note or not at all.
    EXPECT_EQ(Exists(kCard + PictureName(i)), Exists(kCard + NoteName(i))) << i;
  }
  ExpectOnlyWholeFiles(kCard);
  Run(std::string("disk-size \"") + kCard + "\" 100M\n");
  ExpectOptionsIntact();
  ExpectGalleryUsable();
}

TEST_F(FaultSweepGalleryTest, VolumeFillingDuringATurnLeavesThePictureAsItWas) {
  SetUpTrip();
  Run("disk-size \"\\My Documents\" 1000\n");
  Command(gallery::kCommandRotateRight);
  Run("wait 1000\n");
  EXPECT_EQ(Contents(kTrip + PictureName(1)), pictures_[0]);
  EXPECT_FALSE(BoxTexts().empty()) << "the failed turn is told";
  ExpectOnlyWholeFiles(kTrip);
  Run("answer ok\nkill orsagal.exe\ndisk-size \"\\My Documents\" 20M\n");
  ExpectOptionsIntact();
  ExpectGalleryUsable();
}

TEST_F(FaultSweepGalleryTest, VolumeFillingDuringANoteKeepsTheEarlierNote) {
  SetUpTrip();
  // The recorder over the first picture, which has a note already.
  Run("mic tone 440\ntap 136 307\nexpect-window Record\ntap 156 280\nwait 1500\n"
      "disk-size \"\\My Documents\" 2000\nwait 1500\ntap 173 280\nwait 1000\n");
  EXPECT_EQ(Contents(kTrip + NoteName(1)), notes_[0]) << "the earlier note stays whole";
  EXPECT_FALSE(BoxTexts().empty()) << "the note that could not be saved is told";
  ExpectOnlyWholeFiles(kTrip);
  Run("kill orsagal.exe\ndisk-size \"\\My Documents\" 20M\n");
  ExpectOptionsIntact();
  ExpectGalleryUsable();
}

TEST_F(FaultSweepGalleryTest, KilledDuringACopyLeavesOnlyWholeFiles) {
  SetUpTrip();
  // The gallery is ended as the second picture reaches the card.
  auto registration = handheld().change_notifier().Register(
      [&](const platform::ChangeEvent& event) {
        if (event.path == kCard + PictureName(2)) {
          for (const platform::ProcessEntry& entry : platform::EnumProcesses()) {
            if (entry.path.ends_with("orsagal.exe")) {
              platform::TerminateProcess(platform::OpenProcess(entry.process_id), 0xDEAD);
            }
          }
        }
      },
      platform::SHCNE_CREATE);
  CopyOrMoveAllToCard(gallery::kCommandCopy);
  registration.Reset();
  Run("wait 1000\n");
  EXPECT_EQ(Browser(), nullptr) << "the gallery has gone";
  for (int i = 1; i <= kPictureCount; ++i) {
    EXPECT_EQ(Contents(kTrip + PictureName(i)), pictures_[i - 1]);
    EXPECT_EQ(Contents(kTrip + NoteName(i)), notes_[i - 1]);
  }
  ExpectOnlyWholeFiles(kCard);
  ExpectOptionsIntact();
  ExpectGalleryUsable();
}

TEST_F(FaultSweepGalleryTest, KilledDuringATurnLeavesThePictureWhole) {
  SetUpTrip();
  Command(gallery::kCommandRotateRight);
  Run("kill orsagal.exe\nwait 500\n");
  ASSERT_TRUE(Exists(kTrip + PictureName(1)));
  EXPECT_TRUE(DecodesWhole(kTrip + PictureName(1)));
  ExpectOnlyWholeFiles(kTrip);
  ExpectOptionsIntact();
  ExpectGalleryUsable();
}

TEST_F(FaultSweepGalleryTest, KilledWhileRecordingANoteKeepsTheEarlierNoteAndTheRecorder) {
  SetUpTrip();
  platform::DWORD volume = 0;
  platform::WaveOutGetVolume(nullptr, &volume);
  Run("mic tone 440\ntap 136 307\nexpect-window Record\ntap 156 280\nwait 1500\n"
      "kill orsagal.exe\nwait 1000\n");
  EXPECT_EQ(Contents(kTrip + NoteName(1)), notes_[0]);
  ExpectOnlyWholeFiles(kTrip);
  // A gallery started again records a note, and the speaker, silent while
  // the killed one recorded, is heard again.
  StartGallery();
  platform::DWORD volume_after = 0;
  platform::WaveOutGetVolume(nullptr, &volume_after);
  EXPECT_EQ(volume_after, volume);
  Run("tap 136 307\nexpect-window Record\ntap 156 280\nwait 1500\ntap 173 280\nwait 1000\n");
  EXPECT_TRUE(Contents(kTrip + NoteName(1)) != notes_[0])
      << "the new note took the old one's place";
  EXPECT_TRUE(NoteWhole(kTrip + NoteName(1)));
  ExpectOptionsIntact();
  ExpectGalleryUsable();
}

}  // namespace
}  // namespace handheld
