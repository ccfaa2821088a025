#pragma once
// The message boxes of the program.  The guard at the edge of every handler, guarded(), is
// in model/messages.h.

#include "model/messages.h"

namespace nutrient {

// Message boxes over the active window, each modal with one OK button; a question box has
// "Да" (the default), "Нет" and "Отмена" (also Esc and the box's frame).
class MessageBoxes : public Messages, public Questions {
public:
    void warning(const std::string& text) override;
    void error(const std::string& text) override;
    void failure(const std::string& text) override;
    Answer ask(const std::string& text) override;
};

}  // namespace nutrient
