// The program's start-up as the user gets it, up to the first painted main window: exactly
// what main() does, then the event loop ends after that first paint.

#include "bench_startup_first_paint.h"
#include "ui/program.h"

int main(int argc, char** argv) {
    return nutrient::runProgram(argc, argv, [](QWidget& mainWindow) { new QuitAfterFirstPaint(mainWindow); });
}
