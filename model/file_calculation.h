#pragma once
// One catchment computed from its parameters file without a window, exactly as a user computes
// it in the windows, so that both give the same result texts.

#include "computation.h"
#include "file_system.h"

#include <string>
#include <vector>

namespace nutrient {

// The parameters are empty when the file was not read.
struct FileCalculation : Computation {
    bool opened = false;  // the file was read
    // The stored derived values of the file as opened that differ from the ones its other texts
    // give (derivedValueNotes): the windows compute with the stored one too, until the
    // parameters window is shown again.
    std::vector<std::string> notes;
};

// What a user does in the windows, from start-up: opens the parameters window (its show rule
// derives the natural area and the runoff modulus from the initial texts), opens the file,
// closes the window (its closing checks) and presses "Расчет" (the calculation, then the check
// of the load against its natural part).  A file that cannot be read stops there; a failed
// closing check is reported and the calculation still runs, reporting its own failure.
// The file name "-" reads standard input.  A pipe given as the file is waited for only when
// asked, as the command line asks (see Waiting).
FileCalculation calculateFile(const std::string& fileName, Waiting waiting = Waiting::Never);

}  // namespace nutrient
