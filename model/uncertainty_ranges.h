#pragma once
// How far each parameter of a catchment may be off: the ranges an uncertainty analysis draws
// its values from, as the user gives them in a table or keeps them in a CSV file
// "parameter,low,high,distribution".

#include "parameter_set.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// Uniform: every value between the ends as likely.  Triangular: the set's own value the most
// likely, falling off linearly to the ends.
enum class Distribution { Uniform, Triangular };

// "uniform", "triangular".
const char* distributionName(Distribution distribution);
// As tables and the window show it: "равномерное", "треугольное".
const char* distributionCaption(Distribution distribution);
std::optional<Distribution> distributionNamed(std::string_view name);

// One parameter's range as the user gives it: each end a number ("190") or a signed percentage
// of the parameter's value ("-10%", "+20%").  A parameter without a range keeps its value.
struct UncertaintyRange {
    Parameter parameter;
    std::string low;
    std::string high;
    Distribution distribution;
    bool operator==(const UncertaintyRange&) const = default;
};

// A range with its ends as numbers, for the set it is drawn on.
struct ResolvedRange {
    Parameter parameter;
    Distribution distribution;
    long double low;
    long double high;
    long double mode;  // the set's value
};

// Every numeric parameter but the two the parameters window derives from the others (the
// natural area and the runoff modulus): their ranges come from those of their inputs.
bool canBeRanged(Parameter parameter);
// Throws Failure saying why a parameter cannot be ranged.
void checkCanBeRanged(Parameter parameter);

// An end as a number: a percentage p of the value is the text the value changed by p percent
// (general format) gives.  Throws Failure naming the text that is neither a number nor a signed
// percentage.
long double rangeEnd(std::string_view end, const std::string& valueText);

// The range's ends and mode on the set's texts (after the show rule).  Throws Failure: a
// parameter that cannot be ranged, an end or the value that is not a number, the low end above
// the high one, a triangular range that does not hold the value, ends too far apart to draw
// between.
ResolvedRange resolveRange(const UncertaintyRange& range, const ParameterTexts& texts);
// Every range so, in order.  Throws Failure naming the parameter of the first it refuses
// ("b(P): the low end ...").
std::vector<ResolvedRange> resolveRanges(const std::vector<UncertaintyRange>& ranges, const ParameterTexts& texts);

// The ranges of a CSV file's text, in file order, each checked against the set's texts.
// Throws Failure naming the line (and the field) of the first fault: a header other than
// "parameter,low,high,distribution", a record without four fields, an unknown parameter or one
// that cannot be ranged, a second range of a parameter, an end that is not a number, an unknown
// distribution, and whatever resolveRange refuses.
std::vector<UncertaintyRange> readRanges(std::string_view csv, const ParameterTexts& texts);
// The same from a file, within the read limit.
std::vector<UncertaintyRange> loadRanges(const std::string& fileName, const ParameterTexts& texts);

// The ranges as such a file holds them: UTF-8, CR LF after each record, the header first.
std::string rangesCsv(const std::vector<UncertaintyRange>& ranges);

}  // namespace nutrient
