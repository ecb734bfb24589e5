#pragma once
// The toolbar's image list, made from the pixel art at the size the screen's resolution asks for.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/scoped_win.h"

namespace tovel {

// A new image list (`size` x `size`, 24-bit with masks) holding the pictures in toolbar order:
// new, open, save, preview, undo, cut, copy, paste.
ScopedImageList CreateToolImages(int size);

}  // namespace tovel
