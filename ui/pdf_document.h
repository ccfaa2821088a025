#pragma once
// PDF documents the program writes (the report, the pictures of its chart windows), painted
// whole into memory so that a file is only replaced once its new bytes are complete.

#include <QByteArray>
#include <QPageSize>
#include <QString>

#include <functional>

class QPdfWriter;

namespace nutrient {

struct PdfLayout {
    QPageSize pageSize;
    int resolution = 0;  // dots an inch of the painter's coordinates; 0 keeps the writer's own
    QString title;
    QString creator;  // empty: the writer's own
};

// The pages `paint` paints on the writer (newPage() between them), without margins.
QByteArray pdfDocument(const PdfLayout& layout, const std::function<void(QPdfWriter&)>& paint);

}  // namespace nutrient
