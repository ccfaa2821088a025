#pragma once
// A variant of the catchment kept as a parameters file of its own, so that it can be opened and
// computed like any other: named in the parameters window's save dialog and written by its
// Save, but never over the parameters file the texts in the windows came from.

#include "model/parameter_set.h"

#include <QString>

class QWidget;

namespace nutrient {

class FileDialogs;

// Asks for a name over `parent` and saves the texts there (".txt" appended as Save appends it).
// `openFile` names the parameters file the parameters as they stand were opened from or saved
// to, empty for none: a variant is refused there.  Returns the name written; empty when the user
// cancels or the save is refused or fails, which is reported through `messages`.
QString saveVariantFile(QWidget* parent, const ParameterTexts& texts, FileDialogs& dialogs, Messages& messages,
                        const QString& openFile);

}  // namespace nutrient
