// Makes the square application icon of one size from the emblem: the emblem is wider than it
// is tall, so it is centred on a transparent square first and only then scaled, which keeps
// its proportions.
//   make_icon <emblem.png> <size> <out.png>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_icon <emblem.png> <size> <out.png>\n");
        return 2;
    }
    const QImage emblem(QString::fromLocal8Bit(argv[1]));
    const int size = std::atoi(argv[2]);
    if (emblem.isNull() || size <= 0) {
        std::fprintf(stderr, "make_icon: cannot read %s or bad size %s\n", argv[1], argv[2]);
        return 1;
    }
    const int side = std::max(emblem.width(), emblem.height());
    QImage square(side, side, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    QPainter(&square).drawImage((side - emblem.width()) / 2, (side - emblem.height()) / 2, emblem);
    const QImage icon = square.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return icon.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
