// The item window: its class, its procedure and the handlers it routes to.
#pragma once
#include <windows.h>

constexpr const wchar_t* ItemClassName = L"Tovira";

// The library's module, set on attach; the item window, 0 until it exists.
extern HINSTANCE ItemInstance;
extern HWND ItemWindow;

LRESULT CALLBACK ItemWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the window class for the library's instance; false if it cannot.
bool RegisterItemClass(HINSTANCE instance);
void UnregisterItemClass(HINSTANCE instance);

// Messages Windows CE never sends but desktop Windows needs answered by default.
bool IsNonClientMessage(UINT message);
