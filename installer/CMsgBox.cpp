#include "CMsgBox.h"

#include "FindNamed.h"

#include "controls/SStatic.h"
#include "controls/STabCtrl.h"
#include "core/Events.h"

using namespace SAKU;

namespace {

// The layout's pages: one button, or the question with two.
constexpr int kOneButtonPage = 0;
constexpr int kTwoButtonsPage = 1;

}  // namespace

CMsgBox::CMsgBox(HWND owner, LPCWSTR title, LPCWSTR text, int type)
    : SHostDialog(L"LAYOUT:xml_messagebox"),
      m_owner(owner),
      m_title(title),
      m_text(text),
      m_type(type),
      m_answer(type == kOneButton ? 1 : 0)
{
}

BOOL CMsgBox::OnInitDialog()
{
    STabCtrl* const buttons = FindChildByName2<STabCtrl>(L"btnSwitch");
    STabCtrl* const texts = FindChildByName2<STabCtrl>(L"showSwitch");
    if (!buttons || !texts)
        return TRUE;
    const wchar_t* textName = nullptr;
    int page = 0;
    if (m_type == kOneButton) {
        m_answer = 1;
        page = kOneButtonPage;
        textName = L"page_ok_msgtext";
    } else if (m_type == kTwoButtons) {
        m_answer = 0;
        page = kTwoButtonsPage;
        textName = L"page_okcancle_msgtext";
    } else {
        return TRUE;
    }
    buttons->SetCurSel(page);
    texts->SetCurSel(page);
    if (SStatic* const text = FindChildByName2<SStatic>(textName))
        text->SetWindowText(m_text.c_str());
    return TRUE;
}

BOOL CMsgBox::HandleEvent(EventArgs* args)
{
    if (!args || args->GetID() != EventCmd::EventID)
        return FALSE;
    static const struct {
        const wchar_t* name;
        int answer;
    } kButtons[] = {
        {L"page_ok_btn_ok",           1},
        {L"page_okcancle_btn_ok",     1},
        {L"page_okcancle_btn_cancle", 0},
    };
    if (const auto* const button = FindNamed(kButtons, args->nameFrom.c_str())) {
        Answer(button->answer);
        return TRUE;
    }
    // Any other sender with the id 1 or 2 ends the box as OK or Cancel would.
    return SHostDialog::HandleEvent(args);
}

void CMsgBox::Answer(int answer)
{
    EndDialog(1);
    // The button that asked is kept alive by its own reference for the call.
    DestroyHostWindow();
    m_answer = answer;
}
