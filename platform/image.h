// The device's image calls, stood in by what desktop Windows offers:
// SHLoadImageFile (aygshell) decodes through WIC, TransparentImage (coredll)
// is a keyed copy through msimg32's TransparentBlt.
#pragma once
#include <windows.h>

// Decodes an image file (PNG among others) into a 32-bit top-down DIB
// section. Null when the file is missing or cannot be decoded.
HBITMAP SHLoadImageFile(LPCWSTR fileName);

// Copies a source rectangle to a destination rectangle, leaving the
// destination untouched where the source has the transparent colour.
// The source is a device context or a bitmap, as on the device.
BOOL TransparentImage(HDC dest, LONG destX, LONG destY, LONG destWidth, LONG destHeight,
                      HANDLE source, LONG srcX, LONG srcY, LONG srcWidth, LONG srcHeight,
                      COLORREF transparentColor);
