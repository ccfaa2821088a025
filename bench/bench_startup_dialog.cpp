// The yardstick of the start-up benchmark: a bare Qt dialog of the main window's size, in the
// application set up exactly as the program sets it up, shown the way the program shows its
// main window, ending after its first paint.

#include "bench_startup_first_paint.h"
#include "ui/program.h"

#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
    return nutrient::runInApplication(argc, argv, [] {
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Dialog"));
        dialog.setFixedSize(427, 392);
        dialog.show();
        new QuitAfterFirstPaint(dialog);
        return QApplication::exec();
    });
}
