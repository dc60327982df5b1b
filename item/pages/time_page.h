// The Time page: a large clock, the two date texts beside it as ShowDate
// places them, and the alarm icon with the next alarm under it.
#pragma once
#include <windows.h>

#include "item/pages/page_frame.h"

void PaintTimePage(HDC dc, const PageFrame& frame);
