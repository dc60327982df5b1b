// What the probe item reports to the test's sink window, and how the sink
// answers: one WM_COPYDATA per event, dwData the event, the answer the
// message's result. Works across processes, so it watches todayhost.exe too.
#pragma once
#include <windows.h>

constexpr const wchar_t* ProbeSinkClass = L"ToviraHostProbeSink";

enum ProbeEventCode : ULONG_PTR {
  ProbeAttach = 1,       // library loaded
  ProbeDetach = 2,       // library freed
  ProbeInit = 3,         // InitializeCustomItem; a = record's tlit, b = cyp
  ProbeDestroy = 4,      // item window destroyed
  ProbeQueryHeight = 5,  // asks the sink for its height; a = cyp before
  ProbeReceived = 6,     // RECEIVEDSELECTION; a = wParam; the sink's answer is returned
  ProbeLost = 7,         // LOSTSELECTION
  ProbeNavigate = 8,     // USERNAVIGATION; a = key; the sink's answer is returned
  ProbeOptionsInit = 9,  // WM_INITDIALOG of dialog 500; a = lParam
  ProbeTimer = 10,       // WM_TIMER; a = id
  ProbeButtonDown = 11,  // WM_LBUTTONDOWN; a = x, b = y
  ProbeColor = 12,       // TODAYM_GETCOLOR answer at creation; a = colour
  ProbeModalBegin = 13,  // entering its own message loop (as a menu or a drag does)
  ProbeModalEnd = 14,    // that loop has returned into the item's code
  ProbeClearCache = 15,  // CLEARCACHE; a = 1 when wParam is the item's own record
  ProbeAction = 16,      // WM_TODAYCUSTOM_ACTION; a = wParam
  ProbeButtonUp = 17,    // WM_LBUTTONUP; a = x, b = y
  ProbeSize = 18,        // WM_SIZE; a = width, b = height
};

// Posted to a probe's window: run a nested message loop until ProbeEndModal.
constexpr UINT ProbeRunModal = WM_APP + 40;
constexpr UINT ProbeEndModal = WM_APP + 41;

struct ProbeEvent {
  wchar_t name[32];  // the item's name from its TODAYLISTITEM
  long long a;
  long long b;
};

// Colour of the band the probe paints across its middle third.
constexpr COLORREF ProbeBandColor = RGB(0xC0, 0x20, 0x30);
