#include "ui/analysis_parts.h"

#include "ui/window_parts.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace nutrient {

QLabel* makeNote(QWidget* parent, const QString& objectName, const QString& text) {
    QLabel* note = makeLabel(parent, text, QFont(), Qt::AlignLeft | Qt::AlignTop, {}, objectName);
    note->setWordWrap(true);
    return note;
}

void setNoteColour(QLabel* note, const QColor& colour) {
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, colour);
    note->setPalette(palette);
}

QLineEdit* makeNumberField(QWidget* parent, const QString& objectName, int width) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(width);
    return field;
}

void markUnreadable(QLineEdit* field, bool unreadable) {
    field->setStyleSheet(unreadable ? QStringLiteral("QLineEdit { background: #ffd9d9; }") : QString());
}

void setTableCell(QTableWidget* table, int row, int column, const QString& text, bool heading) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    if (heading) {
        QFont font = table->font();
        font.setBold(true);
        item->setFont(font);
        item->setTextAlignment(Qt::AlignCenter);
        item->setBackground(QColor(0xEE, 0xEE, 0xEE));
    }
    table->setItem(row, column, item);
}

}  // namespace nutrient
