#pragma once
// A retention common to a basin, fitted to the loads measured at its sub-catchments' outlets.
// The method's transport share Rt = 1 / (a·HL^b + 1) makes ln(1/Rt − 1) = ln a + b·ln HL a
// straight line in ln HL; a least-squares line through the outlets' measured shares gives a
// and b for every sub-catchment alike.

#include "basin.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace nutrient {

// An outlet with a measured load, and what the fit made of it.
struct FittedOutlet {
    std::size_t row;
    std::string transportShare;  // Rt_obs with five decimals; empty when it could not be worked out
    std::string leftOut;         // why the outlet is not in the fit; empty when it is
    std::string fittedLoad;      // L recomputed with the fitted a and b; empty without it
    std::string residual;        // (fitted L − Lobs) / Lobs in %, one decimal, "+" when above
    std::string refitFailure;    // why L could not be recomputed with the fit, as its box shows it
};

struct RetentionFit {
    Nutrient nutrient;
    std::vector<FittedOutlet> outlets;  // every row with a measured load of the nutrient, in file order
    std::string refusal;                // why there is no fit; empty when there is one
    std::string a, b;                   // general format, as a parameters file holds them
    std::string rSquared;               // four decimals
    bool fitted() const { return refusal.empty(); }
};

// Per nutrient, P first; nothing for a nutrient no row has a measured load of.
using RetentionFits = std::array<std::optional<RetentionFit>, 2>;

// Outlets whose row was not computed, or whose Rt_obs is not strictly between 0 and 1, are left
// out with their reason; the fit needs three outlets at different hydraulic loads (the
// calculation's own HL).  Each outlet's inflow is the one the cascade computed it with.
RetentionFits fitRetention(const Basin& basin, const BasinComputation& computed);

// A new parameters file written by "Apply".
struct FitFile {
    std::size_t row;
    std::string fileName;           // the name written; empty when nothing was
    std::vector<Message> messages;  // the boxes of opening and saving, in order
};

// "Apply": every row's file opened as "Open" opens it, the fitted a and b of each fitted
// nutrient typed in, and saved beside the basin file under a new name, "<name>-fit.txt" or,
// when that is taken, "<name>-fit-2.txt" and on: never over an existing file or a row's file.
std::vector<FitFile> applyRetentionFit(const Basin& basin, const RetentionFits& fits);

}  // namespace nutrient
