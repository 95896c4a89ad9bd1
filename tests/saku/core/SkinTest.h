#pragma once

// What the skin tests share: the application with the program's test images,
// skins made from a line of XML through the factories, memory render targets and
// their pixels (0xAARRGGBB as stored, premultiplied).

#include "../render/RenderTestSupport.h"
#include "SakuAppTest.h"

#include "core/ISkinObj.h"
#include "core/SObjectImpl.h"

#include <pugixml.hpp>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <type_traits>

namespace saku_test {

constexpr std::uint32_t kRed = 0xFFFF0000;    // stored pixels
constexpr std::uint32_t kLime = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

class SkinTest : public SakuAppTest {
protected:
    void SetUp() override
    {
        SakuAppTest::SetUp();
        AddProgramResources();
    }

    // The skin an element describes, made by its tag; null when T does not match.
    template <typename T = SAKU::ISkinObj>
    SAKU::SAutoRef<T> Make(const wchar_t* xml)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(xml)) << xml;
        const pugi::xml_node element = document.first_child();
        auto skin = SAKU::SAutoRef<SAKU::ISkinObj>::Adopt(App().CreateSkinByName(element.name()));
        EXPECT_TRUE(skin) << xml;
        if (!skin)
            return SAKU::SAutoRef<T>();
        skin->BuildFromXml(element);
        if constexpr (std::is_same_v<T, SAKU::ISkinObj>)
            return skin;
        else
            return SAKU::SAutoRef<T>(SAKU::SObjCast<T>(skin.Get()));
    }

    // A target cleared to 0 (transparent black).
    SAKU::SAutoRef<SAKU::IRenderTarget> Target(int width, int height)
    {
        SAKU::SAutoRef<SAKU::IRenderTarget> target;
        EXPECT_TRUE(m_renderFactory->CreateRenderTarget(target.Put(), width, height));
        return target;
    }

    static std::uint32_t Pixel(SAKU::IRenderTarget* target, int x, int y)
    {
        const Pixels pixels = ReadPixels(target);
        return PixelAt(pixels, CurrentBitmap(target)->Width(), x, y);
    }

    // Keeps a drawing for the eye: written as a PNG when TIVALA_SKIN_PNG names a folder.
    static void Keep(SAKU::IRenderTarget* target, const wchar_t* name) { KeepPng(target, L"TIVALA_SKIN_PNG", name); }
};

}  // namespace saku_test
