// The text services of riched20.dll as the helper loads them, driven through a
// bare host of this test: what the edit box relies on under the platform (the
// services made for a host, text in and out, drawing into a 32-bit DIB).

#include "core/STextServiceHelper.h"

#include "GdiHandles.h"
#include "TComPtr.h"

#include <gtest/gtest.h>

#include <richedit.h>
#include <textserv.h>

#include <cstdint>
#include <cstring>
#include <string>

using namespace SAKU;

namespace {

// A single-line plain-text host of a fixed client rectangle, black text in
// Tahoma; it answers what the services ask and counts its references.
class ProbeHost : public ITextHost {
public:
    explicit ProbeHost(RECT client) : m_client(client)
    {
        m_charFormat.cbSize = sizeof(m_charFormat);
        m_charFormat.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_CHARSET;
        m_charFormat.yHeight = 12 * 20;   // twips
        m_charFormat.crTextColor = RGB(0, 0, 0);
        m_charFormat.bCharSet = DEFAULT_CHARSET;
        wcscpy(m_charFormat.szFaceName, L"Tahoma");
        m_paraFormat.cbSize = sizeof(m_paraFormat);
        m_paraFormat.dwMask = PFM_ALIGNMENT;
        m_paraFormat.wAlignment = PFA_LEFT;
    }

    ULONG Refs() const { return m_refs; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        *object = nullptr;
        if (iid != IID_IUnknown && iid != kIID_ITextHost)
            return E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }   // lives on the test's stack

    HDC TxGetDC() override { return ::GetDC(nullptr); }
    INT TxReleaseDC(HDC dc) override { return ::ReleaseDC(nullptr, dc); }
    WINBOOL TxShowScrollBar(INT, WINBOOL) override { return TRUE; }
    WINBOOL TxEnableScrollBar(INT, INT) override { return TRUE; }
    WINBOOL TxSetScrollRange(INT, LONG, INT, WINBOOL) override { return TRUE; }
    WINBOOL TxSetScrollPos(INT, INT, WINBOOL) override { return TRUE; }
    void TxInvalidateRect(LPCRECT, WINBOOL) override {}
    void TxViewChange(WINBOOL) override {}
    WINBOOL TxCreateCaret(HBITMAP, INT, INT) override { return TRUE; }
    WINBOOL TxShowCaret(WINBOOL) override { return TRUE; }
    WINBOOL TxSetCaretPos(INT, INT) override { return TRUE; }
    WINBOOL TxSetTimer(UINT, UINT) override { return TRUE; }
    void TxKillTimer(UINT) override {}
    void TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) override {}
    void TxSetCapture(WINBOOL) override {}
    void TxSetFocus() override {}
    void TxSetCursor(HCURSOR, WINBOOL) override {}
    WINBOOL TxScreenToClient(LPPOINT) override { return TRUE; }
    WINBOOL TxClientToScreen(LPPOINT) override { return TRUE; }
    HRESULT TxActivate(LONG* old) override
    {
        *old = 0;
        return S_OK;
    }
    HRESULT TxDeactivate(LONG) override { return S_OK; }
    HRESULT TxGetClientRect(LPRECT rect) override
    {
        *rect = m_client;
        return S_OK;
    }
    HRESULT TxGetViewInset(LPRECT rect) override
    {
        *rect = {};
        return S_OK;
    }
    HRESULT TxGetCharFormat(const CHARFORMATW** format) override
    {
        *format = &m_charFormat;
        return S_OK;
    }
    HRESULT TxGetParaFormat(const PARAFORMAT** format) override
    {
        *format = &m_paraFormat;
        return S_OK;
    }
    COLORREF TxGetSysColor(int index) override { return ::GetSysColor(index); }
    HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override
    {
        *style = TXTBACK_TRANSPARENT;
        return S_OK;
    }
    HRESULT TxGetMaxLength(DWORD* length) override
    {
        *length = 32767;
        return S_OK;
    }
    HRESULT TxGetScrollBars(DWORD* bars) override
    {
        *bars = ES_AUTOHSCROLL;
        return S_OK;
    }
    HRESULT TxGetPasswordChar(TCHAR* character) override
    {
        *character = '*';
        return S_OK;
    }
    HRESULT TxGetAcceleratorPos(LONG* position) override
    {
        *position = -1;
        return S_OK;
    }
    HRESULT TxGetExtent(LPSIZEL) override { return E_NOTIMPL; }
    HRESULT OnTxCharFormatChange(const CHARFORMATW*) override { return S_OK; }
    HRESULT OnTxParaFormatChange(const PARAFORMAT*) override { return S_OK; }
    HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override
    {
        *bits = mask & TXTBIT_HIDESELECTION;
        return S_OK;
    }
    HRESULT TxNotify(DWORD, void*) override { return S_OK; }
    HIMC TxImmGetContext() override { return nullptr; }
    void TxImmReleaseContext(HIMC) override {}
    HRESULT TxGetSelectionBarWidth(LONG* width) override
    {
        *width = 0;
        return S_OK;
    }

private:
    RECT m_client;
    CHARFORMAT2W m_charFormat = {};
    PARAFORMAT2 m_paraFormat = {};
    ULONG m_refs = 1;
};

class STextServiceHelperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(STextServiceHelper::Init());
        ASSERT_TRUE(STextServiceHelper::GetInstance()->IsLoaded());
    }
    void TearDown() override { STextServiceHelper::Destroy(); }

    // The services made for the host, as ITextServices.
    static TComPtr<ITextServices> Create(ITextHost* host)
    {
        TComPtr<IUnknown> unknown;
        EXPECT_EQ(S_OK, STextServiceHelper::GetInstance()->CreateTextServices(host, unknown.Put()));
        TComPtr<ITextServices> services;
        if (unknown) {
            EXPECT_EQ(S_OK, unknown.As(kIID_ITextServices, services));
        }
        return services;
    }

    static std::wstring TextOf(ITextServices* services)
    {
        LRESULT length = 0;
        EXPECT_EQ(S_OK, services->TxSendMessage(WM_GETTEXTLENGTH, 0, 0, &length));
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = 0;
        EXPECT_EQ(S_OK, services->TxSendMessage(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied));
        text.resize(static_cast<size_t>(copied));
        return text;
    }
};

}  // namespace

TEST_F(STextServiceHelperTest, HelperIsMadeOnceAndGoesWithDestroy)
{
    EXPECT_FALSE(STextServiceHelper::Init());   // the fixture's stays
    EXPECT_NE(nullptr, STextServiceHelper::GetInstance());
}

TEST_F(STextServiceHelperTest, ServicesTakeAndGiveBackText)
{
    ProbeHost host(RECT{0, 0, 200, 24});
    TComPtr<ITextServices> services = Create(&host);
    ASSERT_TRUE(services);
    EXPECT_EQ(S_OK, services->OnTxInPlaceActivate(nullptr));

    const std::wstring path = L"D:\\程序\\Tivala 壁纸";
    LRESULT result = 0;
    EXPECT_EQ(S_OK, services->TxSendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), &result));
    EXPECT_EQ(path, TextOf(services.Get()));

    // TxSetText and TxGetText are the same text by other doors.
    EXPECT_EQ(S_OK, services->TxSetText(L"abc"));
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, services->TxGetText(&text));
    EXPECT_STREQ(L"abc", text);
    ::SysFreeString(text);
    EXPECT_EQ(S_OK, services->OnTxInPlaceDeactivate());
}

// The edit's host lives as long as its owner's reference: the services keep a
// plain pointer to it, so the two do not hold each other alive.
TEST_F(STextServiceHelperTest, ServicesDoNotCountTheirHost)
{
    ProbeHost host(RECT{0, 0, 200, 24});
    TComPtr<ITextServices> services = Create(&host);
    ASSERT_TRUE(services);
    EXPECT_EQ(1u, host.Refs());
    services.Reset();
    EXPECT_EQ(1u, host.Refs());
}

TEST_F(STextServiceHelperTest, UnknownMessagesAnswerSFalse)
{
    ProbeHost host(RECT{0, 0, 200, 24});
    TComPtr<ITextServices> services = Create(&host);
    ASSERT_TRUE(services);
    LRESULT result = 0;
    EXPECT_EQ(S_FALSE, services->TxSendMessage(WM_USER + 999, 0, 0, &result));
    EXPECT_EQ(S_OK, services->TxSendMessage(EM_EXLIMITTEXT, 0, 5, &result));
}

TEST_F(STextServiceHelperTest, DrawWritesTheTextIntoADib)
{
    ProbeHost host(RECT{0, 0, 120, 24});
    TComPtr<ITextServices> services = Create(&host);
    ASSERT_TRUE(services);
    ASSERT_EQ(S_OK, services->OnTxInPlaceActivate(nullptr));
    ASSERT_EQ(S_OK, services->TxSetText(L"WWWW"));

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 120;
    info.bmiHeader.biHeight = -24;   // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(dib);
    auto* const pixels = static_cast<std::uint32_t*>(bits);
    std::fill_n(pixels, 120 * 24, 0xFFFFFFFFu);   // opaque white
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const UniqueSelection selected = SelectInto(dc.Get(), dib.Get());

    const RECTL bounds = {0, 0, 120, 24};
    RECT update = {0, 0, 120, 24};
    ASSERT_EQ(S_OK, services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc.Get(), nullptr, &bounds, nullptr,
                                     &update, nullptr, 0, TXTVIEW_ACTIVE));
    ::GdiFlush();
    int dark = 0;
    for (int i = 0; i < 120 * 24; ++i)
        dark += (pixels[i] & 0xFF) < 0x80;
    EXPECT_GT(dark, 20);
    services->OnTxInPlaceDeactivate();
}
