#pragma once

#include "render/IRenderObj.h"

namespace SAKU {

// A pen with a style, a width and a colour word 0xAABBGGRR, made by
// IRenderTarget::CreatePen. Targets draw outlines and lines with the selected pen
// and compose them with the colour's alpha. Reference counted, born with one
// reference for the caller that made it, usually for one paint. UI thread.
struct IPen : IRenderObj {};

}  // namespace SAKU
