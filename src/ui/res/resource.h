// Resource ids. The application icon has the lowest icon id, so Explorer shows it.
#pragma once

#define IDI_QUORVATH 1

#define IDB_BANNER 101
#define IDB_BANNER_2X 102
#define IDB_ABOUT_BANNER 103
#define IDB_ABOUT_BANNER_2X 104
#define IDB_PROGRAM_PICTURE 105
#define IDB_PROGRAM_PICTURE_2X 106
