// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CTesselSession;

// Judges every row as Go's preview would, while the user edits: a short while after the
// list last changed, the rows are copied and the preview is worked out on a thread of its
// own, so that typing is never held up by the file system. The verdicts of the latest
// copy are handed back; older ones are dropped.
//
// The copy is made on the window's thread, a slice of rows at a time between its other
// events, and holds only the four texts the planner reads: on a long list one copy of
// every entry at once would hold up typing for longer than a frame. A change of the list
// while it is being copied drops the copy; the next quiet moment starts another.
class CVerdictWatcher : public QObject {
    Q_OBJECT
public:
    explicit CVerdictWatcher(CTesselSession& session, QObject* parent = nullptr);
    ~CVerdictWatcher() override;

    // The list changed: judge it again once it has been quiet for a moment.
    void Schedule();
    // One result code per row, or none while nothing was judged (or in MP3 mode).
    const std::vector<int>& Verdicts() const { return m_verdicts; }

    static constexpr int kQuietMs = 250;
    static constexpr int kRowsPerSlice = 4096;

    // What the planner reads of a row.
    struct SRowTexts {
        std::string strName, strNewName, strExt, strPath;
    };

signals:
    void VerdictsChanged();

private:
    struct SLink {
        std::mutex mutex;
        CVerdictWatcher* pWatcher;
    };
    void Start();
    void CopySlice();
    void Judge();
    void Finished(unsigned generation, std::vector<int> verdicts);

    CTesselSession& m_session;
    QTimer m_quiet;
    std::thread m_worker;
    std::shared_ptr<SLink> m_pLink;
    std::vector<int> m_verdicts;
    std::vector<SRowTexts> m_copy;  // the rows copied so far
    size_t m_nCopyRows = 0;         // of this many
    unsigned m_nGeneration = 0;
    unsigned m_nCopyGeneration = 0;  // the list's generation when the copy began
    bool m_bCopying = false;
    bool m_bRunning = false;
    bool m_bStale = false;
};
