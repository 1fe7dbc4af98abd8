// Resource ids of the launcher. Used by the .rc files and by the code.
#pragma once

// Dialog templates.
#define IDD_RARUVA_Q7_DIALOG 101
#define IDD_GAMEWND 328
#define IDD_CUSTOM_MESSAGE_BOX 164  // the skinned question box

// Controls (1 and 2 are IDOK and IDCANCEL).
#define IDC_BTN_CLOSE 1001  // close cross: main window, message box

// Icon.
#define IDR_MAINFRAME 273

// String table.
#define IDS_GAME_NAME 102            // game name: Start-menu folder, shortcut names
#define IDS_PORTAL_NAME 105          // portal name: Start-menu folder
#define IDS_LAUNCHER_NAME 107        // window titles, tray tip, exit question
#define IDS_UNINSTALL_LINK 109       // uninstall shortcut name (without .lnk)
#define IDS_LOGIN_SKIN_URL 114       // login skin address, ends in '/'
#define IDS_CACHE_CLEANING 116       // cache-cleaning overlay text
#define IDS_GAME_CODE 117            // second level of the data folder
#define IDS_UPDATE_FILE 118          // update download in the temporary folder
#define IDS_BRAND_FOLDER 119         // first level of the data folder, with slashes
#define IDS_UNINSTALL_COPY 120       // uninstaller copy, relative to APPDATA
#define IDS_BRAND 124                // brand word: first level of the data folder
#define IDS_DESKTOP_LINK_PREFIX 125  // first part of the desktop shortcut name
#define IDS_VERSION_SERVER 191       // version server base, no final slash
#define IDS_VERSION_QUERY 192        // path and query of the version check
#define IDS_SETTINGS_FILE 197        // settings file, relative to the data folder
