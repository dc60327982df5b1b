// Resource and command numbers of tvrcfg.exe (shared by the .rc and the code).
#pragma once

#define IDS_TITLE 1
#define IDS_CLASS 2
#define IDI_PROGRAM 101
#define IDR_MENUBAR 102
#define IDS_OK 103
#define IDS_CANCEL 205
#define IDM_MENU_ITEM 65535

#define CMD_OK 40000
#define CMD_CANCEL 40001
#define CMD_DIALOG_OK 1
