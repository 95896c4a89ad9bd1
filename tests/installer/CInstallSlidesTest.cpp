// The install page's slide show over a small tree of its own, with a recorder in
// the window's place for the slide timer: the timer runs only while the slides
// show, and each tick shows the next slide alone, with its texts.

#include "InstallerTest.h"

#include "CInstallSlides.h"
#include "ISlideTimer.h"

#include "controls/SAnimateImgWnd.h"

#include <memory>
#include <string>
#include <vector>

using namespace SAKU;
using namespace installer_test;

namespace {

// The slides' animations and the page's text lines, as the wizard's layouts have them.
const wchar_t kLayout[] =
    L"<SAKU width='340' height='420' wndType='normal'><root>"
    L"<animateimg name='animate_install1' skin='png_animate_install1_png' autoStart='0' visible='0'/>"
    L"<animateimg name='animate_install2' skin='png_animate_install2_png' autoStart='0' visible='0'/>"
    L"<animateimg name='animate_install3' skin='png_animate_install3_png' autoStart='0' visible='0'/>"
    L"<animateimg name='animate_install4' skin='png_animate_install4_png' autoStart='0' visible='0'/>"
    L"<text name='title' pos='50,31' width='240'/>"
    L"<text name='textline1' pos='50,256' width='240'/>"
    L"<text name='textline2' pos='50,280' width='240'/>"
    L"</root></SAKU>";

class SlideTimerRecorder : public ISlideTimer {
public:
    void StartSlideTimer() override { running = true; }
    void StopSlideTimer() override { running = false; }

    bool running = false;
};

class CInstallSlidesTest : public InstallerTest {
protected:
    void SetUp() override
    {
        InstallerTest::SetUp();
        m_host = std::make_unique<SHostWnd>();   // after the application, which a host needs
        ASSERT_TRUE(LoadLayout(*m_host, kLayout));
        m_slides = std::make_unique<CInstallSlides>(*m_host, m_timer);
        m_slides->FindAnimations();
    }
    void TearDown() override
    {
        m_slides.reset();
        if (m_host)
            DestroyHost(*m_host);
        m_host.reset();
        InstallerTest::TearDown();
    }

    // The slides (0 to 3) whose animation shows and plays.
    std::vector<int> Playing() const
    {
        std::vector<int> playing;
        for (int slide = 0; slide < 4; ++slide) {
            const std::wstring name = L"animate_install" + std::to_wstring(slide + 1);
            const auto* const animation = m_host->FindChildByName2<SAnimateImgWnd>(name.c_str());
            if (animation && animation->IsVisible(FALSE) && animation->IsPlaying())
                playing.push_back(slide);
        }
        return playing;
    }
    std::wstring Text(const wchar_t* name) const
    {
        const SWindow* const window = m_host->FindChildByName(name);
        return window ? window->GetWindowText().c_str() : L"(none)";
    }

    std::unique_ptr<SHostWnd> m_host;
    SlideTimerRecorder m_timer;
    std::unique_ptr<CInstallSlides> m_slides;
};

}  // namespace

TEST_F(CInstallSlidesTest, TheTimerRunsWhileTheSlidesShow)
{
    m_slides->Start();
    EXPECT_TRUE(m_timer.running);
    EXPECT_EQ(std::vector<int>{0}, Playing());
    m_slides->Stop();
    EXPECT_FALSE(m_timer.running);
    EXPECT_EQ(std::vector<int>{}, Playing());
}

TEST_F(CInstallSlidesTest, EachTickShowsTheNextSlideAloneWithItsTexts)
{
    const struct {
        const wchar_t* title;
        const wchar_t* line1;
    } texts[] = {
        {L"壁纸商店 海量资源下载", L"独家内嵌壁纸商店 收录海量资源"},
        {L"壁纸商店 海量资源下载", L"独家内嵌壁纸商店 收录海量资源"},   // the first two share theirs
        {L"动态交互壁纸", L"采用自主研发的高性能内核"},
        {L"动态交互壁纸", L"海量资源搜罗其中"},
    };
    // Which slide comes first is the process's: it goes on where an earlier
    // slide show stopped. Four ticks bring it back there.
    m_slides->Turn();
    const std::vector<int> first = Playing();
    ASSERT_EQ(1u, first.size());
    for (int tick = 0; tick < 4; ++tick) {
        SCOPED_TRACE(tick);
        const int slide = (first[0] + tick) % 4;
        EXPECT_EQ(std::vector<int>{slide}, Playing());
        EXPECT_EQ(texts[slide].title, Text(L"title"));
        EXPECT_EQ(texts[slide].line1, Text(L"textline1"));
        if (tick < 3)
            m_slides->Turn();
    }
    EXPECT_FALSE(m_timer.running);   // ticks alone never start it
}
