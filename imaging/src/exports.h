// The exported functions of "qximglib.dll" (types and meaning in
// imaging/qximglib.h).
#pragma once

#include "imaging/qximglib.h"

namespace imaging {

LoadImageFromFileFunction LoadImageFromFile;
LoadImageFromFileExFunction LoadImageFromFileEx;
ScaleBitmapFunction ScaleBitmap;
RotateBitmapFunction RotateBitmap;
RotateJPEGFunction RotateJPEG;
JpegReadCommentFunction JpegReadComment;
JpegWriteCommentFunction JpegWriteComment;

}  // namespace imaging
