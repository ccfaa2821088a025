#pragma once
// Everything the model has to tell the user goes through this one seam: the windows
// implement it with message boxes, the tests with a recorder.

#include <stdexcept>
#include <string>

namespace nutrient {

// A conversion, floating-point or file failure.  It aborts the operation that raised it;
// what() is the exact text the user is shown.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Messages {
public:
    virtual ~Messages() = default;
    // A plausibility warning: warning icon, title "Warning", one OK.
    virtual void warning(const std::string& text) = 0;
    // The L < Lnat check of the results: error icon, title "Error", one OK.
    virtual void error(const std::string& text) = 0;
    // A Failure caught at the edge of a handler: stop icon, the program's title.
    virtual void failure(const std::string& text) = 0;
};

}  // namespace nutrient
