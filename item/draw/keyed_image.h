// Drawing a state image with a colour key, at its natural size.
#pragma once
#include <windows.h>

// Copies the whole bitmap to (x, y), leaving the background wherever the
// bitmap has the colour of its pixel (0, 0). Nothing for a null bitmap.
void DrawKeyedImage(HDC dc, HBITMAP bitmap, int x, int y);

// Width and height of a bitmap; 0 x 0 for a null or unreadable handle,
// so layouts treat a missing image as taking no room.
SIZE ImageSize(HBITMAP bitmap);
