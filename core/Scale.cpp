#include "core/Scale.h"

namespace core {

std::string ScaledResourceName(const std::string& name, int dpi) {
    if (dpi == kDesignDpi) {
        return name;
    }
    return name + "_" + std::to_string(ScalePercent(dpi));
}

} // namespace core
