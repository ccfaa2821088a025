#include "ui/analysis_parts.h"

#include "ui/window_parts.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace nutrient {

QTableWidget* makeFigureTable(QWidget* parent, const char* objectName, const QStringList& headings) {
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    table->setObjectName(QString::fromLatin1(objectName));
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setTextElideMode(Qt::ElideMiddle);
    table->setWordWrap(false);
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    return table;
}

void setFigureRows(QTableWidget& table, const std::vector<QStringList>& rows) {
    table.clearContents();
    table.setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            auto* item = new QTableWidgetItem(rows[row].value(column));
            item->setTextAlignment(Qt::AlignVCenter | (column == 0 ? Qt::AlignLeft : Qt::AlignRight));
            if (column == 0) item->setToolTip(item->text());
            table.setItem(row, column, item);
        }
    }
}

int wholeTableHeight(const QTableWidget& table) {
    return table.verticalHeader()->defaultSectionSize() * table.rowCount() +
           table.horizontalHeader()->sizeHint().height() + 2 * table.frameWidth();
}

QLabel* makeWrappedLabel(QWidget* parent, const QString& text, const QFont& font, const QString& objectName) {
    QLabel* label = makeLabel(parent, text, font, Qt::AlignLeft | Qt::AlignTop, {}, objectName);
    label->setWordWrap(true);  // which makes its height follow its width
    QSizePolicy policy = label->sizePolicy();
    policy.setVerticalPolicy(QSizePolicy::Minimum);
    label->setSizePolicy(policy);
    return label;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
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

}  // namespace nutrient
