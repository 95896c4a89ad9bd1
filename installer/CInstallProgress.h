#pragma once

// Maps the progress of the installation's three phases (moving the themes of an
// earlier installation, downloading, unpacking) onto the wizard's one bar of
// 0 to 100. Each phase takes the range that the phases before it leave: the
// themes 0-10, the downloads the next 60 or 70, unpacking the rest. Which phases
// ran is remembered from the first message of each and never forgotten, so a
// retried installation goes on in the later phase's range. Owned by the main
// dialog; UI thread.
class CInstallProgress {
public:
    // Each takes a phase's percentage and answers the bar's value: truncated
    // toward zero, at most 100, with no lower bound.
    int OnThemeMigrate(int percent);
    int OnDownload(int percent);
    int OnUnpack(int percent) const;
    // A download message arrived, a failure included.
    void MarkDownloadStarted() { m_downloadStarted = true; }

    bool Migrated() const { return m_migrated; }
    bool DownloadStarted() const { return m_downloadStarted; }

private:
    bool m_migrated = false;
    bool m_downloadStarted = false;
};
