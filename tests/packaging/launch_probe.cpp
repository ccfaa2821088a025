// Stands in for nutrient-load behind its launchers: it takes the decimal separator from the
// environment as the program does, computes the file it is handed as "Open" and "Расчет" do,
// and prints each message, then the load on the water body, L(P) and L(N).
//   launch_probe FILE

#include "model/file_calculation.h"
#include "ui/windowless.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: launch_probe FILE\n");
        return 2;
    }
    using nutrient::Nutrient;
    using nutrient::Quantity;
    nutrient::takeRegionalSeparators();
    const nutrient::FileCalculation calculation = nutrient::calculateFile(argv[1]);
    for (const nutrient::Message& message : calculation.messages) std::printf("%s\n", message.text.c_str());
    if (!calculation.computed) return 1;
    std::printf("L %s %s\n", calculation.results.text(Quantity::L, Nutrient::P).c_str(),
                calculation.results.text(Quantity::L, Nutrient::N).c_str());
    return 0;
}
