#pragma once
// One catchment computed from its parameters file without a window, exactly as a user computes
// it in the windows, so that both give the same result texts.

#include "computation.h"
#include "file_system.h"
#include "variant.h"

#include <functional>
#include <string>
#include <vector>

namespace nutrient {

// The parameters are empty when the file was not read.
struct FileCalculation : Computation {
    bool opened = false;  // the file was read
    // Why these results cannot be taken, as its box shows it: rejection() when the calculation
    // ran, else the box that stopped the user's steps before it; nothing for results that can.
    std::optional<std::string> reasonNotTaken() const;
    // The stored derived values of the file as opened that differ from the ones its other texts
    // give (derivedValueNotes): the windows compute with the stored one too, until the
    // parameters window is shown again.
    std::vector<std::string> notes;
};

// "Open" of the parameters window with the file ("-" reads standard input); false when it was
// refused or could not be read, which is reported.
bool openFile(ParameterSet& parameters, const std::string& fileName, Messages& messages,
              Waiting waiting = Waiting::Never);

// What a user does in the windows, from start-up: opens the parameters window (its show rule
// derives the natural area and the runoff modulus from the initial texts), opens the file,
// closes the window (its closing checks) and presses "Расчет" (the calculation, then the check
// of the load against its natural part).  A file that cannot be read stops there; a failed
// closing check is reported and the calculation still runs, reporting its own failure.
// The file name "-" reads standard input.  A pipe given as the file is waited for only when
// asked, as the command line asks (see Waiting).
FileCalculation calculateFile(const std::string& fileName, Waiting waiting = Waiting::Never);

// Texts a user types into the parameters window once the file is open, worked out from the
// texts as opened.  Throws Failure when they cannot be.
using ChangesAfterOpen = std::function<std::vector<ParameterChange>(const ParameterTexts& opened)>;

// The same, with the changes typed in after "Open" and before the window is closed: a catchment
// whose inflow from outside is the load of the catchments upstream.  Changes that cannot be
// worked out are reported as a failure and stop the calculation there.
FileCalculation calculateFile(const std::string& fileName, const ChangesAfterOpen& changesAfterOpen,
                              Waiting waiting = Waiting::Never);

}  // namespace nutrient
