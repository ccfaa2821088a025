#pragma once
// How the program's windows are shown: modally through one seam that tests can make
// non-blocking, centred on the screen, and built the first time they are shown.

#include <QDialog>

class QPushButton;

namespace nutrient {

// exec() in the program; in tests (after setModalShowingForTests(true)) a non-blocking
// modal show(), so the test can look at the window and close it.
void showModal(QDialog& dialog);
void setModalShowingForTests(bool nonBlocking);

// Moves the window so that its frame stands in the middle of its screen's free area.
void centreOnScreen(QWidget& window);

// A window created at start-up whose controls are built only when it is first shown: all
// windows exist for the whole run, but the user pays for laying out a window's controls and
// loading its fonts and pictures only when opening it.  Its texts live in the model objects,
// so a window built late shows the same texts as one built early.
// The close button of a dialog window: the close glyph, the toolkit's standard "&Close",
// closing `window` (so its close handler runs).  Named BitBtn1, as in every window.
QPushButton* makeCloseButton(QDialog& window, QWidget* parent);

class LazyDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // Builds the controls now if that has not happened yet (tests that look at them before
    // showing the window).
    void ensureBuilt();
    void setVisible(bool visible) override;

protected:
    // Creates the window's controls; called once.
    virtual void build() = 0;

private:
    bool built_ = false;
};

}  // namespace nutrient
