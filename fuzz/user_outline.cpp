// The user outline text of a button: any text must decode into a region or the rectangle, and
// the outline built from it must stay within the button.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "components/ButtonShapes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TUserRegionText decoded = DecodeStringButtonRegion(text, 31, 23);
    if (!decoded.valid && !(decoded.region == TRegion(Rect(0, 0, 31, 23)))) std::abort();
    const TUserOutline user = MakeUserOutline(decoded.region);
    TShapeParams params;
    params.width = 31;
    params.height = 23;
    params.user = &user;
    TPolygonSet shape = GotMain_USERRGN(params);
    for (const TPoint& p : shape.points) {
        if (p.x < 0 || p.x > 31 || p.y < 0 || p.y > 23) std::abort();
    }
    Getinner(shape, true, true, 2);
    (void)ReCreateRgn(shape);
    return 0;
}
