#pragma once

// The application a painting benchmark runs under: the GDI render module with
// PNG decoding and the library's classes registered, as the installer starts it.

#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "render/IRenderFactory.h"
#include "render/ImgDecoderCreators.h"
#include "render/RenderFactoryCreators.h"

#include <windows.h>

#include <cstdio>
#include <memory>

namespace bench {

struct BenchApp {
    SAKU::SAutoRef<SAKU::IRenderFactory> renderFactory;
    SAKU::SAutoRef<SAKU::IImgDecoderFactory> decoders;
    std::unique_ptr<SAKU::SApplication> app;

    // False, with a line naming the program on standard error, without the render module.
    bool Start(const char* program)
    {
        if (!SAKU::CreateRenderFactory_GDI(renderFactory.Put()) || !SAKU::CreateImgDecoderFactory_PNG(decoders.Put())) {
            std::fprintf(stderr, "%s: no render module\n", program);
            return false;
        }
        renderFactory->SetImgDecoderFactory(decoders.Get());
        app = std::make_unique<SAKU::SApplication>(renderFactory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST",
                                                   new SAKU::SObjectDefaultRegister);   // the application takes this reference
        return true;
    }
};

}  // namespace bench
