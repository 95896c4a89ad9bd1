#pragma once

// The application object as a program makes it, for the tests of what hangs on
// it (providers, UI definitions, skins, pools, fonts): the GDI render module with
// the PNG decoder module, the library's classes registered, and the test
// program's own resources (TestResources.rc) or the resource module beside it.

#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "render/IBitmap.h"
#include "render/IRenderFactory.h"
#include "render/ImgDecoderCreators.h"
#include "render/RenderFactoryCreators.h"
#include "res.mgr/IResProvider.h"

#include "TestProgram.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace saku_test {

class SakuAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SAKU::CreateRenderFactory_GDI(m_renderFactory.Put()));
        SAKU::SAutoRef<SAKU::IImgDecoderFactory> decoders;
        ASSERT_TRUE(SAKU::CreateImgDecoderFactory_PNG(decoders.Put()));
        m_renderFactory->SetImgDecoderFactory(decoders.Get());
        m_app = std::make_unique<SAKU::SApplication>(m_renderFactory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST",
                                                     new SAKU::SObjectDefaultRegister);
    }
    void TearDown() override
    {
        m_app.reset();
        m_renderFactory.Attach(nullptr);
    }

    SAKU::SApplication& App() { return *m_app; }

    // A provider over the module, added as the newest (with its UI definition when
    // one is named); the application holds it.
    SAKU::IResProvider* AddModule(HMODULE module, const wchar_t* uiDef = nullptr)
    {
        auto provider = NewProvider(SAKU::kResProviderPE, reinterpret_cast<WPARAM>(module));
        m_app->AddResProvider(provider.Get(), uiDef);
        return provider.Get();
    }
    SAKU::IResProvider* AddProgramResources(const wchar_t* uiDef = nullptr)
    {
        return AddModule(::GetModuleHandleW(nullptr), uiDef);
    }

    static SAKU::SAutoRef<SAKU::IResProvider> NewProvider(int kind, WPARAM source)
    {
        SAKU::SAutoRef<SAKU::IResProvider> provider;
        EXPECT_TRUE(SAKU::CreateResProvider(kind, provider.Put()));
        if (provider) {
            EXPECT_TRUE(provider->Init(source, 0));
        }
        return provider;
    }

    // The bytes of a resource as the application reads it; empty when absent.
    std::string RawData(const wchar_t* type, const wchar_t* name)
    {
        const size_t size = m_app->GetRawDataSize(type, name);
        std::string bytes(size, '\0');
        if (size == 0 || !m_app->GetRawData(type, name, bytes.data(), size))
            return std::string();
        return bytes;
    }

    SAKU::SAutoRef<SAKU::IRenderFactory> m_renderFactory;
    std::unique_ptr<SAKU::SApplication> m_app;
};

// The module of resources built beside the tests, loaded.
inline UniqueModule LoadResourceModule()
{
    return UniqueModule(::LoadLibraryW(tivala::test::BesideTestProgram(L"saku_test_resources.dll").c_str()));
}

}  // namespace saku_test
