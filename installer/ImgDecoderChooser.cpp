#include "ImgDecoderChooser.h"

#include "FindNamed.h"

#include "render/ImgDecoderCreators.h"

BOOL ChooseImgDecoder(const SAKU::SStringW& name, SAKU::IImgDecoderFactory** factory)
{
    static const struct {
        const wchar_t* name;
        BOOL (*create)(SAKU::IImgDecoderFactory**);
    } kModules[] = {
        {L"imgdecoder-wic",  &SAKU::CreateImgDecoderFactory_WIC},
        {L"imgdecoder-stb",  &SAKU::CreateImgDecoderFactory_STB},
        {L"imgdecoder-png",  &SAKU::CreateImgDecoderFactory_PNG},
        {L"imgdecoder-gdip", &SAKU::CreateImgDecoderFactory_GDIP},
    };
    const auto* const module = FindNamed(kModules, name.c_str());
    return module ? module->create(factory) : FALSE;
}
