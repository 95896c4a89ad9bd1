#pragma once

#include "controls/SAdapterBase.h"
#include "core/SAutoRef.h"

#include <functional>
#include <string>
#include <vector>

namespace SAKU {
class EventArgs;
struct IBitmap;
}  // namespace SAKU

// The rows of the module list "download_listview": one per module offered to
// the user, with its check box, icon, name and description. A click on a row
// ticks or unticks the module in the install service, except for a module that
// an earlier installation has (locked), which stays as it is; each change of the
// service's selection is then told to the owner, whose checks depend on it. Made
// by the main dialog and handed to the list, which keeps it alive; it reads the
// modules from the install service whenever a row is shown, so the list shows
// the service's selection. UI thread.
class CTestAdapterFlex : public SAKU::SAdapterBase {
public:
    static constexpr int kDefaultRowHeight = 40;

    // One row per key (a module's appPath), in order; the icons are decoded now.
    // `choiceChanged` runs after the user's click has changed the selection.
    explicit CTestAdapterFlex(std::vector<std::wstring> appPaths, std::function<void()> choiceChanged = {});

    const std::wstring& GetKey(int position) const { return m_keys[position]; }

    // ILvAdapter overrides
    int GetCount() override { return static_cast<int>(m_keys.size()); }
    void GetView(int position, SAKU::SWindow* itemWnd, pugi::xml_node xmlTemplate) override;
    int GetItemViewType(int position, DWORD state) override;
    int GetViewTypeCount() override { return 3; }
    void GetViewDesiredSize(SIZE* size, int position, SAKU::SWindow* itemWnd, const RECT* container) override;
    void InitByTemplate(pugi::xml_node xmlTemplate) override;

private:
    BOOL OnItemStateChanged(SAKU::EventArgs* args);
    BOOL OnItemClick(SAKU::EventArgs* args);
    BOOL OnCheckboxStateChanged(SAKU::EventArgs* args);

    int m_oddHeight = kDefaultRowHeight;
    int m_evenHeight = kDefaultRowHeight;
    int m_evenSelHeight = kDefaultRowHeight;
    std::vector<std::wstring> m_keys;
    std::function<void()> m_choiceChanged;
    std::vector<SAKU::SAutoRef<SAKU::IBitmap>> m_icons;   // one per key, empty when the module has none
};
