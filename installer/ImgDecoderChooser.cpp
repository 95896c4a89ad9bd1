#include "ImgDecoderChooser.h"

#include "render/ImgDecoderCreators.h"

#include <cwchar>

BOOL ChooseImgDecoder(const SAKU::SStringW& name, SAKU::IImgDecoderFactory** factory)
{
    // clang-format off
    static const struct {
        const wchar_t* name;
        BOOL (*create)(SAKU::IImgDecoderFactory**);
    } kModules[] = {
        {L"imgdecoder-wic",  &SAKU::CreateImgDecoderFactory_WIC},
        {L"imgdecoder-stb",  &SAKU::CreateImgDecoderFactory_STB},
        {L"imgdecoder-png",  &SAKU::CreateImgDecoderFactory_PNG},
        {L"imgdecoder-gdip", &SAKU::CreateImgDecoderFactory_GDIP},
    };
    // clang-format on
    for (const auto& module : kModules) {
        if (wcscmp(name.c_str(), module.name) == 0)
            return module.create(factory);
    }
    return FALSE;
}
