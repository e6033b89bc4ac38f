// The browser's command ids: menu items, toolbar buttons and taps on its
// children all arrive as these.
#pragma once

#include "platform/types.h"

namespace gallery {

using platform::UINT;

// Children of the browser that send commands when tapped.
inline constexpr UINT kCommandRename = 1107;  // the file-name label
inline constexpr UINT kCommandPreviewTap = 1110;
inline constexpr UINT kCommandFirstCell = 1200;  // 1200..1205, the thumbnail strip
inline constexpr UINT kCommandLastCell = 1205;
// User-defined Send entries appended to the Tools menu.
inline constexpr UINT kCommandFirstSendEntry = 1300;
inline constexpr UINT kCommandLastSendEntry = 1399;

// Toolbar buttons.
inline constexpr UINT kButtonCamera = 20201;
inline constexpr UINT kButtonView = 20202;
inline constexpr UINT kButtonSlideshow = 20203;
inline constexpr UINT kButtonVoiceNote = 20204;  // a check button
inline constexpr UINT kButtonFolder = 20205;
inline constexpr UINT kButtonDelete = 20206;

// Menu items; 40001 and 40004 are the ids of the two sub-menus' items.
inline constexpr UINT kMenuTools = 40001;
inline constexpr UINT kMenuPicture = 40004;
inline constexpr UINT kCommandCamera = 40010;
inline constexpr UINT kCommandChooseFolder = 40011;
inline constexpr UINT kCommandRefresh = 40012;
inline constexpr UINT kCommandBeam = 40013;
inline constexpr UINT kCommandSendObex = 40014;
inline constexpr UINT kCommandMail = 40016;
inline constexpr UINT kCommandOptions = 40017;
inline constexpr UINT kCommandAbout = 40018;
inline constexpr UINT kCommandExit = 40019;
inline constexpr UINT kCommandClipboard125 = 40020;  // per mille of the picture's size
inline constexpr UINT kCommandClipboard250 = 40021;
inline constexpr UINT kCommandClipboard500 = 40022;
inline constexpr UINT kCommandClipboardActual = 40023;
inline constexpr UINT kCommandMarkRange = 40024;
inline constexpr UINT kCommandUnmarkAll = 40025;
inline constexpr UINT kCommandMove = 40026;
inline constexpr UINT kCommandCopy = 40027;
inline constexpr UINT kCommandDelete = 40028;
inline constexpr UINT kCommandRenameItem = 40029;
inline constexpr UINT kCommandEditComment = 40030;
inline constexpr UINT kCommandRotateLeft = 40031;
inline constexpr UINT kCommandRotateRight = 40032;
inline constexpr UINT kCommandSlideshow = 40033;
inline constexpr UINT kCommandView = 40034;
inline constexpr UINT kCommandMarkAll = 40035;
inline constexpr UINT kCommandPrint = 40082;

// The folder chooser's buttons (menu 110).
inline constexpr UINT kCommandParentFolder = 20001;
inline constexpr UINT kCommandNewFolder = 20002;
inline constexpr UINT kCommandRemoveFolder = 20003;
inline constexpr UINT kCommandRebuildTree = 20004;

// The zoom view's buttons.
inline constexpr UINT kCommandPreviousPicture = 20101;
inline constexpr UINT kCommandNextPicture = 20102;
inline constexpr UINT kCommandZoomOut = 20103;
inline constexpr UINT kCommandZoomIn = 20104;
inline constexpr UINT kCommandZoomToFit = 20105;
inline constexpr UINT kCommandActualSize = 20106;

}  // namespace gallery
