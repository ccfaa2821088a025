#pragma once
// How the program's windows are shown: modally through one seam that tests can make
// non-blocking, centred on the screen, built the first time they are shown and refreshed from
// the model every time.

#include <QDialog>

namespace nutrient {

class Messages;

// exec() in the program; in tests (after setModalShowingForTests(true)) a non-blocking
// modal show(), so the test can look at the window and close it.
void showModal(QDialog& dialog);
void setModalShowingForTests(bool nonBlocking);

// A window created at start-up whose controls are built only when it is first shown: all
// windows exist for the whole run, but the user pays for laying out a window's controls and
// loading its fonts and pictures only when opening it.  Its texts live in the model objects,
// so a window built late shows the same texts as one built early.
//
// Every showing (not a window restored by the window system) centres the window on its screen
// and runs refresh(); a Failure raised there is reported through `messages` and the window
// still opens.
class LazyDialog : public QDialog {
    Q_OBJECT
public:
    // `messages` may be null for a window whose refresh cannot fail.
    explicit LazyDialog(Messages* messages, QWidget* parent = nullptr);

    // Builds the controls now if that has not happened yet (tests that look at them before
    // showing the window).
    void ensureBuilt();
    void setVisible(bool visible) override;

    // What a showing does after the window is built: brings the controls up to date with the
    // model.  Nothing by default.
    virtual void refresh() {}

protected:
    // Creates the window's controls; called once.
    virtual void build() = 0;
    void showEvent(QShowEvent* event) override;

private:
    Messages* messages_;
    bool built_ = false;
};

}  // namespace nutrient
