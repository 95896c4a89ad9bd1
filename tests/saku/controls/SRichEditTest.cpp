// The edit boxes over the text services in a test host: text set and read back
// (the installer's read-only folder boxes among them), the rules of typed
// characters (read-only, number, maximum length, password, Tab and Enter), the
// clipboard against the maximum length, the focus and its selection, the drop
// target, and the text drawn into the host's canvas with its alpha kept.

#include "ControlTest.h"

#include "controls/SEdit.h"
#include "controls/SRichEdit.h"
#include "core/STextServiceHelper.h"

#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <richedit.h>
#include <textserv.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace SAKU;
using namespace saku_test;

namespace {

class SRichEditTest : public ControlTest {
protected:
    // One edit of the layout attributes, named "e", 180 x 30 at (10, 10), focused.
    SEdit* MakeEdit(const std::wstring& attributes, const wchar_t* text = L"")
    {
        const std::wstring xml =
            L"<root><edit name='e' pos='10,10,@180,@30' " + attributes + L">" + text + L"</edit></root>";
        Build(xml.c_str());
        SEdit* const edit = Find<SEdit>(L"e");
        if (edit) {
            EXPECT_NE(nullptr, edit->GetTextServices());
        }
        return edit;
    }
    // Characters as the keyboard gives them to the focused window.
    // Enter comes as its key and its character, as TranslateMessage makes them.
    void Type(SEdit* edit, const std::wstring& text)
    {
        edit->SetFocus();
        for (const wchar_t c : text) {
            if (c == L'\r')
                m_host->DoFrameEvent(WM_KEYDOWN, VK_RETURN, 1);
            m_host->DoFrameEvent(WM_CHAR, c, 1);
        }
    }
    // The text under the selection.
    static std::wstring Selected(SEdit* edit)
    {
        wchar_t text[64] = {};
        edit->SendSwndMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
    static std::wstring Text(SWindow* window) { return window->GetWindowText().c_str(); }
};

// Owns the clipboard for a test through a message-only window.
class ClipboardText {
public:
    explicit ClipboardText(const std::wstring& text)
        : m_window(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
        if (!m_window || !::OpenClipboard(m_window.Get()))
            return;
        ::EmptyClipboard();
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        if (HGLOBAL const memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            memcpy(::GlobalLock(memory), text.c_str(), bytes);
            ::GlobalUnlock(memory);
            if (::SetClipboardData(CF_UNICODETEXT, memory))
                m_set = true;
            else
                ::GlobalFree(memory);
        }
        ::CloseClipboard();
    }
    ~ClipboardText()
    {
        if (m_window && ::OpenClipboard(m_window.Get())) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
    }
    bool IsSet() const { return m_set; }

private:
    UniqueWindow m_window;
    bool m_set = false;
};

}  // namespace

TEST_F(SRichEditTest, ClassesAndDefaults)
{
    SEdit* const edit = MakeEdit(L"");
    ASSERT_NE(nullptr, edit);
    EXPECT_TRUE(edit->IsClass(L"richedit"));
    EXPECT_TRUE(edit->IsClass(L"div"));
    EXPECT_TRUE(edit->IsFocusable());
    EXPECT_EQ(0x7FFF, edit->GetMaxLength());
    EXPECT_EQ(L'*', edit->GetPasswordChar());
    EXPECT_EQ(static_cast<DWORD>(ES_AUTOHSCROLL), edit->GetEditStyle());
    // The rich edit's options without rich text, with the selection on focus.
    EXPECT_EQ(kEditAutoWordSel | kEditSaveSel | kEditVCenter | kEditAutoSel, edit->GetEditOptions());
    EXPECT_EQ(0xFFCCCCCCu, edit->GetCueColor());
}

// The wizard reads its install and resource folders from two read-only edits it
// finds by id and fills itself.
TEST_F(SRichEditTest, ReadOnlyFolderBoxShowsAndReturnsACjkPath)
{
    Build(L"<root><edit id='1000' pos='10,10,@180,@30' readonly='1' colorBkgnd='#ffffff'/>"
          L"<edit id='1011' pos='10,50,@180,@30' readOnly='1'>C:\\Tivala</edit></root>");
    auto* const install = static_cast<SRichEdit*>(m_host->FindChildByID(1000));
    auto* const resources = static_cast<SRichEdit*>(m_host->FindChildByID(1011));
    ASSERT_NE(nullptr, install);
    ASSERT_NE(nullptr, resources);
    ASSERT_TRUE(install->IsClass(L"edit"));
    EXPECT_TRUE(install->GetEditStyle() & ES_READONLY);
    EXPECT_EQ(L"C:\\Tivala", Text(resources));   // the layout's text

    const std::wstring path = L"D:\\用户\\应用数据\\Tivala壁纸\\";
    Paint();
    const Pixels empty = ReadPixels(m_host->Canvas());
    install->SetWindowText(path.c_str());
    EXPECT_EQ(path, Text(install));
    Paint();
    EXPECT_NE(empty, ReadPixels(m_host->Canvas()));
    Keep(L"edit_readonly_cjk");

    // The user can neither type nor paste into it.
    Type(static_cast<SEdit*>(install), L"x\b");
    install->SendSwndMessage(WM_KEYDOWN, VK_DELETE, 0);
    const ClipboardText clipboard(L"E:\\other");
    ASSERT_TRUE(clipboard.IsSet());
    install->SendSwndMessage(WM_PASTE);
    install->SendSwndMessage(WM_CUT);
    EXPECT_EQ(path, Text(install));
}

TEST_F(SRichEditTest, TypedCharactersFollowTheEditsRules)
{
    const struct {
        const wchar_t* attributes;
        const wchar_t* typed;
        const wchar_t* expected;
    } cases[] = {
        {L"",                               L"abc 123",       L"abc 123"},
        {L"readOnly='1'",                   L"abc",           L""},
        {L"number='1'",                     L"a-1,2.3b\x4E2D", L"-1,2.3"},
        {L"maxBuf='5'",                     L"abcdefgh",      L"abcde"},
        {L"password='1'",                   L"secret",        L"secret"},
        {L"",                               L"a\tb\rc",       L"abc"},     // Tab and Enter are the dialog's
        {L"multiLines='1' wantReturn='1'",  L"a\rb",          L"a\r\nb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        SEdit* const edit = MakeEdit(c.attributes);
        ASSERT_NE(nullptr, edit);
        Type(edit, c.typed);
        EXPECT_EQ(c.expected, Text(edit));
        m_host->DestroyChild(edit);
    }
}

TEST_F(SRichEditTest, BackspaceWorksInANumberEdit)
{
    SEdit* const edit = MakeEdit(L"number='1'");
    ASSERT_NE(nullptr, edit);
    Type(edit, L"123");
    m_host->DoFrameEvent(WM_KEYDOWN, VK_BACK, 1);
    m_host->DoFrameEvent(WM_CHAR, L'\b', 1);
    m_host->DoFrameEvent(WM_KEYUP, VK_BACK, 1);
    EXPECT_EQ(L"12", Text(edit));
}

TEST_F(SRichEditTest, EnterReachesTheDialogUnlessTheEditWantsIt)
{
    SEdit* const single = MakeEdit(L"");
    ASSERT_NE(nullptr, single);
    BOOL handled = TRUE;
    single->SendSwndMessage(WM_KEYDOWN, VK_RETURN, 1, &handled);
    EXPECT_FALSE(handled);
    handled = FALSE;
    single->SendSwndMessage(WM_KEYDOWN, VK_END, 1, &handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(0x9u, single->OnGetDlgCode());
    m_host->DestroyChild(single);

    SEdit* const multi = MakeEdit(L"multiLines='1' wantReturn='1'");
    ASSERT_NE(nullptr, multi);
    handled = FALSE;
    multi->SendSwndMessage(WM_KEYDOWN, VK_RETURN, 1, &handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(0xDu, multi->OnGetDlgCode());
}

// Text the program sets is kept whole; the limit binds what the user adds.
TEST_F(SRichEditTest, SetTextLongerThanTheLimitRaisesIt)
{
    SEdit* const edit = MakeEdit(L"maxBuf='4'");
    ASSERT_NE(nullptr, edit);
    edit->SetWindowText(L"C:\\Program Files");
    EXPECT_EQ(L"C:\\Program Files", Text(edit));
    EXPECT_EQ(16, edit->GetMaxLength());
    edit->SendSwndMessage(EM_EXLIMITTEXT, 0, 0);
    EXPECT_EQ(0x7FFF, edit->GetMaxLength());
}

TEST_F(SRichEditTest, PastingAMegabyteKeepsWhatFits)
{
    SEdit* const edit = MakeEdit(L"maxBuf='300'");
    ASSERT_NE(nullptr, edit);
    std::wstring megabyte(512 * 1024, L'x');   // 1 MB of UTF-16
    for (size_t i = 0; i < megabyte.size(); i += 7)
        megabyte[i] = L'壁';
    const ClipboardText clipboard(megabyte);
    ASSERT_TRUE(clipboard.IsSet());
    Type(edit, L"ab");
    edit->SendSwndMessage(WM_PASTE);
    const std::wstring text = Text(edit);
    ASSERT_EQ(300u, text.size());   // (never print a megabyte)
    EXPECT_TRUE(L"ab" + megabyte.substr(0, 298) == text);
}

TEST_F(SRichEditTest, AutoSelFocusSelectsAllAndTheClickDoesNotMoveTheCaret)
{
    SEdit* const edit = MakeEdit(L"", L"wallpaper");
    ASSERT_NE(nullptr, edit);
    ASSERT_FALSE(edit->IsFocused());
    m_host->Mouse(WM_LBUTTONDOWN, 30, 25);
    m_host->Mouse(WM_LBUTTONUP, 30, 25);
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_EQ(L"wallpaper", Selected(edit));

    // A second click, now focused, places the caret.
    m_host->Mouse(WM_LBUTTONDOWN, 12, 25);
    m_host->Mouse(WM_LBUTTONUP, 12, 25);
    EXPECT_EQ(L"", Selected(edit));
}

TEST_F(SRichEditTest, AReadOnlyEditRegistersNoDropTarget)
{
    SEdit* const edit = MakeEdit(L"enableDragdrop='1'");
    ASSERT_NE(nullptr, edit);
    EXPECT_TRUE(edit->HasDropTarget());
    edit->SendSwndMessage(EM_SETREADONLY, TRUE);
    EXPECT_TRUE(edit->GetEditStyle() & ES_READONLY);
    EXPECT_FALSE(edit->HasDropTarget());
    edit->SendSwndMessage(EM_SETREADONLY, FALSE);
    EXPECT_TRUE(edit->HasDropTarget());
    EXPECT_FALSE(m_host->RegisterDragDrop(edit->GetSwnd(), nullptr));   // the edit's is in place
}

// The services draw with GDI, which clears the alpha of what it writes; the
// edit gives the pixels back the alpha of the background below them.
TEST_F(SRichEditTest, TextIsDrawnWithTheBackgroundsAlphaKept)
{
    SEdit* const edit = MakeEdit(L"colorBkgnd='#20408080' colorText='#000000'");
    ASSERT_NE(nullptr, edit);
    Paint();
    const Pixels empty = ReadPixels(m_host->Canvas());
    edit->SetWindowText(L"Tivala 壁纸");
    Paint();
    const Pixels drawn = ReadPixels(m_host->Canvas());
    Keep(L"edit_translucent");
    const RECT client = edit->GetClientRect();
    int changed = 0;
    for (int y = client.top; y < client.bottom; ++y) {
        for (int x = client.left; x < client.right; ++x) {
            const std::uint32_t pixel = PixelAt(drawn, kWidth, x, y);
            ASSERT_EQ(0x80u, pixel >> 24) << x << "," << y;
            changed += pixel != PixelAt(empty, kWidth, x, y);
        }
    }
    EXPECT_GT(changed, 30);
    EXPECT_EQ(0u, PixelAt(drawn, kWidth, 5, 5));   // nothing outside the edit
}

// A single-line plain edit centres its line in its height; an inset moves the
// text in from the edges it names.
TEST_F(SRichEditTest, TheLineSitsWhereTheInsetPutsIt)
{
    const struct {
        const wchar_t* attributes;
        bool centred;      // else: the text's top at the inset's top
        int insetTop;
        int insetLeft;
    } cases[] = {
        {L"rich='0'", true, 0, 0},
        {L"rich='0' multiLines='1' inset='6,9,0,0'", false, 9, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        SEdit* const edit = MakeEdit(std::wstring(c.attributes) + L" colorBkgnd='#ffffff' colorText='#000000'");
        ASSERT_NE(nullptr, edit);
        edit->SetWindowText(L"Tivala 壁纸 Ag");
        Paint();
        const Pixels drawn = ReadPixels(m_host->Canvas());
        const RECT client = edit->GetClientRect();
        int top = client.bottom, bottom = client.top - 1, left = client.right;
        for (int y = client.top; y < client.bottom; ++y) {
            for (int x = client.left; x < client.right; ++x) {
                if ((PixelAt(drawn, kWidth, x, y) & 0xFF) < 0x80) {   // ink on the white
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    left = std::min(left, x);
                }
            }
        }
        ASSERT_LE(top, bottom) << "no text drawn";
        if (c.centred) {
            const int gapAbove = top - client.top;
            const int gapBelow = client.bottom - 1 - bottom;
            EXPECT_LE(std::abs(gapAbove - gapBelow), 6) << gapAbove << " above, " << gapBelow << " below";
        } else {
            EXPECT_GE(top, client.top + c.insetTop);
            EXPECT_LE(top, client.top + c.insetTop + 6);
        }
        EXPECT_GE(left, client.left + c.insetLeft);
        EXPECT_LE(left, client.left + c.insetLeft + 4);
        m_host->DestroyChild(edit);
    }
}

// Drawn as its password character: any text of a length looks the same.
TEST_F(SRichEditTest, PasswordTextIsDrawnAsItsCharacter)
{
    SEdit* const edit = MakeEdit(L"password='1' colorBkgnd='#ffffff'");
    ASSERT_NE(nullptr, edit);
    edit->SetWindowText(L"WWWW");
    Paint();
    const Pixels wide = ReadPixels(m_host->Canvas());
    edit->SetWindowText(L"iiii");
    Paint();
    EXPECT_EQ(wide, ReadPixels(m_host->Canvas()));
    edit->ApplyAttribute(L"password", L"0", FALSE);
    Paint();
    EXPECT_NE(wide, ReadPixels(m_host->Canvas()));
}

TEST_F(SRichEditTest, CueTextShowsWhileEmptyAndUnfocused)
{
    SEdit* const edit = MakeEdit(L"cueText='folder' colorBkgnd='#ffffff'");
    ASSERT_NE(nullptr, edit);
    const auto paint = [&](const wchar_t* cue) {
        edit->ApplyAttribute(L"cueText", cue, FALSE);
        Paint();
        return ReadPixels(m_host->Canvas());
    };
    const Pixels blank = paint(L"");
    EXPECT_NE(blank, paint(L"folder"));
    Keep(L"edit_cue");
    edit->SetWindowText(L"x");
    EXPECT_EQ(paint(L""), paint(L"folder"));
    edit->SetWindowText(L"");
    edit->SetFocus();
    EXPECT_EQ(paint(L""), paint(L"folder"));
}

TEST_F(SRichEditTest, NotificationsReachSubscribers)
{
    SEdit* const edit = MakeEdit(L"notifyChange='1'");
    ASSERT_NE(nullptr, edit);
    struct Changes {
        int count = 0;
        BOOL OnNotify(EventArgs* args)
        {
            count += static_cast<EventRENotify*>(args)->code == EN_CHANGE;
            return TRUE;
        }
    } changes;
    edit->GetEventSet()->SubscribeEvent(EventRENotify::EventID, Subscriber(&Changes::OnNotify, &changes));
    Type(edit, L"ab");
    EXPECT_GE(changes.count, 2);
}

TEST_F(SRichEditTest, CreationFailsWithoutTheLibrary)
{
    STextServiceHelper::Destroy();   // the application's
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(L"<root><edit name='e' pos='0,0,@50,@20'/></root>"));
    m_host->BuildChildren(document.first_child());
    EXPECT_EQ(nullptr, m_host->FindChildByName(L"e"));
    EXPECT_TRUE(STextServiceHelper::Init());
}

TEST_F(SRichEditTest, ContextMenuOffersWhatCanRunNow)
{
    const struct {
        const wchar_t* attributes;
        bool select;
        bool clipboard;
        const char* enabled;   // cut, copy, paste, delete, select all
    } cases[] = {
        {L"",               false, false, "....A"},
        {L"",               true,  true,  "XCPDA"},
        {L"readOnly='1'",   true,  true,  ".C..A"},   // copy and select all only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        SEdit* const edit = MakeEdit(c.attributes, L"C:\\Tivala");
        ASSERT_NE(nullptr, edit);
        const ClipboardText clipboard(c.clipboard ? L"D:\\" : L"");
        if (!c.clipboard)
            ::OpenClipboard(nullptr) && ::EmptyClipboard() && ::CloseClipboard();
        edit->SendSwndMessage(EM_SETSEL, 0, c.select ? 3 : 0);
        HMENU const menu = ::CreatePopupMenu();
        for (UINT id = kEditMenuCut; id <= kEditMenuSelectAll; ++id)
            ::AppendMenuW(menu, MF_STRING, id, L"item");
        edit->UpdateEditMenu(menu);
        std::string enabled;
        for (UINT id = kEditMenuCut; id <= kEditMenuSelectAll; ++id)
            enabled += (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) ? '.' : "XCPDA"[id - 1];
        EXPECT_EQ(c.enabled, enabled);
        ::DestroyMenu(menu);
        m_host->DestroyChild(edit);
    }
}

// Wine's text services give no drop target to a windowless host: a drag over the
// edit is refused rather than handed to nothing.
TEST_F(SRichEditTest, ADragOverAnEditWithoutTheServicesTargetIsRefused)
{
    SEdit* const edit = MakeEdit(L"enableDragdrop='1'", L"C:\\Tivala");
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(edit->HasDropTarget());
    IDropTarget* const host = m_host->GetDropTarget();
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, host->DragEnter(nullptr, 0, POINTL{40, 25}, &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, host->DragOver(0, POINTL{50, 25}, &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, host->Drop(nullptr, 0, POINTL{50, 25}, &effect));
    EXPECT_EQ(L"C:\\Tivala", Text(edit));
}
