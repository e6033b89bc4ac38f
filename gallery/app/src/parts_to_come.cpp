// The parts of the gallery that plug into the browser later: the folder
// browser with its thumbnails, the image view, sending, the slideshow,
// voice notes and file operations. Until each is built its commands do
// nothing visible; they are kept in the gallery's state so that the
// routing can be seen working.
#include "gallery/app/orsagal.h"
#include "gallery_state.h"
#include "part_commands.h"

namespace gallery {

namespace {

void Remember(GalleryPart part, platform::UINT command, bool key = false) {
  Gallery().routed.push_back(RoutedCommand{part, command, key});
}

}  // namespace

void FolderBrowserCommand(platform::HWND, platform::UINT command) {
  Remember(GalleryPart::kFolderBrowser, command);
}

void FolderBrowserKey(platform::HWND, platform::UINT key) {
  Remember(GalleryPart::kFolderBrowser, key, true);
}

void ImageViewCommand(platform::HWND, platform::UINT command) {
  Remember(GalleryPart::kImageView, command);
}

void SendingCommand(platform::HWND, platform::UINT command) {
  Remember(GalleryPart::kSending, command);
}

void SlideshowCommand(platform::HWND, platform::UINT command) {
  Remember(GalleryPart::kSlideshow, command);
}

void VoiceNoteCommand(platform::HWND, platform::UINT command) {
  Remember(GalleryPart::kVoiceNotes, command);
}

void FileOperationCommand(platform::HWND, platform::UINT command) {
  Remember(GalleryPart::kFileOperations, command);
}

void MakeEntryCurrent(platform::HWND, platform::WPARAM) {
  Remember(GalleryPart::kFolderBrowser, kMessageMakeCurrent);
}

void RefreshCurrentEntry(platform::HWND, platform::UINT message) {
  Remember(GalleryPart::kFolderBrowser, message);
}

void ListShownFolder(platform::HWND) { ++Gallery().folder_listings; }

}  // namespace gallery
