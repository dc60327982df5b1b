// The cabinet installer's setup-hook interface (ce_setup.h of Windows CE):
// the four entry points a setup library exports by name, and their codes.
#pragma once
#include <windows.h>

typedef enum { codeINSTALL_INIT_CONTINUE = 0, codeINSTALL_INIT_CANCEL } codeINSTALL_INIT;
typedef enum { codeINSTALL_EXIT_DONE = 0, codeINSTALL_EXIT_UNINSTALL } codeINSTALL_EXIT;
typedef enum { codeUNINSTALL_INIT_CONTINUE = 0, codeUNINSTALL_INIT_CANCEL } codeUNINSTALL_INIT;
typedef enum { codeUNINSTALL_EXIT_DONE = 0 } codeUNINSTALL_EXIT;

// Export names the installer looks up.
#define szINSTALL_INIT "Install_Init"
#define szINSTALL_EXIT "Install_Exit"
#define szUNINSTALL_INIT "Uninstall_Init"
#define szUNINSTALL_EXIT "Uninstall_Exit"

typedef codeINSTALL_INIT (*pfnINSTALL_INIT)(HWND hwndParent, BOOL fFirstCall,
                                            BOOL fPreviouslyInstalled, LPCWSTR pszInstallDir);
typedef codeINSTALL_EXIT (*pfnINSTALL_EXIT)(HWND hwndParent, LPCWSTR pszInstallDir,
                                            WORD cFailedDirs, WORD cFailedFiles,
                                            WORD cFailedRegKeys, WORD cFailedRegVals,
                                            WORD cFailedShortcuts);
typedef codeUNINSTALL_INIT (*pfnUNINSTALL_INIT)(HWND hwndParent, LPCWSTR pszInstallDir);
typedef codeUNINSTALL_EXIT (*pfnUNINSTALL_EXIT)(HWND hwndParent);
