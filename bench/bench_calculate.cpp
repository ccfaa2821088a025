// Times one run of the load calculation on the standard catchment: parsing the parameter
// texts, formatting and re-reading the result texts, the transport coefficients.
// Prints the median time per call over batches and the number of calls.

#include "model/load_calculation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main() {
    nutrient::MessageLog log;
    nutrient::ParameterSet parameters(log);
    parameters.applyStandard();
    nutrient::LoadResults results;
    nutrient::TransportCoefficients coefficients;

    constexpr int kBatches = 51;
    constexpr int kCallsPerBatch = 2000;
    std::vector<double> microsecondsPerCall;
    for (int batch = 0; batch < kBatches; ++batch) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kCallsPerBatch; ++i) nutrient::calculate(parameters, results, coefficients);
        const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
        microsecondsPerCall.push_back(elapsed.count() / kCallsPerBatch);
    }
    std::sort(microsecondsPerCall.begin(), microsecondsPerCall.end());
    std::printf("calculate: median %.2f us per call (min %.2f, max %.2f) over %d calls; L(P) = %s\n",
                microsecondsPerCall[kBatches / 2], microsecondsPerCall.front(), microsecondsPerCall.back(),
                kBatches * kCallsPerBatch, results.text(nutrient::Quantity::L, nutrient::Nutrient::P).c_str());
    return 0;
}
