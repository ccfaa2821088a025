#include "ui/pdf_document.h"

#include <QBuffer>
#include <QPdfWriter>

namespace nutrient {

QByteArray pdfDocument(const PdfLayout& layout, const std::function<void(QPdfWriter&)>& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        if (layout.resolution > 0) writer.setResolution(layout.resolution);
        writer.setPageSize(layout.pageSize);
        writer.setPageMargins(QMarginsF());
        writer.setTitle(layout.title);
        if (!layout.creator.isEmpty()) writer.setCreator(layout.creator);
        paint(writer);
    }
    return bytes;
}

}  // namespace nutrient
