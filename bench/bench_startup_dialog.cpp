// The yardstick of the start-up benchmark: a bare Qt dialog of the main window's size, built
// and shown the way the program builds and shows its main window, ending after its first paint.

#include "bench_startup_first_paint.h"

#include <QApplication>
#include <QDialog>

int main(int, char** argv) {
    int argc = 1;
    char* arguments[] = {argv[0], nullptr};
    QApplication application(argc, arguments);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Dialog"));
    dialog.setFixedSize(427, 392);
    dialog.show();
    new QuitAfterFirstPaint(dialog);
    return application.exec();
}
