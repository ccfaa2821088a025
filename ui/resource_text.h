#pragma once
// The texts built into the program (the help, the method description).

#include <QString>

namespace nutrient {

// The text of a resource file, UTF-8, without the line end of its last line.  Throws Failure
// when the program was built without it.
QString resourceText(const QString& resource);

}  // namespace nutrient
