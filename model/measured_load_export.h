#pragma once
// A check against a measured load as texts that leave the program: a table a person reads, CSV
// and JSON, each naming the file and the object as the results do.

#include "batch.h"
#include "measured_load.h"

#include <string>

namespace nutrient {

// The fitted coefficient, then per nutrient measured: the measured and the computed load, the
// deviation, Rt_obs and the fitted coefficient or the refusal; then the results recomputed
// with the fitted coefficients.
std::string measuredLoadTable(const std::string& fileName, const MeasuredLoadCheck& check);

// A header and one record per nutrient measured: file, object, nutrient, measured, the
// computed L, deviation_percent, rt_observed, the fitted parameter and its text, the refusal,
// then the 26 results recomputed (empty when nothing was fitted).
std::string measuredLoadCsv(const std::string& fileName, const MeasuredLoadCheck& check);

// One JSON object on one line: file, object, "fit" ("a" or "b"), "observed" with per nutrient
// "measured", "L", "deviation_percent", "rt_observed", "fitted" ({"parameter", "text"}) and
// "refusal" (null when absent), then "variant", the 26 results recomputed keyed as the CSV
// header, and "variant_rejection", why they cannot be taken (null both when nothing was fitted).
std::string measuredLoadJson(const std::string& fileName, const MeasuredLoadCheck& check);

// The check in a format of the command line: the table, the CSV (in a spreadsheet's dialect for
// csv-ru) or the JSON object on a line of its own.
std::string measuredLoadOutput(OutputFormat format, const std::string& fileName, const MeasuredLoadCheck& check);

}  // namespace nutrient
