// Region data from outside: the reader must reject or accept any bytes without harm, and what
// it accepts must survive writing, outline tracing and rebuilding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "components/Rotatergn1.h"
#include "platform/Region.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const regiondata::ReadResult read = regiondata::Read(data, size);
    if (!read.ok) return 0;
    const std::vector<uint8_t> written = regiondata::Write(read.region);
    const regiondata::ReadResult again = regiondata::Read(written.data(), written.size());
    if (!again.ok || !(again.region == read.region)) std::abort();
    const TPolygonSet outline = RgnToPoly(read.region);
    (void)ReCreateRgn(outline);
    return 0;
}
