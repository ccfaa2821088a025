#include "ui/resource_text.h"

#include "model/messages.h"

#include <QFile>

namespace nutrient {

QString resourceText(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) throw Failure("Missing resource: " + resource.toStdString());
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

}  // namespace nutrient
