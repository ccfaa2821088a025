#pragma once
// The program without its windows: the catchments named on the command line computed with no
// display needed, their results on standard output, the boxes on standard error and the PDF
// report painted offscreen.

#include "ui/command_line.h"

namespace nutrient {

// The number texts take the decimal and group separators of the regional settings (the
// locale of numbers: LC_ALL, LC_NUMERIC or LANG), the windows and the computation without a
// window alike; the C library's numeric locale is put back to "C" so that nothing else
// follows them.
void takeRegionalSeparators();

// Everything the command line asks that needs no window: a core application (a painting one,
// offscreen, for a report) on the arguments without Qt's own options, then the computation; the
// exit status tells whether every file computed.
int runWithoutWindows(CommandLine& commandLine);

}  // namespace nutrient
