#pragma once

#include "render/IImgDecoder.h"

namespace SAKU {

// The creators of the four image-decoder modules, one each. A creator makes its
// module with one reference, owned by the caller, stores it in `factory` and
// returns TRUE; the module is then chosen by its start-up name:
//   "imgdecoder-gdip"  GDI+ through its flat API; saves with any GDI+ encoder
//   "imgdecoder-wic"   Windows Imaging Component; needs COM initialised
//   "imgdecoder-stb"   stb_image
//   "imgdecoder-png"   libpng with animated PNG; saves PNG
BOOL CreateImgDecoderFactory_GDIP(IImgDecoderFactory** factory);
BOOL CreateImgDecoderFactory_WIC(IImgDecoderFactory** factory);
BOOL CreateImgDecoderFactory_STB(IImgDecoderFactory** factory);
BOOL CreateImgDecoderFactory_PNG(IImgDecoderFactory** factory);

}  // namespace SAKU
