#pragma once

// The application a painting benchmark runs under: the GDI render module with the
// PNG decoders, the library's default classes, and a surface of the bench's size
// to paint into. Made first in main and kept to its end; UI thread.

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

class BenchApp {
public:
    // `name` starts the line printed to stderr when something could not be made.
    BenchApp(const char* name, int width, int height)
    {
        if (!SAKU::CreateRenderFactory_GDI(m_renderFactory.Put()) ||
            !SAKU::CreateImgDecoderFactory_PNG(m_decoders.Put())) {
            std::fprintf(stderr, "%s: no render module\n", name);
            return;
        }
        m_renderFactory->SetImgDecoderFactory(m_decoders.Get());
        m_app = std::make_unique<SAKU::SApplication>(m_renderFactory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST",
                                                     new SAKU::SObjectDefaultRegister);   // the application takes this reference
        if (!m_renderFactory->CreateRenderTarget(m_surface.Put(), width, height))
            std::fprintf(stderr, "%s: no render target\n", name);
    }

    // Null when the application or its surface could not be made.
    SAKU::IRenderTarget* Surface() const { return m_surface.Get(); }

private:
    SAKU::SAutoRef<SAKU::IRenderFactory> m_renderFactory;
    SAKU::SAutoRef<SAKU::IImgDecoderFactory> m_decoders;
    std::unique_ptr<SAKU::SApplication> m_app;
    SAKU::SAutoRef<SAKU::IRenderTarget> m_surface;
};

}  // namespace bench
