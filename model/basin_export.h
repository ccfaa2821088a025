#pragma once
// A basin's results as texts that leave the program: a table a person reads, CSV and JSON, with
// the boxes of its rows' files as the command line writes them.  Every text is the one the
// computation holds; a figure that was not computed is empty (null in JSON).

#include "basin.h"
#include "batch.h"
#include "retention_fit.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace nutrient {

// What a row drains into when it drains straight into the water body.
inline constexpr const char* kWaterBodyCaption = "водный объект";

// A basin computed, with its retention fit where it has measured loads.
struct BasinAnalysis {
    Basin basin;
    BasinComputation computed;
    RetentionFits fits;
};
BasinAnalysis analyseBasin(Basin basin);

// Per nutrient the rows (line, file, what it drains into, A, L, Lnat, M, then the row figures
// with the headings of kRowFigures), the basin's totals and pie, and the fit with each outlet;
// then the units and the reasons of the rows that were not computed.
std::string basinTable(const BasinAnalysis& analysis);

// RFC 4180, UTF-8, CR LF: a header, one record per row in file order (line, file, drains_into,
// status, reason, object, the 26 results keyed as the command line's CSV, A, the row figures,
// the measured load and the fit's outlet figures, each per nutrient), then one record with the
// status "total": the area in A, the load on the water body in L, the natural component in
// Lnat, the modulus in M, and the fitted a, b and R².
std::string basinCsv(const BasinAnalysis& analysis);

// One object: "rows" (each with "line", "file" as written, "drains_into", "status", "reason",
// "object", the 26 results under "results", "figures" keyed as the CSV columns, "pie",
// "observed" and "messages"), "totals" (null without them) with "totals_missing", and "fit"
// per nutrient (null without measured loads).
std::string basinJson(const BasinAnalysis& analysis);

// The boxes of each row's file in file order, one line "FILE: text" each with FILE as the
// basin file writes it, as the command line writes the boxes of its files; a row not computed
// gets one line with the reason.
std::string basinMessages(const BasinAnalysis& analysis);

// kExitAllComputed when every row was computed and its results can be taken, else
// kExitSomeFailed.
int basinExitStatus(const BasinComputation& computed);

// The command line's basin: reads the basin file, computes it and writes the results in the
// format to `results` and the boxes to `messages`.  A basin file that is refused writes each of
// its problems as "BASIN: text" and returns kExitSomeFailed.  The computed basin is then handed
// to `computed`, when given (a refused file has none).
int calculateBasin(const std::string& basinFileName, OutputFormat format, std::ostream& results, std::ostream& messages,
                   const std::function<void(const BasinAnalysis&)>& computed = {});

// The figures of a row beyond its results, in the order of the table's and the files' columns.
enum class RowFigure { Upstream, OwnExport, OwnModulus, Share, Rank };
struct RowFigureInfo {
    RowFigure figure;
    const char* key;      // in CSV and JSON, with the nutrient: "own_modulus(P)"
    const char* heading;  // in the table
};
inline constexpr std::array<RowFigureInfo, 5> kRowFigures = {{
    {RowFigure::Upstream, "upstream", "Приток сверху"},
    {RowFigure::OwnExport, "own_export", "Собств. вынос"},
    {RowFigure::OwnModulus, "own_modulus", "Собств. модуль"},
    {RowFigure::Share, "share", "Доля, %"},
    {RowFigure::Rank, "rank", "Ранг"},
}};
// A row's figure as a text; empty where the row has none.
std::string rowFigureText(const OwnFigures& own, RowFigure figure);

// The columns of a basin's rows for one nutrient, as the table, the basin window and its report
// show them; text columns stand left, numbers right.
enum class RowColumn { Line, File, DrainsInto, Area, L, Lnat, M, Upstream, OwnExport, OwnModulus, Share, Rank };
struct RowColumnInfo {
    RowColumn column;
    const char* heading;
    bool text;
};
inline constexpr std::array<RowColumnInfo, 12> kRowColumns = {{
    {RowColumn::Line, "Строка", false},
    {RowColumn::File, "Файл", true},
    {RowColumn::DrainsInto, "Впадает в", true},
    {RowColumn::Area, "A, км²", false},
    {RowColumn::L, "L", false},
    {RowColumn::Lnat, "Lnat", false},
    {RowColumn::M, "M с притоком", false},
    {RowColumn::Upstream, kRowFigures[0].heading, false},
    {RowColumn::OwnExport, kRowFigures[1].heading, false},
    {RowColumn::OwnModulus, kRowFigures[2].heading, false},
    {RowColumn::Share, kRowFigures[3].heading, false},
    {RowColumn::Rank, kRowFigures[4].heading, false},
}};
// A row's cell as written; empty where the row has no figure (a row not computed has only its
// line, file and what it drains into).
std::string rowCell(const BasinAnalysis& analysis, std::size_t row, Nutrient nutrient, RowColumn column);

// The columns of a retention fit's outlets, as the table, the window and the report show them.
enum class OutletColumn { Line, File, Observed, TransportShare, FittedLoad, Residual, Note };
struct OutletColumnInfo {
    OutletColumn column;
    const char* heading;
    bool text;
};
inline constexpr std::array<OutletColumnInfo, 7> kOutletColumns = {{
    {OutletColumn::Line, "Строка", false},
    {OutletColumn::File, "Файл", true},
    {OutletColumn::Observed, "Lobs", false},
    {OutletColumn::TransportShare, "Rt_obs", false},
    {OutletColumn::FittedLoad, "L при a и b", false},
    {OutletColumn::Residual, "Отклонение, %", false},
    {OutletColumn::Note, "Примечание", true},
}};
// An outlet's cell of the fit of a nutrient; the note says why it is left out or could not be
// recomputed.
std::string outletCell(const BasinAnalysis& analysis, const FittedOutlet& outlet, Nutrient nutrient,
                       OutletColumn column);

}  // namespace nutrient
