#pragma once
// Parameter sets on disk: 40 lines in file order, CR LF, Windows-1251, each line the field's
// text exactly as it stands.

#include "file_system.h"
#include "parameter_set.h"

#include <optional>
#include <string>
#include <string_view>

namespace nutrient {

// The file-name rule of saving: ".txt" is appended unless the fourth character from the end
// is a dot (a name shorter than four characters has none, so it gets ".txt").
std::string withTextExtension(const std::string& fileName);
// True when the name ends in "txt" (case-sensitive).
bool hasTextExtension(std::string_view fileName);

// Applies the file-name rule to fileName; warns, writes nothing and returns nothing when the
// name does not end in "txt", else writes the set, which then counts as unchanged, and returns
// the name written.  The file is replaced atomically: a failed save leaves the previous file as
// it was.  Throws Failure with the I/O error text ("File not found", "File access denied", ...),
// and writes nothing that would be too large to load.
std::optional<std::string> saveParameters(ParameterSet& parameters, const std::string& fileName, Messages& messages);

// Warns and changes nothing when the name does not end in "txt"; throws Failure (and changes
// nothing) when the file cannot be read; else assigns the 40 lines in file order, each an
// ordinary change firing the change rules, missing lines read as empty texts.  The texts as
// opened count as unchanged.  A pipe is waited for only when asked (see Waiting).
void loadParameters(ParameterSet& parameters, const std::string& fileName, Messages& messages,
                    Waiting waiting = Waiting::Never);
// The same for a parameters file given on standard input, which has no name to check.
void loadParametersFromStandardInput(ParameterSet& parameters);

}  // namespace nutrient
