// The program's title and version: the one place they are written. Read by the
// VERSIONINFO resource and by the About dialog, so keep it to plain #defines that the
// resource compiler understands.
#pragma once

#define QUORVATH_TITLE "Quorvath"
#define QUORVATH_VERSION_MAJOR 1
#define QUORVATH_VERSION_MINOR 0
#define QUORVATH_VERSION_REVISION 0

#define QUORVATH_STRINGIFY_(x) #x
#define QUORVATH_STRINGIFY(x) QUORVATH_STRINGIFY_(x)
#define QUORVATH_VERSION_TEXT                \
  QUORVATH_STRINGIFY(QUORVATH_VERSION_MAJOR) \
  "." QUORVATH_STRINGIFY(QUORVATH_VERSION_MINOR) "." QUORVATH_STRINGIFY(QUORVATH_VERSION_REVISION)
