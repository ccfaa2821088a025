#pragma once
// Pieces the analysis pages are made of: tables of figures and texts wrapped into lines.

#include <QFont>
#include <QStringList>

#include <vector>

class QLabel;
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

}  // namespace nutrient
