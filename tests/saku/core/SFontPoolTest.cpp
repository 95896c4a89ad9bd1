// The font pool: font descriptions at several scales with the UI definition's
// default font, read back from the font the render target selects; one pooled
// object per description; the default font without a UI definition; the CJK faces.

#include "SakuAppTest.h"

#include "GdiHandles.h"
#include "core/SFontPool.h"
#include "render/IFont.h"
#include "render/IRenderTarget.h"
#include "res.mgr/SUiDef.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using saku_test::SakuAppTest;

namespace {

// What GDI holds for a font once a render target has selected it.
struct SelectedFont {
    LOGFONTW logFont = {};
    std::wstring face;   // the face GDI reports
    std::vector<DWORD> glyph;   // "安" drawn black on white
};

class FontPoolTest : public SakuAppTest {
protected:
    SFontPool& Fonts() { return *SFontPool::GetInstance(); }

    SelectedFont Select(IFont* font)
    {
        SelectedFont selected;
        SAutoRef<IRenderTarget> target;
        EXPECT_TRUE(m_renderFactory->CreateRenderTarget(target.Put(), 40, 40));
        if (!font || !target)
            return selected;
        target->SelectObject(font);
        const HDC dc = target->GetDC(0);
        ::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof(selected.logFont), &selected.logFont);
        wchar_t face[LF_FACESIZE] = {};
        ::GetTextFaceW(dc, LF_FACESIZE, face);
        selected.face = face;
        RECT cell = {0, 0, 40, 40};
        ::FillRect(dc, &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::DrawTextW(dc, L"安", 1, &cell, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        ::GdiFlush();
        target->ReleaseDC(dc);
        const auto* bits = static_cast<const DWORD*>(
            static_cast<IBitmap*>(target->GetCurrentObject(kRenderObjBitmap))->GetPixelBits());
        selected.glyph.assign(bits, bits + 40 * 40);
        return selected;
    }
};

}  // namespace

TEST_F(FontPoolTest, DescriptionsAtEachScaleFollowTheDefaultFont)
{
    AddProgramResources(L"uidef:xml_init");   // default: 15 pixels, "宋体"
    const struct {
        const wchar_t* description;
        int scale;
        int height;
        int weight;
        bool italic;
        bool underline;
        bool strike;
        const wchar_t* face;
    } cases[] = {
        {L"",                       100, 15, 400, false, false, false, L"宋体"},
        {L"",                       150, 22, 400, false, false, false, L"宋体"},
        {L"",                       200, 30, 400, false, false, false, L"宋体"},
        {L"italic:1",               100, 15, 400, true,  false, false, L"宋体"},
        {L"underline:1,italic:1",   150, 22, 400, true,  true,  false, L"宋体"},
        {L"size:12,size:14",        100, 12, 400, false, false, false, L"宋体"},   // the first wins
        {L"bold:1,bold:0",          100, 15, 700, false, false, false, L"宋体"},
        {L"adding:2",               200, 32, 400, false, false, false, L"宋体"},   // 30 + 2 pixels
        {L"adding:2dp",             200, 34, 400, false, false, false, L"宋体"},
        {L"size:10,adding:2",       200, 10, 400, false, false, false, L"宋体"},
        {L"size:12dp",              150, 18, 400, false, false, false, L"宋体"},
        {L"size:12",                150, 12, 400, false, false, false, L"宋体"},
        {L"size:0,adding:1",        100, 16, 400, false, false, false, L"宋体"},   // 0 counts as absent
        {L"bold",                   100, 15, 400, false, false, false, L"宋体"},   // no ':' : ignored
        {L"face:Tahoma,STRIKE:1",   100, 15, 400, false, false, true,  L"tahoma"},
        {L"face:微软雅黑,size:20",  100, 20, 400, false, false, false, L"微软雅黑"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.description << "' at " << c.scale);
        IFont* const font = Fonts().GetFont(c.description, c.scale);
        ASSERT_NE(nullptr, font);
        const SelectedFont selected = Select(font);
        EXPECT_EQ(-c.height, selected.logFont.lfHeight);
        EXPECT_EQ(c.weight, selected.logFont.lfWeight);
        EXPECT_EQ(c.italic, selected.logFont.lfItalic != 0);
        EXPECT_EQ(c.underline, selected.logFont.lfUnderline != 0);
        EXPECT_EQ(c.strike, selected.logFont.lfStrikeOut != 0);
        EXPECT_EQ(1, selected.logFont.lfCharSet);
        EXPECT_EQ(CLEARTYPE_QUALITY, selected.logFont.lfQuality);
        EXPECT_EQ(c.face, std::wstring(selected.logFont.lfFaceName));
    }
    const SelectedFont charset = Select(Fonts().GetFont(L"charset:134", 100));
    EXPECT_EQ(134, charset.logFont.lfCharSet);
}

TEST_F(FontPoolTest, EqualDescriptionsShareOnePooledFont)
{
    AddProgramResources(L"uidef:xml_init");
    IFont* const italic = Fonts().GetFont(L"italic:1", 100);
    EXPECT_EQ(italic, Fonts().GetFont(L"ITALIC:1", 100));
    EXPECT_EQ(italic, Fonts().GetFont(L"italic:1,italic", 100));
    EXPECT_NE(italic, Fonts().GetFont(L"italic:1", 150));
    EXPECT_EQ(Fonts().GetFont(L"", 100), Fonts().GetFont(L"bold", 100));

    // Another key is an extra property: a different entry, the same look.
    IFont* const plain = Fonts().GetFont(L"", 100);
    IFont* const weighted = Fonts().GetFont(L"weight:600", 100);
    ASSERT_NE(nullptr, weighted);
    EXPECT_NE(plain, weighted);
    EXPECT_EQ(weighted, Fonts().GetFont(L"Weight:600", 100));
    EXPECT_EQ(Select(plain).logFont.lfWeight, Select(weighted).logFont.lfWeight);
    EXPECT_EQ(Select(plain).glyph, Select(weighted).glyph);
}

TEST_F(FontPoolTest, WithoutAUiDefinitionTheDefaultFontServes)
{
    ASSERT_EQ(nullptr, SUiDef::GetInstance()->GetUiDef());
    IFont* const font = Fonts().GetFont(L"", 100);
    ASSERT_NE(nullptr, font);
    const SelectedFont selected = Select(font);
    EXPECT_EQ(-12, selected.logFont.lfHeight);
    EXPECT_EQ(std::wstring(L"宋体"), selected.logFont.lfFaceName);
    EXPECT_EQ(-20, Select(Fonts().GetFont(L"size:20,bold:1", 100)).logFont.lfHeight);
}

TEST_F(FontPoolTest, ChineseFacesResolveToThePrefixsCjkFont)
{
    AddProgramResources(L"uidef:xml_init");
    LOGFONTW cjk = {};
    cjk.lfHeight = -20;
    cjk.lfWeight = FW_NORMAL;
    cjk.lfCharSet = 1;
    cjk.lfQuality = CLEARTYPE_QUALITY;
    wcscpy_s(cjk.lfFaceName, L"WenQuanYi Micro Hei");
    SAutoRef<IFont> reference;
    ASSERT_TRUE(m_renderFactory->CreateFont(reference.Put(), cjk));
    const SelectedFont expected = Select(reference.Get());
    const SelectedFont tahoma = Select(Fonts().GetFont(L"face:tahoma,size:20", 100));
    for (const wchar_t* description : {L"face:宋体,size:20", L"face:微软雅黑,size:20", L"size:20"}) {
        SCOPED_TRACE(testing::Message() << "description #" << std::wstring(description).size());
        const SelectedFont selected = Select(Fonts().GetFont(description, 100));
        int ink = 0;
        for (const DWORD pixel : selected.glyph)
            ink += (pixel & 0xFFFFFF) != 0xFFFFFF;
        EXPECT_GT(ink, 30);
        EXPECT_EQ(expected.glyph, selected.glyph);
        EXPECT_NE(tahoma.glyph, selected.glyph);
    }
}

TEST_F(FontPoolTest, AFaceLongerThanTheFontsFieldIsCut)
{
    AddProgramResources(L"uidef:xml_init");
    const std::wstring face(40, L'f');
    IFont* const font = Fonts().GetFont((L"face:" + face).c_str(), 100);
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(face.substr(0, 31), std::wstring(Select(font).logFont.lfFaceName));
}
