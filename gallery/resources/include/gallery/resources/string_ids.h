// Ids of the resource library's strings, menu and toolbar bitmap, and of
// the program's own bitmaps and icons.
#pragma once

#include "platform/types.h"

namespace gallery {

using platform::UINT;

inline constexpr UINT kStringTitle = 100;
inline constexpr UINT kStringExternalDisplay = 102;  // %s key, %d width, %d height, %d bits
inline constexpr UINT kStringDeleteCaption = 540;
inline constexpr UINT kStringMarkedConfirm = 550;  // %d marked files
inline constexpr UINT kStringErrorCaption = 551;
inline constexpr UINT kStringDeleteFailed = 552;  // %d files
inline constexpr UINT kStringMoveCaption = 553;
inline constexpr UINT kStringMoveFailed = 554;  // %d files
inline constexpr UINT kStringCopyCaption = 555;
inline constexpr UINT kStringCopyFailed = 556;  // %d files
inline constexpr UINT kStringInvalidName = 558;
inline constexpr UINT kStringNameExists = 559;
inline constexpr UINT kStringOtherError = 560;  // %d error number
inline constexpr UINT kStringRenameTitle = 561;
inline constexpr UINT kStringRenamePage = 562;
inline constexpr UINT kStringOptionsTitle = 563;
inline constexpr UINT kStringMoveTo = 566;
inline constexpr UINT kStringCopyTo = 567;
inline constexpr UINT kStringChooseFolder = 568;
inline constexpr UINT kStringOnlyJpegTurns = 572;
inline constexpr UINT kStringCameraFailed = 573;
inline constexpr UINT kStringSoundInputRefused = 574;
inline constexpr UINT kStringCommentNotStorable = 590;
inline constexpr UINT kStringNoteApart = 592;        // %s the picture whose note stayed behind
inline constexpr UINT kStringNoteNotSaved = 593;     // %s the note's file name
inline constexpr UINT kStringFirstTransition = 700;  // 700..721, then 722: random
inline constexpr UINT kStringSortName = 40079;       // 40079..40082: name, date, size, type
inline constexpr UINT kStringAscending = 40083;
inline constexpr UINT kStringReduced = 40085;  // %d percent
inline constexpr UINT kStringDescending = 40084;
inline constexpr UINT kStringRateUnit = 40086;
inline constexpr UINT kStringBitsUnit = 40087;
inline constexpr UINT kStringMono = 40088;
inline constexpr UINT kStringStereo = 40089;

// Menu items' texts.
inline constexpr UINT kTextMenu = 2001;  // the one menu of the bar
inline constexpr UINT kTextPicture = 2002;
inline constexpr UINT kTextCamera = 2010;
inline constexpr UINT kTextChooseFolder = 2011;
inline constexpr UINT kTextRefresh = 2012;
inline constexpr UINT kTextBeam = 2013;
inline constexpr UINT kTextSendObex = 2014;
inline constexpr UINT kTextMail = 2015;
inline constexpr UINT kTextPrint = 2016;
inline constexpr UINT kTextOptions = 2017;
inline constexpr UINT kTextAbout = 2018;
inline constexpr UINT kTextExit = 2019;
inline constexpr UINT kTextView = 2020;
inline constexpr UINT kTextSlideshow = 2021;
inline constexpr UINT kTextRename = 2022;
inline constexpr UINT kTextDelete = 2023;
inline constexpr UINT kTextMove = 2024;
inline constexpr UINT kTextCopy = 2025;
inline constexpr UINT kTextEditComment = 2026;
inline constexpr UINT kTextRotateLeft = 2027;
inline constexpr UINT kTextRotateRight = 2028;
inline constexpr UINT kTextClipboard = 2029;
inline constexpr UINT kTextActualSize = 2030;
inline constexpr UINT kTextMarkRange = 2031;
inline constexpr UINT kTextMarkAll = 2032;
inline constexpr UINT kTextUnmarkAll = 2033;

// Options pages' titles and controls' texts, and the About box's.
inline constexpr UINT kTextGeneralPage = 2100;
inline constexpr UINT kTextFilePage = 2101;
inline constexpr UINT kTextSlideshowPage = 2102;
inline constexpr UINT kTextAudioPage = 2103;
inline constexpr UINT kTextExternalDisplay = 2110;
inline constexpr UINT kTextAutoPlayVoiceNote = 2111;
inline constexpr UINT kTextShowHistogram = 2112;
inline constexpr UINT kTextFileTypes = 2113;
inline constexpr UINT kTextRegister = 2114;
inline constexpr UINT kTextRestore = 2115;
inline constexpr UINT kTextSortBy = 2120;
inline constexpr UINT kTextOrder = 2121;
inline constexpr UINT kTextIncludeSubfolders = 2122;
inline constexpr UINT kTextOpenCardPictures = 2123;
inline constexpr UINT kTextAdvance = 2130;
inline constexpr UINT kTextManual = 2131;
inline constexpr UINT kTextTimedForward = 2132;
inline constexpr UINT kTextTimedBackward = 2133;
inline constexpr UINT kTextTimedRandom = 2134;
inline constexpr UINT kTextSeconds = 2135;
inline constexpr UINT kTextLoop = 2136;
inline constexpr UINT kTextShowFileName = 2137;
inline constexpr UINT kTextShowFileInfo = 2138;
inline constexpr UINT kTextPlayVoiceNotes = 2139;
inline constexpr UINT kTextRotateToFit = 2140;
inline constexpr UINT kTextLeft = 2141;
inline constexpr UINT kTextRight = 2142;
inline constexpr UINT kTextTransitions = 2143;
inline constexpr UINT kTextFormat = 2150;
inline constexpr UINT kTextQuality = 2151;
inline constexpr UINT kTextAboutLine = 2160;
inline constexpr UINT kTextVersion = 2161;
inline constexpr UINT kTextCopyright = 2162;
inline constexpr UINT kTextOk = 2163;

inline constexpr UINT kMenuBrowser = 102;
inline constexpr int kToolbarBitmap = 200;
inline constexpr int kToolbarImages = 8;
// The zoom view's bar: its six buttons and their strip.
inline constexpr UINT kMenuZoomView = 109;
inline constexpr int kZoomToolbarBitmap = 201;
inline constexpr int kZoomToolbarImages = 6;

// The program's own resources.
inline constexpr UINT kBitmapHiddenPicture = 112;  // 80 x 62, black transparent
inline constexpr int kIconBitmap = 125;            // .bmp and .2bp
inline constexpr int kIconJpeg = 126;
inline constexpr int kIconGif = 127;
inline constexpr int kIconPng = 128;

// The thumbnail browser's icons and the folder chooser's resources.
inline constexpr int kIconVoiceNote = 121;
inline constexpr int kIconMarked = 122;
inline constexpr int kIconNotMarked = 123;
inline constexpr int kIconRangeAnchor = 124;
inline constexpr int kIconComment = 129;
inline constexpr int kIconClip = 130;
inline constexpr UINT kBitmapFolders = 106;  // program: 16-pixel folder images, white transparent
inline constexpr UINT kMenuFolderChooser = 110;
inline constexpr int kFolderChooserBitmap = 202;
inline constexpr int kFolderChooserImages = 4;
inline constexpr UINT kStringNewFolder = 575;
inline constexpr UINT kStringOperationFailed = 560;  // %d the error

}  // namespace gallery
