#pragma once

#include "core/SHostDialog.h"

// The installer's own modal message box, drawn from "LAYOUT:xml_messagebox":
// one button (kOneButton, the answer is 1) or two (kTwoButtons: the right
// button, "continue installing", answers 1, the left, "exit", 0). The button
// captions are the buttons' images. Built on the caller's stack and run with
// DoModal (passing the owner given here); the caller then reads GetAnswer, not
// DoModal's result. A box closed any other way keeps the answer preset for
// its type. UI thread.
class CMsgBox : public SAKU::SHostDialog {
public:
    static constexpr int kOneButton = 0;
    static constexpr int kTwoButtons = 1;

    // `title` is kept but never shown: the layout has its own title. A type
    // other than the two shows the layout as it is.
    CMsgBox(HWND owner, LPCWSTR title, LPCWSTR text, int type);

    HWND GetOwner() const { return m_owner; }
    const SAKU::SStringW& GetTitle() const { return m_title; }
    const SAKU::SStringW& GetText() const { return m_text; }
    int GetType() const { return m_type; }
    int GetAnswer() const { return m_answer; }

    // SHostDialog overrides
    BOOL HandleEvent(SAKU::EventArgs* args) override;

    BEGIN_MSG_MAP(CMsgBox)
        MSG_HANDLER  (WM_INITDIALOG, OnInitDialogMessage)
        CHAIN_MSG_MAP(SAKU::SHostDialog)
    END_MSG_MAP()

protected:
    // Shows the pages of the box's type and puts the text on the one shown.
    virtual BOOL OnInitDialog();

private:
    BOOL OnInitDialogMessage(HWND, LPARAM) { return OnInitDialog(); }
    // Ends the loop, takes the window down at once and keeps `answer`.
    void Answer(int answer);

    HWND m_owner;
    SAKU::SStringW m_title;
    SAKU::SStringW m_text;
    int m_type;
    int m_answer;
};
