#include "controls/SActiveX.h"

#include "core/ISwndContainer.h"
#include "core/SLog.h"
#include "render/AlphaBackup.h"
#include "render/IRenderTarget.h"
#include "render/RenderTargetHandles.h"

#include <cwchar>

namespace SAKU {

namespace {

// The longest ProgID read; a longer one names no control rather than another one.
constexpr int kMaxProgIdLength = 99;

constexpr SLogSite kCreateFailedSite = {kLogLevelWarn, "src\\controls\\SActiveX", 158, "SAKU::SActiveX::CreateControl"};

bool IsNullClsid(const CLSID& clsid)
{
    return clsid == CLSID{};
}

}  // namespace

SActiveX::SActiveX()
{
    m_container.Attach(new SAxContainerImpl(this));   // adopts its first reference
}

SActiveX::~SActiveX()
{
    ReleaseControl();
}

std::optional<DWORD> SActiveX::ParseClsCtx(const SStringW& value)
{
    const std::optional<int> parsed = ParseInt(value);
    if (!parsed)
        return std::nullopt;
    return static_cast<DWORD>(*parsed);
}

HRESULT SActiveX::OnAttrClsid(const SStringW& value, BOOL)
{
    CLSID clsid = {};
    if (value.IsEmpty())
        return E_INVALIDARG;
    if (value[0] == L'{') {
        if (FAILED(::CLSIDFromString(value.c_str(), &clsid)))
            return E_INVALIDARG;
    } else {
        if (value.GetLength() > kMaxProgIdLength || FAILED(::CLSIDFromProgID(value.c_str(), &clsid)))
            return E_INVALIDARG;
    }
    m_clsid = clsid;
    return S_FALSE;
}

int SActiveX::OnCreate(LPCREATESTRUCT createStruct)
{
    const int answer = OnWindowCreate(createStruct);
    if (answer != 0)
        return answer;
    if (!IsNullClsid(m_clsid) && !m_delay)
        CreateControl();
    return 0;
}

void SActiveX::OnDestroy()
{
    ReleaseControl();
    SWindow::OnDestroy();
}

void SActiveX::OnSize(UINT type, SIZE size)
{
    OnSizeChanged(type, size);
    if (m_container->GetControl())
        m_container->SetPosition(GetWindowRect());
}

void SActiveX::OnShowWindow(BOOL show, UINT status)
{
    SWindow::OnShowWindow(show, status);
    const bool visible = IsVisible(TRUE) != FALSE;
    if (visible && m_delay) {
        m_delay = false;
        if (!IsNullClsid(m_clsid))
            CreateControl();
    }
    m_container->ShowControlWindow(visible);
}

void SActiveX::OnPaint(IRenderTarget* target)
{
    if (!m_container->IsShown() || !m_container->HasViewObject())
        return;
    const RECT window = GetWindowRect();
    RECT painted = window;
    target->GetClipBox(&painted);
    RECT both = {};
    if (!::IntersectRect(&both, &painted, &window))
        return;
    const UniqueTargetDc lent = GetTargetDc(target);
    if (!lent)
        return;
    const HDC dc = lent.Get().dc;
    // GDI drawing clears the alpha it touches: the control keeps what lay below,
    // or a translucent host would show nothing of it.
    AlphaBackup alpha;
    BackupAlpha(dc, window, alpha, AlphaBackup::Drawn::Premultiply);
    m_container->Draw(dc, window);
    RestoreAlpha(alpha);
}

LRESULT SActiveX::OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_container->IsInPlaceActive() || !m_container->IsWindowless())
        return 0;
    if (message == WM_LBUTTONDOWN)
        SetFocus();
    LRESULT result = 0;
    (void)m_container->FireWindowMessage(message, wParam, lParam, result);
    return result;
}

void SActiveX::ReleaseControl()
{
    m_container->Clear();
}

HWND SActiveX::GetAxHostWindow()
{
    ISwndContainer* const container = GetContainer();
    return container ? container->GetHostHwnd() : nullptr;
}

void SActiveX::OnAxInvalidate(const RECT* rect)
{
    InvalidateArea(rect);
}

void SActiveX::OnAxSetCapture(bool capture)
{
    if (capture)
        (void)SetCapture();
    else
        (void)ReleaseCapture();
}

void SActiveX::CreateControl()
{
    if (!m_container->CreateControl(m_clsid, m_clsCtx)) {
        wchar_t text[40] = {};
        (void)::StringFromGUID2(m_clsid, text, static_cast<int>(std::size(text)));
        WriteLog(kCreateFailedSite, L"Warning: no ActiveX control of class %s could be made", text);
        return;
    }
    if (SUCCEEDED(m_container->ActivateControl(nullptr)))
        m_container->ShowControlWindow(IsVisible(TRUE) != FALSE);
    m_container->SetPosition(GetWindowRect());
    OnAxCreated();
}

}  // namespace SAKU
