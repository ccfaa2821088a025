#pragma once
// A variant of the catchment kept as a parameters file of its own, so that it can be opened and
// computed like any other: named in the parameters window's save dialog and written by its
// Save, but never over the parameters file the texts in the windows came from.

#include "model/parameter_set.h"

#include <QString>

#include <functional>

class QWidget;

namespace nutrient {

class FileDialogs;

// Where the analysis pages save their variants: the window's dialogs and boxes, and the
// parameters file the parameters as they stand were opened from or saved to (empty for none),
// which a variant never replaces.
struct VariantFiles {
    Messages& messages;
    FileDialogs& dialogs;
    std::function<QString()> openFile;

    // Asks for a name over `parent` and saves the texts there (".txt" appended as Save appends
    // it).  Returns the name written; empty when the user cancels or the save is refused or
    // fails, which is reported through `messages`.
    QString save(QWidget* parent, const ParameterTexts& texts) const;
};

}  // namespace nutrient
