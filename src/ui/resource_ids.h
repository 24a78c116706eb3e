// Numbers shared by the resource script (mivalto.rc) and the window code: pictures, texts of
// the French string table, and the window's control ids. Plain #defines, because the
// resource compiler reads this file too.
#pragma once

// Pictures.
#define IDI_MIVALTO 1
#define IDB_SAVE 101
#define IDB_PASTE 102
#define IDB_ABOUT 103
#define IDB_OPEN 104
#define IDB_QUIT 105
#define IDB_CLOSE_GLYPH 106
#define IDR_ABOUT_PICTURE 107
#define RT_JPEG_PICTURE 256

// Action captions and hints.
#define IDS_OUVRIR_CAPTION 1001
#define IDS_OUVRIR_HINT 1002
#define IDS_SAUVER_CAPTION 1003
#define IDS_SAUVER_HINT 1004
#define IDS_PASTE_CAPTION 1005
#define IDS_PASTE_HINT 1006
#define IDS_APROPOS_CAPTION 1007
#define IDS_APROPOS_HINT 1008
#define IDS_QUITTER_CAPTION 1009
#define IDS_QUITTER_HINT 1010

// Main window.
#define IDS_TITLE_DE 1101
#define IDS_LEGEND_DIRECTSHOW 1102
#define IDS_LEGEND_DMO 1103
#define IDS_LEGEND_PNP 1104
#define IDS_LEGEND_ACM 1105
#define IDS_OPEN_FILTER 1106
#define IDS_SAVE_LOG_TYPE 1107
#define IDS_CANNOT_CREATE_FILE 1108
#define IDS_CATALOGUE 1109
#define IDS_JSON_NEITHER 1110
#define IDS_MACHINE_CATALOGUE 1111
#define IDS_SAVE_ANY_TYPE 1112

// About panel.
#define IDS_ABOUT_WEB_CAPTION 1201
#define IDS_ABOUT_MAIL_CAPTION 1202
#define IDS_ABOUT_MAIL_HINT 1203
#define IDS_ABOUT_MAIL_SUBJECT 1204
#define IDS_ABOUT_CLOSE_CAPTION 1205
#define IDS_ABOUT_CLOSE_HINT 1206
#define IDS_ABOUT_PICTURE_HINT 1207
#define IDS_ABOUT_WRITTEN_BY 1208
#define IDS_ABOUT_USES 1209
#define IDS_ABOUT_LAST_UPDATE 1210
#define IDS_ABOUT_DATE 1211
#define IDS_ABOUT_CREDITS 1212
#define IDS_ABOUT_HELP 1213
#define IDS_ABOUT_VISIT 1214
#define IDS_ABOUT_MAIL_WELCOME 1215

// Controls of the main window.
#define IDC_PANEL1 2001
#define IDC_LABEL1 2002
#define IDC_OUVRIR_BTN 2003
#define IDC_SAVE_BTN 2004
#define IDC_PASTE_BTN 2005
#define IDC_APROPOS_BTN 2006
#define IDC_CLOSE_BTN 2007
#define IDC_MEMO1 2008
#define IDC_APROPOS_FRAME1 2009
#define IDC_LEGEND_LABEL_FIRST 2010

// Controls of the about panel.
#define IDC_RX_APROPOS 2103
#define IDC_URL_LABEL1 2104
#define IDC_URL_LABEL2 2105
#define IDC_IMAGE1 2106
#define IDC_FERMER_BTN 2107

// Actions: the command ids of the menu items and the shortcuts (the action table maps each
// button to its action).
#define ID_AC_OUVRIR 3001
#define ID_AC_SAUVER 3002
#define ID_AC_PASTE 3003
#define ID_AC_APROPOS 3004
#define ID_AC_QUITTER 3005
// The context menu's way back to this machine's catalogue, while another is in use.
#define ID_MACHINE_CATALOGUE 3101
