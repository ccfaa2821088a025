#pragma once
// Pieces the analysis pages are made of: tables of figures, texts wrapped into lines in a
// colour (the help, a verdict, the red lines that name bad input while the user types), and
// fields of numbers tinted while their text cannot be read.

#include <QColor>
#include <QFont>
#include <QStringList>

#include <vector>

class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace nutrient {

// A read-only table of figures: the first column names the row and takes the room the figures
// leave (a long caption shortened in its middle, so that the symbol at its end stays, and whole
// in its tooltip), the figures stand right-aligned.
QTableWidget* makeFigureTable(QWidget* parent, const char* objectName, const QStringList& headings);

// Replaces the table's rows by these.
void setFigureRows(QTableWidget& table, const std::vector<QStringList>& rows);

// The height that shows every row without scrolling.
int wholeTableHeight(const QTableWidget& table);

// A text wrapped into lines at the label's width, always as tall as its lines, whatever the
// figures beside it would take.
QLabel* makeWrappedLabel(QWidget* parent, const QString& text, const QFont& font, const QString& objectName);

// The colour of a label's text: the help in grey, a problem in red.
void setTextColour(QLabel* label, const QColor& colour);
inline const QColor kHelpColour(0x40, 0x40, 0x40);
inline const QColor kProblemColour(0xC0, 0x10, 0x10);

// A short field for a number, right-aligned.
QLineEdit* makeNumberField(QWidget* parent, const QString& objectName, int width);
// A field whose text cannot be read is tinted until it can.
void markUnreadable(QLineEdit* field, bool unreadable);

}  // namespace nutrient
