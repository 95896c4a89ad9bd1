#include "CInstallProgress.h"

#include <gtest/gtest.h>

namespace {

enum class Phase { Themes, Download, Unpack };

// What the bar shows for a phase's percentage after the phases that ran before.
int Show(bool migrated, bool downloaded, Phase phase, int percent)
{
    CInstallProgress progress;
    if (migrated)
        (void)progress.OnThemeMigrate(0);   // only the phase's mark matters here
    if (downloaded)
        progress.MarkDownloadStarted();
    switch (phase) {
    case Phase::Themes:   return progress.OnThemeMigrate(percent);
    case Phase::Download: return progress.OnDownload(percent);
    case Phase::Unpack:   return progress.OnUnpack(percent);
    }
    return -1;
}

}  // namespace

TEST(CInstallProgress, EachPhaseTakesItsShareOfTheBar)
{
    const struct {
        bool migrated;
        bool downloaded;
        Phase phase;
        int percent;
        int shown;
    } cases[] = {
        // Themes: the first tenth.
        {false, false, Phase::Themes, 0, 0},       {false, false, Phase::Themes, 33, 3},
        {false, false, Phase::Themes, 100, 10},    {false, false, Phase::Themes, -5, 0},   // -0.5 truncates to 0
        // Downloads without themes: 0-70; after themes: 10-70.
        {false, false, Phase::Download, 0, 0},     {false, false, Phase::Download, 10, 7},
        {false, false, Phase::Download, 50, 35},   {false, false, Phase::Download, 100, 70},
        {true, false, Phase::Download, 0, 10},     {true, false, Phase::Download, 5, 13},
        {true, false, Phase::Download, 50, 40},    {true, false, Phase::Download, 100, 70},
        // Unpacking after downloads, themes or not: 70-100.
        {false, true, Phase::Unpack, 0, 70},       {false, true, Phase::Unpack, 33, 79},
        {true, true, Phase::Unpack, 50, 85},       {false, true, Phase::Unpack, 100, 100},
        // Unpacking after themes with every package present ends at 99.
        {true, false, Phase::Unpack, 0, 10},       {true, false, Phase::Unpack, 50, 54},
        {true, false, Phase::Unpack, 60, 63},      {true, false, Phase::Unpack, 90, 90},
        {true, false, Phase::Unpack, 100, 99},
        // Nothing before unpacking: the percentage itself, negative ones kept.
        {false, false, Phase::Unpack, 0, 0},       {false, false, Phase::Unpack, 42, 42},
        {false, false, Phase::Unpack, 100, 100},   {false, false, Phase::Unpack, -3, -3},
        // Above 100 shows 100.
        {false, false, Phase::Themes, 1500, 100},  {false, false, Phase::Download, 150, 100},
        {true, false, Phase::Download, 150, 100},  {false, true, Phase::Unpack, 101, 100},
        {true, false, Phase::Unpack, 200, 100},    {false, false, Phase::Unpack, 101, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "migrated " << c.migrated << ", downloaded " << c.downloaded << ", phase "
                                        << static_cast<int>(c.phase) << ", " << c.percent << "%");
        EXPECT_EQ(c.shown, Show(c.migrated, c.downloaded, c.phase, c.percent));
    }
}

TEST(CInstallProgress, PhasesAreRememberedOnceSeen)
{
    CInstallProgress progress;
    EXPECT_FALSE(progress.Migrated());
    EXPECT_FALSE(progress.DownloadStarted());
    EXPECT_EQ(5, progress.OnThemeMigrate(50));
    EXPECT_TRUE(progress.Migrated());
    EXPECT_EQ(40, progress.OnDownload(50));
    EXPECT_TRUE(progress.DownloadStarted());
    // A retried installation goes on in the later ranges: a new theme message
    // does not bring the downloads back to 0-70.
    EXPECT_EQ(10, progress.OnThemeMigrate(100));
    EXPECT_EQ(70, progress.OnDownload(100));
    EXPECT_EQ(70, progress.OnUnpack(0));
}
