// Any text typed into a field: parsing gives a finite number or the conversion error, and the
// texts the program writes for a number read back as (nearly) that number.

#include "model/messages.h"
#include "model/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace nutrient;

void require(bool condition) {
    if (!condition) std::abort();
}

// The written text must read back within `tolerance` of the value.
void requireReadsBack(const std::string& text, long double value, long double tolerance) {
    const long double back = parseNumber(text);
    require(std::isfinite(back) && std::fabs(back - value) <= tolerance);
}

void checkFixed(long double value, int decimals) {
    const std::string text = formatFixed(value, decimals);
    const auto point = text.find('.');
    require(point != std::string::npos && text.size() - point - 1 == static_cast<std::size_t>(decimals));
    // The largest extended value has an 18-digit decimal form just beyond the extended range,
    // so its fixed text cannot be read back: a conversion error, as for any oversized text.
    if (std::fabs(value) == LDBL_MAX) return;
    // Half a unit of the last decimal, plus the rounding to 18 significant digits.
    const long double tolerance = 0.5L * std::pow(10.0L, -decimals) * (1 + 1e-12L) + std::fabs(value) * 1e-17L;
    requireReadsBack(text, value, tolerance);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    long double value;
    try {
        value = parseNumber(text);
    } catch (const Failure&) {
        return 0;
    }
    require(std::isfinite(value));
    // 15 significant digits; denormal values carry fewer, so allow one of their steps.
    requireReadsBack(formatGeneral(value), value, std::fmax(std::fabs(value) * 1e-14L, LDBL_TRUE_MIN));
    checkFixed(value, 1);
    checkFixed(value, 2);
    return 0;
}
