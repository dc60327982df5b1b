// devicestate.exe: changes the simulated device's state, as
// scripts/device-state.sh names it. Run inside the device's prefix with the
// device's root as working directory:
//   devicestate NAME=VALUE ... [--lively]
// Every setting is checked before anything is written: one unknown name or
// value out of range refuses them all (exit 2).
#include <windows.h>

#include "host/devicestate/device_state.h"
#include "host/common/host_log.h"

int wmain(int argc, wchar_t** argv) {
  DeviceState state = {};
  wchar_t error[300];
  if (argc < 2) {
    HostLog(L"usage: devicestate NAME=VALUE ... [--lively]");
    return 2;
  }
  for (int i = 1; i < argc; ++i)
    if (!ParseDeviceSetting(argv[i], &state, error, 300)) {
      HostLog(L"devicestate: %ls; nothing was changed", error);
      return 2;
    }
  ApplyLivelyDefaults(&state);
  wchar_t root[MAX_PATH];
  if (!GetCurrentDirectoryW(MAX_PATH, root)) root[0] = 0;
  if (!WriteDeviceState(state, root)) {
    HostLog(L"devicestate: the registry refused a write (error %lu)", GetLastError());
    return 1;
  }
  return 0;
}
