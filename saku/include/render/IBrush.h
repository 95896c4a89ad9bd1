#pragma once

#include "render/IRenderObj.h"

namespace SAKU {

// A brush of one colour word 0xAABBGGRR or of a bitmap's pattern, made by
// IRenderTarget::CreateSolidColorBrush or CreateBitmapBrush. Targets fill with the
// selected brush and compose with its colour's alpha (255 for a pattern).
// Reference counted, born with one reference for the caller that made it, usually
// for one paint. UI thread.
struct IBrush : IRenderObj {};

}  // namespace SAKU
