#include "ui/window_picture.h"

#include "model/file_system.h"
#include "model/messages.h"
#include "ui/file_dialogs.h"
#include "ui/pdf_document.h"
#include "ui/window_parts.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QWidget>

namespace nutrient {

namespace {

constexpr int kPngScale = 2;
constexpr int kScreenDotsPerInch = 96;

// The window drawn as it stands, its background under the control left out.
void paintWindow(QPainter& painter, QWidget& window, const QWidget& leftOut) {
    painter.fillRect(window.rect(), window.palette().window());
    const QRect hidden(leftOut.mapTo(&window, QPoint(0, 0)), leftOut.size());
    window.render(&painter, QPoint(0, 0), QRegion(window.rect()).subtracted(hidden));
}

QByteArray png(QWidget& window, const QWidget& leftOut) {
    QImage image(window.size() * kPngScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kPngScale);
    {
        QPainter painter(&image);
        paintWindow(painter, window, leftOut);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pdf(QWidget& window, const QWidget& leftOut) {
    const PdfLayout layout{
        QPageSize(QSizeF(window.size()) / kScreenDotsPerInch, QPageSize::Inch, QString(), QPageSize::ExactMatch),
        kScreenDotsPerInch, window.windowTitle(), QString()};
    return pdfDocument(layout, [&](QPdfWriter& writer) {
        QPainter painter(&writer);
        paintWindow(painter, window, leftOut);
    });
}

}  // namespace

QByteArray windowPicture(QWidget& window, const QWidget& leftOut, bool asPdf) {
    return asPdf ? pdf(window, leftOut) : png(window, leftOut);
}

void addSavePictureAction(QWidget& window, const QWidget& leftOut, FileDialogs& dialogs, Messages& messages) {
    addWindowAction(window, QStringLiteral("Сохранить изображение…"), {}, [&window, &leftOut, &dialogs, &messages] {
        guarded(messages, [&] {
            const QString name = dialogs.pictureFileName(&window);
            if (name.isEmpty()) return;
            const QByteArray bytes =
                windowPicture(window, leftOut, name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive));
            replaceFile(name.toStdString(), std::string_view(bytes.constData(), bytes.size()));
        });
    });
}

}  // namespace nutrient
