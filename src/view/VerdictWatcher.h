#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CTesselSession;

// Judges every row as Go's preview would, while the user edits: a short while after the
// list last changed, the rows are copied and the preview is worked out on a thread of its
// own, so that typing is never held up by the file system. The verdicts of the latest
// copy are handed back; older ones are dropped.
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

signals:
    void VerdictsChanged();

private:
    struct SLink {
        std::mutex mutex;
        CVerdictWatcher* pWatcher;
    };
    void Start();
    void Finished(unsigned generation, std::vector<int> verdicts);

    CTesselSession& m_session;
    QTimer m_quiet;
    std::thread m_worker;
    std::shared_ptr<SLink> m_pLink;
    std::vector<int> m_verdicts;
    unsigned m_nGeneration = 0;
    bool m_bRunning = false;
    bool m_bStale = false;
};
