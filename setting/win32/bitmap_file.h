#pragma once
// Loads a Windows bitmap file as the toolbar picture: the file is opened for reading (others may read
// but not write it), checked whole by CheckBitmapFile, then made a DIB section.
#include <string>

#include "platform/win32/scoped_win.h"

namespace tovel {

// The picture, or a null bitmap for a file of 0 bytes. Raises "ファイル %s は開けません" (the path as
// given) when the file cannot be opened, and the check's messages when it is no valid bitmap.
ScopedBitmap LoadBitmapFile(const std::string& path);

}  // namespace tovel
