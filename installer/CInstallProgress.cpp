#include "CInstallProgress.h"

#include <algorithm>

namespace {

// The largest double below 0.9, not 0.9: unpacking after moved themes but with
// every package already present ends at 99, as the product always showed it.
constexpr double kUnpackAfterThemesShare = 0x1.cccccccccccccp-1;

int BarValue(double value)
{
    return std::min(static_cast<int>(value), 100);   // the cast truncates toward zero
}

}  // namespace

int CInstallProgress::OnThemeMigrate(int percent)
{
    m_migrated = true;
    return BarValue(percent * 0.1);
}

int CInstallProgress::OnDownload(int percent)
{
    m_downloadStarted = true;
    return BarValue(m_migrated ? percent * 0.6 + 10 : percent * 0.7);
}

int CInstallProgress::OnUnpack(int percent) const
{
    if (m_downloadStarted)
        return BarValue(percent * 0.3 + 70);
    if (m_migrated)
        return BarValue(percent * kUnpackAfterThemesShare + 10);
    return BarValue(percent);
}
