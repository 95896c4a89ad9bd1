#pragma once

#include "core/IObjRef.h"
#include "render/IImgDecoder.h"

#include <vector>

namespace SAKU {

// The ANSI-code-page path as wide text for LoadFromFileW; false when it does not
// convert or needs more than MAX_PATH characters with the terminator.
bool AnsiPathToWide(LPCSTR path, wchar_t (&wide)[MAX_PATH]);

// What the four modules' images share: the reference count, the frame list and the
// narrow-path load. Every module's LoadFromFileW takes a null path as a failed load. Frame is the module's IImgFrame class, stored by value; a load
// replaces m_frames, so frame pointers handed out before it are no longer valid.
template <typename Frame>
class TImgXImpl : public TObjRefImpl<IImgX> {
public:
    // IImgX overrides
    int LoadFromFileA(LPCSTR path) override
    {
        // A path that does not convert still drops the frames, as any failed load does.
        wchar_t wide[MAX_PATH];
        return this->LoadFromFileW(AnsiPathToWide(path, wide) ? wide : nullptr);
    }
    UINT GetFrameCount() override { return static_cast<UINT>(m_frames.size()); }
    IImgFrame* GetFrame(UINT index) override { return index < m_frames.size() ? &m_frames[index] : nullptr; }

protected:
    std::vector<Frame> m_frames;
};

}  // namespace SAKU
