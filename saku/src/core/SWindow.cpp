// Scaffolding: the bodies of the window object arrive piece by piece; until then
// each answers its neutral value so that the rest of the library links.
#include "core/SWindow.h"

#include "core/SWindowMgr.h"

namespace SAKU {

struct SWindow::MessageRecord {
    MSG msg;
    MessageRecord* previous;
};

SWindow::SWindow() : m_text(this), m_toolTipText(this)
{
    m_swnd = SWindowMgr::NewWindow(this);
}

SWindow::~SWindow()
{
    SWindowMgr::DestroyWindow(m_swnd);
}

DWORD SWindow::SetUserData(DWORD data)
{
    const DWORD old = m_userData;
    m_userData = data;
    return old;
}

SWindow* SWindow::GetRoot()
{
    SWindow* root = this;
    while (root->m_parent)
        root = root->m_parent;
    return root;
}

SWindow* SWindow::GetWindow(int) const { return nullptr; }
SWindow* SWindow::GetNextLayoutChild(const SWindow*) const { return nullptr; }
void SWindow::SetContainer(ISwndContainer* container) { m_container = container; }
IScriptModule* SWindow::GetScriptModule() const { return nullptr; }
LPCWSTR SWindow::GetTrCtx() const { return L""; }
RECT SWindow::GetClientRect() const { return m_rcWindow; }
void SWindow::CopyClientRect(RECT* rect) const { *rect = m_rcWindow; }
RECT SWindow::GetChildrenLayoutRect() const { return m_rcWindow; }
void SWindow::GetTextRect(RECT* rect) const { *rect = m_rcWindow; }
BOOL SWindow::IsContainPoint(POINT, BOOL) const { return FALSE; }
BOOL SWindow::OnNcHitTest(POINT) { return FALSE; }
SWND SWindow::SwndFromPoint(POINT, UINT) { return 0; }
int SWindow::GetScale() const { return 100; }
BOOL SWindow::SetLayoutParam(ILayoutParam*) { return FALSE; }
void SWindow::InsertChild(SWindow*, SWindow*) {}
BOOL SWindow::RemoveChild(SWindow*) { return FALSE; }
BOOL SWindow::DestroyChild(SWindow*) { return FALSE; }
BOOL SWindow::DestroyWindow() { return FALSE; }
void SWindow::BringWindowToTop() {}
BOOL SWindow::BuildFromXml(pugi::xml_node) { return FALSE; }
BOOL SWindow::BuildChildren(pugi::xml_node) { return FALSE; }
SWindow* SWindow::FindChildByID(int, int) const { return nullptr; }
SWindow* SWindow::FindChildByName(LPCWSTR, int) const { return nullptr; }
void SWindow::LogChildByNameMissing(LPCWSTR, LPCWSTR, int) {}
void SWindow::LogChildByIdMissing(LPCWSTR, int, int) {}
HRESULT SWindow::ApplyAttribute(const SStringW&, const SStringW&, BOOL) { return E_FAIL; }
HRESULT SWindow::AfterAttribute(const SStringW&, const SStringW&, BOOL, HRESULT result) { return result; }
HRESULT SWindow::DefAttributeProc(const SStringW&, const SStringW&, BOOL) { return E_FAIL; }
LRESULT SWindow::SendSwndMessage(UINT, WPARAM, LPARAM, BOOL*) { return 0; }
void SWindow::BroadcastMessage(UINT, WPARAM, LPARAM) {}
void SWindow::SetColorizeColor(COLORREF) {}
const MSG* SWindow::GetCurMsg() const { return m_curMsg ? &m_curMsg->msg : nullptr; }
BOOL SWindow::FireCommand() { return FALSE; }
BOOL SWindow::FireCtxMenu(POINT) { return FALSE; }
BOOL SWindow::RaiseEvent(EventArgs*) { return FALSE; }
BOOL SWindow::IsVisible(BOOL) const { return TRUE; }
BOOL SWindow::IsDisabled(BOOL) const { return FALSE; }
BOOL SWindow::IsFocused() const { return FALSE; }
DWORD SWindow::ModifyState(DWORD, DWORD, BOOL) { return m_state; }
void SWindow::SetCheck(BOOL) {}
void SWindow::EnableWindow(BOOL, BOOL) {}
void SWindow::SetVisible(BOOL, BOOL) {}
void SWindow::SetFocus() {}
void SWindow::KillFocus() {}
SWND SWindow::SetCapture() { return 0; }
BOOL SWindow::ReleaseCapture() { return FALSE; }
SWND SWindow::GetCapture() const { return 0; }
BOOL SWindow::NeedRedrawOnStateChange() const { return FALSE; }
SStringW SWindow::GetWindowText(BOOL raw) const { return m_text.GetText(raw); }
void SWindow::SetWindowText(LPCWSTR) {}
void SWindow::SetTipText(LPCWSTR) {}
SStringW SWindow::GetToolTipText() const { return m_toolTipText.GetText(FALSE); }
BOOL SWindow::UpdateToolTip(POINT, SwndToolTipInfo&) { return FALSE; }
SStringW SWindow::TranslateString(const SStringW& text) const { return text; }
void SWindow::RequestRelayout(SWND, BOOL) {}
void SWindow::UpdateLayout() {}
void SWindow::UpdateChildrenPosition() {}
BOOL SWindow::OnRelayout(const RECT&) { return FALSE; }
BOOL SWindow::Move(const RECT*) { return FALSE; }
SIZE SWindow::GetDesiredSize(int, int) { return SIZE{0, 0}; }
SIZE SWindow::MeasureDesiredSize(const RECT*) { return SIZE{0, 0}; }
void SWindow::ApplyColorize(COLORREF) {}
void SWindow::OnScaleChanged(int) {}
int SWindow::OnLanguageChanged() { return 1; }
SWindow* SWindow::GetSelectedChildInGroup() { return nullptr; }
BOOL SWindow::SetTimer(char, UINT) { return FALSE; }
void SWindow::KillTimer(char) {}
BOOL SWindow::SetTimer2(UINT_PTR, UINT) { return FALSE; }
void SWindow::KillTimer2(UINT_PTR) {}
BOOL SWindow::CreateCaret(HBITMAP, int, int) { return FALSE; }
void SWindow::ShowCaret(BOOL) {}
void SWindow::SetCaretPos(int, int) {}
void SWindow::UpdateWindow() {}
BOOL SWindow::OnSetCursor(const POINT&) { return TRUE; }
BOOL SWindow::ProcessSwndMessage(UINT, WPARAM, LPARAM, LRESULT&) { return FALSE; }
BOOL SWindow::DefSwndProc(UINT, WPARAM, LPARAM, LRESULT&) { return FALSE; }
void SWindow::OnStateChanged(DWORD, DWORD) {}
int SWindow::OnWindowCreate(LPCREATESTRUCT) { return 0; }
void SWindow::OnDestroy() {}
void SWindow::OnSizeChanged(UINT, SIZE) {}
void SWindow::OnSetFocus(SWND) {}
void SWindow::OnKillFocus(SWND) {}
void SWindow::OnEnableChanged(BOOL, UINT) {}
void SWindow::OnShowWindow(BOOL, UINT) {}
void SWindow::OnLButtonDown(UINT, POINT) {}
void SWindow::OnLeftButtonUp(UINT, POINT) {}
BOOL SWindow::OnRButtonDown(UINT, POINT) { return FALSE; }
LRESULT SWindow::OnMouseWheel(UINT, short, POINT) { return 0; }
void SWindow::OnMouseHover(UINT, POINT) {}
void SWindow::OnMouseLeave() {}

}  // namespace SAKU
