// Saves the standard set under the name given, from a process of its own: the file tests run it
// as another user (through setpriv) and as a program whose own file is the target.  Prints the
// failure and exits with 1 when the save fails.

#include "model/parameters_file.h"
#include "recorder.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s file\n", argv[0]);
        return 2;
    }
    Recorder recorder;
    nutrient::ParameterSet parameters(recorder);
    parameters.applyStandard();
    try {
        nutrient::saveParameters(parameters, argv[1], recorder);
    } catch (const nutrient::Failure& failure) {
        std::puts(failure.what());
        return 1;
    }
    return 0;
}
