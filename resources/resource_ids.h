/* Identifiers shared by the resource script and the window code; plain macros so that windres can read them. */
#pragma once

/* Commands of the popup menu MYMENU. */
#define IDM_GAME_START 40003
#define IDM_GAME_SET 40004
#define IDM_SHOW_RECORDS 40005
#define IDM_RULES 40007
#define IDM_EXIT 40008

/* Controls of the dialog MYDLG; the close button is the standard cancel id (2). */
#define IDC_CHOOSE_OPPONENT 1001
#define IDC_OPPONENT_FIRST 1002 /* 1002 + OpponentId, four radio buttons */
#define IDC_RESET_RECORDS 1006

/* The program's own icon, shown for the exe file; the window keeps the system's standard icon. */
#define IDI_KOIKOI 1
