#pragma once

#include "core/TStringT.h"
#include "render/IImgDecoder.h"

// Makes the image-decoder module that `name` names, exactly as written
// ("imgdecoder-wic", "imgdecoder-stb", "imgdecoder-png" or "imgdecoder-gdip"),
// with one reference in `factory` for the caller, and answers the module
// creator's result. Any other name, in another letter case too, answers FALSE
// and leaves `factory` untouched.
BOOL ChooseImgDecoder(const SAKU::SStringW& name, SAKU::IImgDecoderFactory** factory);
