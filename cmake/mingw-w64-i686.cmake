# Cross-compiles for 32-bit Windows with Debian's mingw-w64 (posix threads):
# the device's data model (32-bit pointers, handles and LONG; stdcall
# callbacks), run under Wine's 32-bit side.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
