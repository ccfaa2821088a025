#pragma once
// The message boxes of the program.  The guard at the edge of every handler, guarded(), is
// in model/messages.h.

#include "model/messages.h"

#include <QString>

class QWidget;

namespace nutrient {

// Message boxes over the active window, each modal with one OK button.
class MessageBoxes : public Messages {
public:
    void warning(const std::string& text) override;
    void error(const std::string& text) override;
    void failure(const std::string& text) override;
};

// The text of a failure box: a final "." is appended when the message's last character
// sorts after ".".
QString failureBoxText(const std::string& message);

}  // namespace nutrient
