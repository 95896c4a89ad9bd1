// The GDI render module's factory: created by its creator with one reference, it
// holds the image-decoder factory with a reference of its own.

#include "RenderTestSupport.h"

#include "render/IImgDecoder.h"
#include "render/IRegion.h"

#include <gtest/gtest.h>

using namespace SAKU;

namespace {

class CountedDecoders : public TObjRefImpl<IImgDecoderFactory> {
public:
    BOOL CreateImgX(IImgX** image) override
    {
        *image = nullptr;
        return FALSE;
    }
    LPCWSTR GetDescription() const override { return L"counted"; }
};

}  // namespace

TEST(GdiRenderFactory, HoldsTheDecoderFactoryWithAReference)
{
    SAutoRef<IRenderFactory> factory;
    ASSERT_TRUE(CreateRenderFactory_GDI(factory.Put()));
    EXPECT_EQ(nullptr, factory->GetImgDecoderFactory());
    auto* decoders = new CountedDecoders();
    factory->SetImgDecoderFactory(decoders);
    EXPECT_EQ(decoders, factory->GetImgDecoderFactory());
    EXPECT_EQ(2, decoders->AddRef() - 1);              // ours and the factory's
    decoders->Release();
    factory->SetImgDecoderFactory(nullptr);
    EXPECT_EQ(0, decoders->Release());
}

TEST(GdiRenderFactory, MakesEveryResourceAndNothingForTheReservedSlots)
{
    SAutoRef<IRenderFactory> factory;
    ASSERT_TRUE(CreateRenderFactory_GDI(factory.Put()));
    SAutoRef<IRenderTarget> target;
    ASSERT_TRUE(factory->CreateRenderTarget(target.Put(), 3, 2));
    EXPECT_EQ(3, saku_test::CurrentBitmap(target.Get())->Width());
    EXPECT_EQ(saku_test::Pixels(6, 0), saku_test::ReadPixels(target.Get()));
    SAutoRef<IRegion> region;
    EXPECT_TRUE(factory->CreateRegion(region.Put()));
    EXPECT_TRUE(region);
    IObjRef* reserved = reinterpret_cast<IObjRef*>(1);
    EXPECT_FALSE(factory->ReservedCreate1(&reserved));
    EXPECT_EQ(nullptr, reserved);
    EXPECT_FALSE(factory->ReservedCreate2(&reserved));
    EXPECT_FALSE(factory->ReservedCreate3(&reserved));
}
