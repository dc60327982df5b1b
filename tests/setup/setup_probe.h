// How the installer tests' item libraries report to the test: one
// WM_COPYDATA to the sink window per load and unload, carrying the version.
#pragma once
#include <windows.h>

constexpr const wchar_t* SetupSinkClass = L"ToviraSetupTestSink";
constexpr const wchar_t* SetupItemClass = L"ToviraSetupTestItem";

enum SetupProbeCode : ULONG_PTR {
  SetupItemLoaded = 1,
  SetupItemUnloaded = 2,
};
