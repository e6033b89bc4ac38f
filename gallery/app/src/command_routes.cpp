#include "command_routes.h"

#include "gallery/resources/commands.h"

namespace gallery {

namespace {

struct Route {
  platform::UINT first;
  platform::UINT last;
  GalleryPart part;
};

constexpr Route kRoutes[] = {
    {kCommandRename, kCommandRename, GalleryPart::kFileOperations},
    {kCommandRenameItem, kCommandRenameItem, GalleryPart::kFileOperations},
    {kCommandPreviewTap, kCommandPreviewTap, GalleryPart::kImageView},
    {kButtonView, kButtonView, GalleryPart::kImageView},
    {kCommandView, kCommandView, GalleryPart::kImageView},
    {kButtonCamera, kButtonCamera, GalleryPart::kFrame},
    {kCommandCamera, kCommandCamera, GalleryPart::kFrame},
    {kButtonSlideshow, kButtonSlideshow, GalleryPart::kSlideshow},
    {kCommandSlideshow, kCommandSlideshow, GalleryPart::kSlideshow},
    {kButtonVoiceNote, kButtonVoiceNote, GalleryPart::kVoiceNotes},
    {kButtonFolder, kButtonFolder, GalleryPart::kFolderBrowser},
    {kCommandChooseFolder, kCommandRefresh, GalleryPart::kFolderBrowser},
    {kButtonDelete, kButtonDelete, GalleryPart::kFileOperations},
    {kCommandDelete, kCommandDelete, GalleryPart::kFileOperations},
    {kCommandBeam, kCommandSendObex, GalleryPart::kSending},
    {kCommandMail, kCommandMail, GalleryPart::kSending},
    {kCommandOptions, kCommandExit, GalleryPart::kFrame},
    {kCommandClipboard125, kCommandClipboardActual, GalleryPart::kSending},
    {kCommandMarkRange, kCommandUnmarkAll, GalleryPart::kFolderBrowser},
    {kCommandMarkAll, kCommandMarkAll, GalleryPart::kFolderBrowser},
    {kCommandMove, kCommandCopy, GalleryPart::kFileOperations},
    {kCommandEditComment, kCommandRotateRight, GalleryPart::kImageView},
    {kCommandPrint, kCommandPrint, GalleryPart::kSending},
    {kCommandFirstCell, kCommandLastCell, GalleryPart::kFolderBrowser},
    {kCommandFirstSendEntry, kCommandLastSendEntry, GalleryPart::kSending},
};

}  // namespace

GalleryPart PartOf(platform::UINT command) {
  for (const Route& route : kRoutes) {
    if (command >= route.first && command <= route.last) return route.part;
  }
  return GalleryPart::kNone;
}

}  // namespace gallery
