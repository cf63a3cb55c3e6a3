#pragma once
// Names shared by the version dialog's template (res/VersionDialog.rc) and its code. Plain macros:
// the resource compiler reads this file too.

#define VERSION_DIALOG_TEMPLATE L"VERSIONDIALOG"

#define VERSION_DIALOG_ICON 101
#define VERSION_DIALOG_TITLE 102
#define VERSION_DIALOG_VERSION 103
#define VERSION_DIALOG_AUTHOR 104
#define VERSION_DIALOG_NOTICE 105
#define VERSION_DIALOG_ACKNOWLEDGEMENT 106
#define VERSION_DIALOG_SUPPORT_LABEL 107
#define VERSION_DIALOG_SUPPORT_LINK 108
#define VERSION_DIALOG_SEPARATOR 109
#define VERSION_DIALOG_SYSTEM_INFO 110
