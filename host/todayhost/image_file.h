// Image files through the platform's imaging codecs (WIC): the watermark is
// read from any format it decodes, the headless screen is written as PNG.
#pragma once
#include <windows.h>

// Decodes an image file into a new 32-bit top-down DIB section; null on failure.
HBITMAP LoadImageBitmap(const wchar_t* path, int* width, int* height);

// Writes a 32-bit bitmap (any DIB or device bitmap) as a 24-bit PNG file.
bool WriteBitmapPng(HBITMAP bitmap, const wchar_t* path);

// Paints the whole window, its children included, and writes its client area
// to a PNG file.
bool CaptureHostPng(HWND host, const wchar_t* path);
