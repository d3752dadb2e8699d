/* Resource ids shared by the resource scripts and the code. Plain #defines:
   windres reads this file too. */
#ifndef QUENWOLD_RESOURCE_IDS_H
#define QUENWOLD_RESOURCE_IDS_H

/* windows.h first: it has an IDC_HAND of its own (the system's hand cursor),
   which ours replaces. */
#include <windows.h>

/* Payload entries: one per file or preset block, named by their encoded
   output file name. */
#define RT_PAYLOAD 3000

/* Dialog "MAIN" and its controls. */
#define IDC_FOLDER_COMBO 1033
#define IDC_FOCUS_SINK 1034

/* Skin artwork. */
#define IDB_CHECKBOX 128
#define IDB_EXIT 203
#define IDB_LOGO 213
#define IDB_BEGIN 219
#define IDB_FINISH 220
#define IDB_BACKGROUND 222
#undef IDC_HAND
#define IDC_HAND 120

#endif
