// The Date page: date text 1 at the left and date text 2 at the right of one line.
#pragma once
#include <windows.h>

#include "item/pages/page_frame.h"

void PaintDatePage(HDC dc, const PageFrame& frame);
