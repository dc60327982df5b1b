// The device's notice that the screen turned (or changed its size): the
// WM_SETTINGCHANGE parameter Windows CE sends to every top-level window.
#pragma once
#include <windows.h>

#ifndef SETTINGCHANGE_RESET
#define SETTINGCHANGE_RESET 0x3002
#endif
