// The GDI font describes itself by the LOGFONTW it was made from.

#include "RenderTestSupport.h"

#include "render/IFont.h"

#include <gtest/gtest.h>

using namespace SAKU;

namespace {

class GdiFont : public saku_test::RenderTest {
protected:
    SAutoRef<IFont> Font(LONG weight, BYTE italic = 0, BYTE underline = 0, BYTE strikeOut = 0)
    {
        LOGFONTW logFont = {};
        logFont.lfHeight = -14;
        logFont.lfWeight = weight;
        logFont.lfItalic = italic;
        logFont.lfUnderline = underline;
        logFont.lfStrikeOut = strikeOut;
        wcscpy(logFont.lfFaceName, L"微软雅黑");
        SAutoRef<IFont> font;
        EXPECT_TRUE(m_factory->CreateFont(font.Put(), logFont));
        return font;
    }
};

}  // namespace

TEST_F(GdiFont, BoldMeansExactlyWeight700)
{
    const struct {
        LONG weight;
        BOOL bold;
    } cases[] = {{400, FALSE}, {600, FALSE}, {700, TRUE}, {800, FALSE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.weight);
        EXPECT_EQ(c.bold, Font(c.weight)->IsBold());
    }
}

TEST_F(GdiFont, ReportsTheLogFontItWasMadeFrom)
{
    SAutoRef<IFont> font = Font(400, TRUE, FALSE, TRUE);
    EXPECT_EQ(kRenderObjFont, font->ObjectType());
    EXPECT_STREQ(L"font", font->GetObjectClass());
    EXPECT_TRUE(font->IsClass(L"font"));
    EXPECT_FALSE(font->IsClass(L"pen"));
    EXPECT_EQ(-1, font->GetObjectType());
    EXPECT_STREQ(L"微软雅黑", font->FamilyName());
    EXPECT_EQ(-14, font->TextSize());
    EXPECT_TRUE(font->IsItalic());
    EXPECT_FALSE(font->IsUnderline());
    EXPECT_TRUE(font->IsStrikeOut());
    EXPECT_EQ(400, font->LogFont()->lfWeight);
    EXPECT_EQ(E_FAIL, font->ApplyAttribute(L"size", L"12", FALSE));   // fonts take no attributes
}
