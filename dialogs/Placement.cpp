#include "Placement.h"

namespace kurvix {

Origin CentredOn(const WindowBounds& owner, int32_t dialogWidth, int32_t dialogHeight) {
    return Origin{owner.left + (owner.width - dialogWidth) / 2,
                  owner.top + (owner.height - dialogHeight) / 2};
}

} // namespace kurvix
