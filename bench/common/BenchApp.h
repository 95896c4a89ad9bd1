#pragma once

// The application a painting benchmark runs under: the GDI render module with
// PNG decoding and the library's classes registered, as the installer starts it.

#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"
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

    // A surface of `width` x `height` to paint into; null, with a line naming the
    // program on standard error, when none can be made.
    SAKU::SAutoRef<SAKU::IRenderTarget> MakeSurface(const char* program, int width, int height) const
    {
        SAKU::SAutoRef<SAKU::IRenderTarget> surface;
        if (!renderFactory || !renderFactory->CreateRenderTarget(surface.Put(), width, height))
            std::fprintf(stderr, "%s: no render target\n", program);
        return surface;
    }
};

}  // namespace bench
