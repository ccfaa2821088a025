// The program's start-up as the user gets it, up to the first painted main window: exactly
// what main() does, then the event loop ends after that first paint.

#include "bench_startup_first_paint.h"
#include "ui/program.h"

int main(int, char** argv) {
    return nutrient::runProgram(argv[0], [](QWidget& mainWindow) { new QuitAfterFirstPaint(mainWindow); });
}
