#include "util/ovixbase.h"

namespace util {

std::string TOvixComponent::ClassName() const
{
    return "TOvixComponent";
}

} // namespace util
