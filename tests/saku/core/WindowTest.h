#pragma once

// What the window tests stand on: the application with the window class
// registered, the window table, a recording container, and trees built from
// layout text. Windows place their children with the library's default layout;
// a layout names "testlayout" where a test counts layout runs or needs a layout
// that takes an attribute: it places each child at the top-left of the area with
// its given or desired size.

#include "RecordingContainer.h"
#include "SakuAppTest.h"

#include "core/ILayout.h"
#include "core/SAttributeMap.h"
#include "core/SWindow.h"
#include "core/SWindowMgr.h"

#include <pugixml.hpp>

#include <algorithm>
#include <memory>
#include <string>

namespace saku_test {

class STestLayoutParam : public SAKU::SObjectImpl<SAKU::ILayoutParam>,
                         public SAKU::TObjRefImpl2<SAKU::IObjRef, STestLayoutParam> {
public:
    SOBJECT_CLASS(SAKU::SObjectImpl<SAKU::ILayoutParam>, L"TestLayoutParam", SAKU::kObjTypeNone)

    long AddRef() override { return TObjRefImpl2::AddRef(); }
    long Release() override { return TObjRefImpl2::Release(); }
    void OnFinalRelease() override { TObjRefImpl2::OnFinalRelease(); }

    HRESULT ApplyAttribute(const SAKU::SStringW& name, const SAKU::SStringW& value, BOOL) override
    {
        if (_wcsicmp(name.c_str(), L"width") == 0)
            return Parse(m_size[0], value);
        if (_wcsicmp(name.c_str(), L"height") == 0)
            return Parse(m_size[1], value);
        if (_wcsicmp(name.c_str(), L"pos") == 0)
            return S_OK;
        return E_NOTIMPL;
    }

    void Clear() override
    {
        m_size[0].SetWrapContent();
        m_size[1].SetWrapContent();
    }
    bool IsMatchParent(SAKU::ORIENTATION o) const override { return Test(o, &SAKU::SLayoutDim::IsMatchParent); }
    bool IsWrapContent(SAKU::ORIENTATION o) const override { return Test(o, &SAKU::SLayoutDim::IsWrapContent); }
    bool IsSpecifiedSize(SAKU::ORIENTATION o) const override { return Test(o, &SAKU::SLayoutDim::IsSpecified); }
    SAKU::SLayoutDim GetSpecifiedSize(SAKU::ORIENTATION o) const override { return m_size[o == SAKU::Vert ? 1 : 0]; }
    void SetMatchParent(SAKU::ORIENTATION o) override { Set(o, SAKU::SLayoutDim(SAKU::kSizeMatchParent, SAKU::kUnitPx)); }
    void SetWrapContent(SAKU::ORIENTATION o) override { Set(o, SAKU::SLayoutDim(SAKU::kSizeWrapContent, SAKU::kUnitPx)); }
    void SetSpecifiedSize(SAKU::ORIENTATION o, const SAKU::SLayoutDim& size) override { Set(o, size); }
    void* GetRawData() override { return m_size; }

private:
    static HRESULT Parse(SAKU::SLayoutDim& size, const SAKU::SStringW& value)
    {
        if (_wcsicmp(value.c_str(), L"matchParent") == 0 || _wcsicmp(value.c_str(), L"full") == 0)
            size.SetMatchParent();
        else if (_wcsicmp(value.c_str(), L"wrapContent") == 0)
            size.SetWrapContent();
        else
            size.Parse(value);
        return S_OK;
    }
    bool Test(SAKU::ORIENTATION o, bool (SAKU::SLayoutDim::*test)() const) const
    {
        switch (o) {
        case SAKU::Horz: return (m_size[0].*test)();
        case SAKU::Vert: return (m_size[1].*test)();
        case SAKU::Any:  return (m_size[0].*test)() || (m_size[1].*test)();
        default:         return (m_size[0].*test)() && (m_size[1].*test)();
        }
    }
    void Set(SAKU::ORIENTATION o, const SAKU::SLayoutDim& size)
    {
        if (o == SAKU::Horz || o == SAKU::Both)
            m_size[0] = size;
        if (o == SAKU::Vert || o == SAKU::Both)
            m_size[1] = size;
    }

    SAKU::SLayoutDim m_size[2] = {SAKU::SLayoutDim(SAKU::kSizeWrapContent, SAKU::kUnitPx),
                                  SAKU::SLayoutDim(SAKU::kSizeWrapContent, SAKU::kUnitPx)};
};

class STestLayout : public SAKU::SObjectImpl<SAKU::ILayout>, public SAKU::TObjRefImpl2<SAKU::IObjRef, STestLayout> {
public:
    SOBJECT_CLASS(SAKU::SObjectImpl<SAKU::ILayout>, L"testlayout", SAKU::kObjTypeLayout)
    SOBJECT_BASE_CLASS(L"object")

    HRESULT ApplyAttribute(const SAKU::SStringW& name, const SAKU::SStringW&, BOOL) override
    {
        return _wcsicmp(name.c_str(), L"spacing") == 0 ? S_FALSE : E_NOTIMPL;
    }

    long AddRef() override { return TObjRefImpl2::AddRef(); }
    long Release() override { return TObjRefImpl2::Release(); }
    void OnFinalRelease() override { TObjRefImpl2::OnFinalRelease(); }

    bool IsParamAcceptable(SAKU::ILayoutParam* param) const override
    {
        return param && param->IsClass(L"TestLayoutParam");
    }
    void LayoutChildren(SAKU::SWindow* parent) override
    {
        ++layoutRuns;
        const RECT area = parent->GetChildrenLayoutRect();
        for (SAKU::SWindow* child = parent->GetNextLayoutChild(nullptr); child; child = parent->GetNextLayoutChild(child)) {
            const SIZE size = child->GetDesiredSize(area.right - area.left, area.bottom - area.top);
            child->OnRelayout(RECT{area.left, area.top, area.left + size.cx, area.top + size.cy});
        }
    }
    SAKU::ILayoutParam* CreateLayoutParam() const override { return new STestLayoutParam; }
    int layoutRuns = 0;   // LayoutChildren calls
    SIZE MeasureChildren(SAKU::SWindow* parent, int width, int height) const override
    {
        SIZE needed = {0, 0};
        for (SAKU::SWindow* child = parent->GetNextLayoutChild(nullptr); child; child = parent->GetNextLayoutChild(child)) {
            const SIZE size = child->GetDesiredSize(width, height);
            needed.cx = std::max(needed.cx, size.cx);
            needed.cy = std::max(needed.cy, size.cy);
        }
        return needed;
    }
};

class WindowTest : public SakuAppTest {
protected:
    void SetUp() override
    {
        SakuAppTest::SetUp();
        if (!SAKU::SWindowMgr::GetInstance())
            m_windowMgr = std::make_unique<SAKU::SWindowMgr>();
        App().RegisterFactoryOf<SAKU::SWindow>();
        App().RegisterFactoryOf<STestLayout>();
    }
    void TearDown() override
    {
        m_roots.clear();
        SakuAppTest::TearDown();
        m_windowMgr.reset();
    }

    // A root window built from layout text, held by the test until it ends, in
    // the recording container.
    SAKU::SWindow* Build(const std::wstring& layout)
    {
        m_document.reset();
        EXPECT_TRUE(m_document.load_string(layout.c_str())) << "the layout text does not parse";
        SAKU::SWindow* const root = NewRoot();
        root->BuildFromXml(m_document.first_child());
        return root;
    }

    // A fresh window in the recording container, held by the test.
    SAKU::SWindow* NewRoot()
    {
        auto root = SAKU::SAutoRef<SAKU::SWindow>::Adopt(new SAKU::SWindow);
        root->SetContainer(&m_container);
        m_roots.push_back(root);
        return root.Get();
    }

    RecordingContainer m_container;
    pugi::xml_document m_document;

private:
    std::unique_ptr<SAKU::SWindowMgr> m_windowMgr;
    std::vector<SAKU::SAutoRef<SAKU::SWindow>> m_roots;
};

}  // namespace saku_test
