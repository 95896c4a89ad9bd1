#include "CInstallSlides.h"

#include "ISlideTimer.h"
#include "ShowAnimation.h"

#include "controls/SAnimateImgWnd.h"
#include "controls/SStatic.h"

#include <iterator>
#include <utility>

using namespace SAKU;

namespace {

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
constexpr int kSlideCount = static_cast<int>(std::size(kSlideTexts));

// Which slide shows: one for the process, so a second installation in the same
// run goes on where the first one stopped.
int g_slide = 0;

}  // namespace

void CInstallSlides::FindAnimations()
{
    for (const wchar_t* name : {L"animate_install1", L"animate_install2", L"animate_install3", L"animate_install4"})
        m_animations.push_back(m_root.FindChildByName2<SAnimateImgWnd>(name));
}

void CInstallSlides::Start()
{
    m_timer.StartSlideTimer();
    if (!m_animations.empty())
        ShowAnimation(m_animations[0], true);
}

void CInstallSlides::Stop()
{
    m_timer.StopSlideTimer();
    for (SAnimateImgWnd* animation : m_animations)
        ShowAnimation(animation, false);
}

void CInstallSlides::Turn()
{
    const int previous = g_slide;
    g_slide = (g_slide + 1) % kSlideCount;
    const SlideTexts& texts = kSlideTexts[g_slide];
    const std::pair<const wchar_t*, const wchar_t*> lines[] = {
        {L"title", texts.title}, {L"textline1", texts.line1}, {L"textline2", texts.line2}};
    for (const auto& [name, text] : lines) {
        if (auto* const line = m_root.FindChildByName2<SStatic>(name))
            line->SetWindowText(text);
    }
    if (previous < static_cast<int>(m_animations.size()))
        ShowAnimation(m_animations[previous], false);
    if (g_slide < static_cast<int>(m_animations.size()))
        ShowAnimation(m_animations[g_slide], true);
}
