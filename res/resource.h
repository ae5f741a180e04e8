// Resource identifiers of Zentravue. This header is also embedded in the
// program as its name table: keep every line "#define NAME number".
#pragma once
#define IDR_MAINFRAME                   128
#define IDR_MENU_MAIN                   129
#define IDR_MENU_CONTEXT                225
#define IDR_RESOURCE_LZV                240
#define IDD_ZENTRAVUE_DIALOG            102
