#include "layout/LayoutGravity.h"

namespace SAKU {

int GravityOffset(int gravity, int length, int& size)
{
    switch (gravity) {
    case kGravityCenter: return (length - size) / 2;
    case kGravityFar: return length - size;
    case kGravityFill: size = length; return 0;
    default: return 0;
    }
}

}  // namespace SAKU
