#pragma once
// The message boxes of the program, and the guard that stands at the edge of every handler.

#include "model/messages.h"

#include <QString>

class QWidget;

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

// The text of a failure box: a final "." is appended when the message's last character
// sorts after ".".
QString failureBoxText(const std::string& message);

// Runs a handler body; a Failure raised inside it stops the body and is reported through
// messages.failure.  Returns false when the body failed.  Nothing crosses the event loop.
template <class Body>
bool guarded(Messages& messages, Body&& body) {
    try {
        body();
        return true;
    } catch (const Failure& failure) {
        messages.failure(failure.what());
        return false;
    }
}

}  // namespace nutrient
