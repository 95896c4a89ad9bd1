#include "ContainerTest.h"

#include "core/SDropTargetDispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;

namespace saku_test {
namespace {

// A COM object of the tests: counts its references, answers nothing else.
template <typename I>
class TestComObject : public I {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }   // on the stack: never deleted

    ULONG m_refs = 1;
};

class FakeDataObject : public TestComObject<IDataObject> {
public:
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

// Logs "name:event" (with the point for enter, over and drop) and accepts a copy.
class FakeDropTarget : public TestComObject<IDropTarget> {
public:
    FakeDropTarget(const char* name, std::vector<std::string>* log) : m_name(name), m_log(log) {}

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) override
    {
        m_data = data;
        return Note("enter", point, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL point, DWORD* effect) override { return Note("over", point, effect); }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        m_log->push_back(m_name + ":leave");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override
    {
        m_data = data;
        return Note("drop", point, effect);
    }

    IDataObject* m_data = nullptr;

private:
    HRESULT Note(const char* what, POINTL point, DWORD* effect)
    {
        m_log->push_back(m_name + ":" + what + "@" + std::to_string(point.x) + "," + std::to_string(point.y));
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }

    std::string m_name;
    std::vector<std::string>* m_log;
};

class DropTest : public ContainerTest {
protected:
    using Log = std::vector<std::string>;

    void SetUp() override
    {
        ContainerTest::SetUp();
        m_a = Add(L"a", {10, 10, 60, 60});
        m_b = Add(L"b", {100, 10, 150, 60});
        Add(L"c", {10, 100, 60, 150});   // no target of its own
    }

    DWORD Enter(int x, int y) { return Call([&](DWORD* e) { return Dispatcher().DragEnter(&m_data, 0, {x, y}, e); }); }
    DWORD Over(int x, int y) { return Call([&](DWORD* e) { return Dispatcher().DragOver(0, {x, y}, e); }); }
    DWORD DropAt(int x, int y) { return Call([&](DWORD* e) { return Dispatcher().Drop(&m_data, 0, {x, y}, e); }); }
    IDropTarget& Dispatcher() { return *m_host->GetDropTarget(); }
    Log Take()
    {
        Log log;
        log.swap(m_drops);
        return log;
    }

    STestWnd* m_a = nullptr;
    STestWnd* m_b = nullptr;
    FakeDataObject m_data;
    Log m_drops;
    FakeDropTarget m_targetA{"a", &m_drops};
    FakeDropTarget m_targetB{"b", &m_drops};
    FakeDropTarget m_targetRoot{"root", &m_drops};

private:
    template <typename F>
    DWORD Call(F call)
    {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;   // what the source allows
        EXPECT_EQ(S_OK, call(&effect));
        return effect;
    }
};

using SDropTargetDispatcherTest = DropTest;

TEST_F(SDropTargetDispatcherTest, EventsReachTheTargetOfTheWindowUnderTheCursor)
{
    ASSERT_TRUE(m_host->RegisterDragDrop(m_a->GetSwnd(), &m_targetA));
    ASSERT_TRUE(m_host->RegisterDragDrop(m_b->GetSwnd(), &m_targetB));
    EXPECT_EQ(2u, m_targetA.m_refs);

    EXPECT_EQ(DWORD(DROPEFFECT_COPY), Enter(20, 20));
    EXPECT_EQ(2u, m_data.m_refs);   // kept during the drag
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), Over(30, 30));
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), Over(120, 20));
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), Over(20, 120));   // over c, which has none
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), Over(130, 30));
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), DropAt(130, 30));
    EXPECT_EQ((Log{"a:enter@20,20", "a:over@30,30", "a:leave", "b:enter@120,20", "b:leave", "b:enter@130,30",
                   "b:drop@130,30"}),
              Take());
    EXPECT_EQ(&m_data, m_targetB.m_data);
    EXPECT_EQ(1u, m_data.m_refs);

    EXPECT_TRUE(m_host->RevokeDragDrop(m_a->GetSwnd()));
    EXPECT_FALSE(m_host->RevokeDragDrop(m_a->GetSwnd()));
    EXPECT_EQ(1u, m_targetA.m_refs);
    EXPECT_TRUE(m_host->RevokeDragDrop(m_b->GetSwnd()));
}

TEST_F(SDropTargetDispatcherTest, LeavingTheHostEndsTheInnerDrag)
{
    ASSERT_TRUE(m_host->RegisterDragDrop(m_a->GetSwnd(), &m_targetA));
    Enter(20, 20);
    ASSERT_EQ(S_OK, Dispatcher().DragLeave());
    EXPECT_EQ((Log{"a:enter@20,20", "a:leave"}), Take());
    EXPECT_EQ(1u, m_data.m_refs);

    Enter(25, 25);   // back over the same window: a new inner drag
    EXPECT_EQ((Log{"a:enter@25,25"}), Take());
    Dispatcher().DragLeave();
    Take();
    m_host->RevokeDragDrop(m_a->GetSwnd());
}

TEST_F(SDropTargetDispatcherTest, HostBorderHitsTheRootAndDropWithoutTargetDoesNothing)
{
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), Enter(190, 190));
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), DropAt(190, 190));   // the source must not take a move for done
    EXPECT_EQ(1u, m_data.m_refs);

    ASSERT_TRUE(m_host->RegisterDragDrop(m_host->GetSwnd(), &m_targetRoot));
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), Enter(190, 190));
    Dispatcher().DragLeave();
    EXPECT_EQ((Log{"root:enter@190,190", "root:leave"}), Take());
    m_host->RevokeDragDrop(m_host->GetSwnd());
}

TEST_F(SDropTargetDispatcherTest, SecondTargetOfAWindowIsRefused)
{
    ASSERT_TRUE(m_host->RegisterDragDrop(m_a->GetSwnd(), &m_targetA));
    EXPECT_FALSE(m_host->RegisterDragDrop(m_a->GetSwnd(), &m_targetB));
    EXPECT_EQ(1u, m_targetB.m_refs);
    Enter(20, 20);
    Dispatcher().DragLeave();
    EXPECT_EQ((Log{"a:enter@20,20", "a:leave"}), Take());
    m_host->RevokeDragDrop(m_a->GetSwnd());
}

TEST(SDropTargetDispatcher, IsItsOwnUncountedDropTarget)
{
    SDropTargetDispatcher dispatcher(nullptr);
    void* object = nullptr;
    EXPECT_EQ(S_OK, dispatcher.QueryInterface(IID_IUnknown, &object));
    EXPECT_EQ(static_cast<IDropTarget*>(&dispatcher), object);
    EXPECT_EQ(S_OK, dispatcher.QueryInterface(IID_IDropTarget, &object));
    object = &dispatcher;
    EXPECT_EQ(E_NOINTERFACE, dispatcher.QueryInterface(IID_IDataObject, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(1u, dispatcher.AddRef());
    EXPECT_EQ(1u, dispatcher.Release());
}

TEST(SDropTargetDispatcher, ReleasesItsTargetsWhenItDies)
{
    std::vector<std::string> log;
    FakeDropTarget target("t", &log);
    {
        SDropTargetDispatcher dispatcher(nullptr);
        EXPECT_TRUE(dispatcher.RegisterDragDrop(7, &target));
        EXPECT_EQ(2u, target.m_refs);
    }
    EXPECT_EQ(1u, target.m_refs);
}

}  // namespace
}  // namespace saku_test
