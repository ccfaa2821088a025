#pragma once
// Pieces every window of the program is made of: its place on the screen, the sunken panels,
// fonts of a pixel size, labels and buttons, and the close button.

#include <QFont>
#include <QIcon>
#include <QKeySequence>
#include <QRect>
#include <QString>

#include <functional>

class QAction;
class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace nutrient {

// Moves the window so that its frame stands in the middle of its screen's free area.
void centreOnScreen(QWidget& window);

// A sunken bevelled panel; the object name and geometry only when given.
QFrame* sunkenPanel(QWidget* parent, const char* objectName = nullptr, const QRect& geometry = {});

// The application's font at a size in pixels.
QFont pixelFont(int pixels, bool bold = false, bool italic = false);

// A label of plain text in the font, aligned; named and placed only when given.  setUpLabel
// does the same for a label of a window's own kind.
QLabel* makeLabel(QWidget* parent, const QString& text, const QFont& font, Qt::Alignment alignment,
                  const QRect& geometry = {}, const QString& objectName = {});
QLabel* setUpLabel(QLabel* label, const QString& text, const QFont& font, Qt::Alignment alignment,
                   const QRect& geometry = {}, const QString& objectName = {});

// A push button with its object name, its text (with its accelerator letter) and a glyph;
// placed only when a geometry is given.
QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& text, const QIcon& glyph = {},
                        const QRect& geometry = {});

// An entry of the window's context menu (the right mouse button anywhere over it) with its
// shortcut, which works wherever the focus is in the window.
QAction* addWindowAction(QWidget& window, const QString& text, const QList<QKeySequence>& keys,
                         const std::function<void()>& handler);

// The analyses of the parameters as they stand, from the main window's and the results
// window's menus.
inline const QString kAnalysisAction = QStringLiteral("Анализ…");
inline const QList<QKeySequence> kAnalysisKeys = {QKeySequence(QStringLiteral("Ctrl+Shift+A"))};

// The close button of a dialog window: the close glyph, the toolkit's standard "&Close",
// closing `window` (so its close handler runs).  Its object name is "BitBtn1", as in every window.
QPushButton* makeCloseButton(QDialog& window, QWidget* parent);

}  // namespace nutrient
