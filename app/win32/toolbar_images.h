#pragma once
// The eight 16 x 16 toolbar pictures, drawn here as pixel art, and the image list made from them.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/scoped_win.h"

namespace tovel {

inline constexpr int kToolImageSize = 16;
inline constexpr int kToolImageCount = 8;

// A new image list (16 x 16, 24-bit with masks) holding the pictures in toolbar order:
// new, open, save, preview, undo, cut, copy, paste.
ScopedImageList CreateToolImages();

}  // namespace tovel
