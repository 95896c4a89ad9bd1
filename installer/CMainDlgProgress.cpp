#include "CMainDlg.h"

#include "controls/SAnimateImgWnd.h"
#include "controls/SButton.h"
#include "controls/SListView.h"
#include "controls/SProgress.h"
#include "controls/SStatic.h"
#include "controls/STabCtrl.h"

#include "report/CompletionReports.h"
#include "service/InstallService.h"

#include <string>

using namespace SAKU;

namespace {

constexpr int kModulePage = 1;
constexpr int kCompletionPage = 4;
constexpr UINT kFocusRetryMs = 50;

// The texts of the install page's "title", "textline1" and "textline2" under
// each slide; the first two slides share theirs.
struct SlideTexts {
    const wchar_t* title;
    const wchar_t* line1;
    const wchar_t* line2;
};
constexpr SlideTexts kSlideTexts[] = {
    {L"壁纸商店 海量资源下载", L"独家内嵌壁纸商店 收录海量资源", L"ACG、游戏、MMD....只有你想要的"},
    {L"壁纸商店 海量资源下载", L"独家内嵌壁纸商店 收录海量资源", L"ACG、游戏、MMD....只有你想要的"},
    {L"动态交互壁纸", L"采用自主研发的高性能内核", L"占用资源极低 小身板大能量"},
    {L"动态交互壁纸", L"海量资源搜罗其中", L"漏番什么的完全不存在的"},
};
constexpr int kSlideCount = 4;

// Which slide shows: one for the process, so a second installation in the same
// run goes on where the first one stopped.
int g_slide = 0;

void ShowAnimation(SAnimateImgWnd* animation, bool show)
{
    if (!animation)
        return;
    if (show) {
        animation->Start();
        animation->SetVisible(TRUE, TRUE);
    } else {
        animation->Stop();
        animation->SetVisible(FALSE, TRUE);
    }
}

}  // namespace

LRESULT CMainDlg::OnEngineMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_engine.Handle(message, wParam, lParam);
    return 0;
}

void CMainDlg::ShowProgress(int value)
{
    if (m_progress)
        m_progress->SetValue(value);
    if (m_textPercent)
        m_textPercent->SetWindowText((std::to_wstring(value) + L"%").c_str());
}

void CMainDlg::ShowActivity(const std::wstring& text)
{
    if (m_textInstalling)
        m_textInstalling->SetWindowText(text.c_str());
}

void CMainDlg::FocusModuleList()
{
    auto* const list = FindChildByName2<SListView>(L"download_listview");
    if (!list)
        return;
    // A hidden window takes no focus, and the tab control shows its new page
    // only once the slide to it has ended: the list is asked again then.
    if (!list->IsVisible(TRUE) && m_tabMain && m_tabMain->GetCurSel() == kModulePage) {
        CSimpleWnd::SetTimer(kFocusListTimer, kFocusRetryMs);
        return;
    }
    list->SetFocus();
}

void CMainDlg::ShowCompletion()
{
    StopSlides();
    ShowAnimation(m_animateFinished, true);
    SetPage(m_tabMain, kCompletionPage);
    if (m_btnMin)
        m_btnMin->ApplyAttribute(L"pos", L"-60,0", FALSE);
    if (m_btnClose)
        m_btnClose->SetVisible(TRUE, TRUE);
    tivala::QueueCompletionReports(m_reporter, tivala::InstallService::GetInstance());
    m_reportsQueued = true;
}

void CMainDlg::StartSlides()
{
    CSimpleWnd::SetTimer(kSlideTimer, kSlideMs);
    if (!m_slides.empty())
        ShowAnimation(m_slides[0], true);
}

void CMainDlg::StopSlides()
{
    CSimpleWnd::KillTimer(kSlideTimer);
    for (SAnimateImgWnd* slide : m_slides)
        ShowAnimation(slide, false);
}

void CMainDlg::OnSlideTimer()
{
    const int previous = g_slide;
    g_slide = (g_slide + 1) % kSlideCount;
    const SlideTexts& texts = kSlideTexts[g_slide];
    const std::pair<const wchar_t*, const wchar_t*> lines[] = {
        {L"title", texts.title}, {L"textline1", texts.line1}, {L"textline2", texts.line2}};
    for (const auto& [name, text] : lines) {
        if (auto* const line = FindChildByName2<SStatic>(name))
            line->SetWindowText(text);
    }
    if (previous < static_cast<int>(m_slides.size()))
        ShowAnimation(m_slides[previous], false);
    if (g_slide < static_cast<int>(m_slides.size()))
        ShowAnimation(m_slides[g_slide], true);
}
