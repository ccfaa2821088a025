#pragma once
// Pieces every window of the program is made of: its place on the screen, the sunken panels,
// fonts of a pixel size, and the close button.

#include <QFont>
#include <QRect>

class QDialog;
class QFrame;
class QPushButton;
class QWidget;

namespace nutrient {

// Moves the window so that its frame stands in the middle of its screen's free area.
void centreOnScreen(QWidget& window);

// A sunken bevelled panel; the object name and geometry only when given.
QFrame* sunkenPanel(QWidget* parent, const char* objectName = nullptr, const QRect& geometry = {});

// The application's font at a size in pixels.
QFont pixelFont(int pixels, bool bold = false, bool italic = false);

// The close button of a dialog window: the close glyph, the toolkit's standard "&Close",
// closing `window` (so its close handler runs).  Its object name is "BitBtn1", as in every window.
QPushButton* makeCloseButton(QDialog& window, QWidget* parent);

}  // namespace nutrient
