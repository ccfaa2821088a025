#pragma once
// Pieces the analysis window's pages are made of: the help line at a page's top, the red lines
// that name bad input while the user types, fields of numbers tinted while their text cannot be
// read, and the cells of read-only tables.

#include <QColor>
#include <QString>

class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace nutrient {

// A wrapped line of text in a colour: the help, a verdict, a problem.
QLabel* makeNote(QWidget* parent, const QString& objectName, const QString& text = {});
void setNoteColour(QLabel* note, const QColor& colour);
inline const QColor kHelpColour(0x40, 0x40, 0x40);
inline const QColor kProblemColour(0xC0, 0x10, 0x10);

// A short field for a number, right-aligned.
QLineEdit* makeNumberField(QWidget* parent, const QString& objectName, int width);
// A field whose text cannot be read is tinted until it can.
void markUnreadable(QLineEdit* field, bool unreadable);

// A read-only cell: a text on the left in the first column, a figure on the right in the others;
// a heading bold, centred and shaded.
void setTableCell(QTableWidget* table, int row, int column, const QString& text, bool heading = false);

}  // namespace nutrient
