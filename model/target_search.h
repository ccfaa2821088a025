#pragma once
// A reduction target: the smallest cut of some levers, moved together, for which the displayed
// load on the water body of one nutrient is at most the target.  The cut is a multiple of
// 0.01 % and goes through the same decimal text as a scenario's percentage, so the scenario
// "LEVER=-30.77" gives exactly the texts of a cut of 30.77 %.

#include "scenario.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// A target load on the water body, t/yr, as the user gave it.
struct Target {
    Nutrient nutrient;
    std::string text;
    bool operator==(const Target&) const = default;
};

// A target's load: a number, not negative.  Throws Failure naming `piece` otherwise.
long double targetLoad(std::string_view text, std::string_view piece);
// "P=T[,N=T]", as --target takes it, each nutrient at most once.  Throws Failure naming the
// bad piece.
std::vector<Target> parseTargets(std::string_view text);

enum class TargetVerdict {
    Reached,       // at the cut
    AlreadyMet,    // by the baseline, a cut of 0
    Unreachable,   // not even at 100 %: the scenario shows the least load the levers allow
    BelowNatural,  // the target is below the baseline's natural component: no search
    Rejected,      // the results at the cut cannot be taken (the calculation stopped, or L < Lnat)
};

// A cut in hundredths of a per cent, 0 ... 10000.
inline constexpr int kWholeCut = 10000;

struct TargetSearch {
    Target target;
    std::vector<LeverChoice> levers;
    TargetVerdict verdict;
    std::optional<int> cut;  // none below the natural component
    // The variant at the cut (at 100 % when unreachable); the baseline beside itself when no cut
    // is made.
    Scenario scenario;

    // Why the results at the cut cannot be taken; nothing unless rejected.
    std::optional<std::string> reason() const;
    // How much the variant's displayed L is below the baseline's, t/yr: for an unreachable
    // target, the most the levers remove.  Empty when no cut was made or its results cannot be
    // taken: that is no reduction.
    std::string removedLoad() const;
};

// The cut's text with two decimals: 3077 -> "30.77".
std::string cutText(int hundredths);

// Bisection over the 0.01 % grid on the exact calculation.  The answer is the smallest grid
// point found whose displayed L is at most the target, computed and checked.  Throws Failure for
// a target that is not a number or negative, and for a baseline whose results cannot be taken.
TargetSearch searchTarget(const Computation& baseline, const Target& target, const std::vector<LeverChoice>& levers);

// The verdict's name in files: "reached", "already-met", "unreachable", "below-natural",
// "rejected".
const char* verdictName(TargetVerdict verdict);
// The verdict in words, for the window and the tables: "Цель достигнута при сокращении на
// 30.77 %: L(P) = 1999.7 т/год".
std::string verdictText(const TargetSearch& search);

}  // namespace nutrient
