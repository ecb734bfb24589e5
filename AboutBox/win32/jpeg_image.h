#pragma once
// The decoded About box logo turned into a DIB section.
#include <windows.h>

#include "AboutBox/jpeg_decode.h"
#include "platform/win32/scoped_win.h"

namespace tovel {

// A top-down 24-bit DIB section holding the picture. Raises "ビットマップを作成できません" on failure.
ScopedBitmap CreateJpegBitmap(const JpegImage& image);

}  // namespace tovel
