// What any text costs at start-up: the bare dialog of the yardstick with one line of the main
// window's text on it.  The first text painted loads the font configuration, a font face, its
// shaping and its glyphs; the gap between this dialog and the bare one is the part of the
// program's start-up that no window with text can avoid.

#include "bench_startup_first_paint.h"
#include "ui/program.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char** argv) {
    return nutrient::runInApplication(argc, argv, [] {
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Dialog"));
        dialog.setFixedSize(427, 392);
        QLabel line(QString::fromUtf8("Программа предназначена "), &dialog);
        QFont font = line.font();
        font.setPixelSize(12);
        font.setBold(true);
        line.setFont(font);
        line.setGeometry(18, 28, 389, 18);
        dialog.show();
        new QuitAfterFirstPaint(dialog);
        return QApplication::exec();
    });
}
