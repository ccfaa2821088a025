#pragma once
// The analyses as texts that leave the program, shared by the command line and the windows: a
// table a person reads, CSV (RFC 4180, UTF-8, CR LF) and JSON, each naming the file the
// catchment came from.  Every figure appears as the analysis shows it; a figure that does not
// exist (a result a stopped calculation did not reach, the rows of a rejected variant) is an
// empty CSV field and a JSON null.

#include "batch.h"
#include "sensitivity.h"
#include "target_search.h"

#include <string>
#include <vector>

namespace nutrient {

// A scenario: the changed parameters, then the 13 results of each nutrient as baseline,
// scenario, change and change in per cent.  The CSV has the columns file, object, case, then the
// results keyed as --calculate's CSV, with the records baseline, variant, change and change %.
// The JSON is one object: file, object, baseline and variant (the result texts), changed (each
// changed parameter's symbol and new text) and rejected (why the baseline's or the variant's
// results cannot be taken, or null).
std::string scenarioOutput(OutputFormat format, const std::string& fileName, const Scenario& scenario);

// Target searches of one catchment, one per nutrient: each with the target, the levers, the
// verdict and its scenario at the cut.  The CSV adds the columns nutrient, target, levers,
// verdict, cut, removed and reason before the scenario's case; the JSON is an array of the
// scenario's objects with the same keys added.
std::string targetOutput(OutputFormat format, const std::string& fileName, const std::vector<TargetSearch>& searches);

// The sensitivity table, P then N, each ranked, then the parameters skipped as zero.  CSV and
// JSON have one row per parameter and nutrient: parameter (the symbol of the parameters table),
// nutrient, step, low, high, swing, elasticity, rejected (the reason, or empty / null) and
// skipped.
std::string sensitivityOutput(OutputFormat format, const std::string& fileName, const SensitivityTable& table);

}  // namespace nutrient
