// Any basin file: reading it gives a clear refusal or a basin whose rows can be computed
// upstream first, each once, with nothing draining into a row that is not there.

#include "model/basin_file.h"
#include "model/messages.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void checkOrder(const nutrient::Basin& basin) {
    const std::size_t count = basin.rows.size();
    require(count > 0 && basin.downstream.size() == count && basin.upstreamFirst.size() == count);
    std::vector<std::size_t> place(count, count);
    for (std::size_t k = 0; k < count; ++k) {
        require(basin.upstreamFirst[k] < count && place[basin.upstreamFirst[k]] == count);
        place[basin.upstreamFirst[k]] = k;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t to = basin.downstream[i];
        require(to == nutrient::kWaterBody || (to < count && place[i] < place[to]));
        require(!basin.rows[i].file.empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        checkOrder(nutrient::parseBasinFile(std::string_view(reinterpret_cast<const char*>(data), size), "."));
    } catch (const nutrient::Failure& failure) {
        require(*failure.what() != '\0');
    }
    return 0;
}
