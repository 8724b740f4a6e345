// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileStamp.h"

class IJob;
class CTesselDoc;
class CTesselSession;
class QSettings;
class QWidget;

// New, Open, Save, Save As and Save to Text File from the window: the file dialogs, the
// question about unsaved changes, the recent files, and a guard against overwriting a
// list that another program changed since it was opened here. A list's path is kept as the
// file system spells it, bytes that are not UTF-8 and all; only its name on screen is text.
class CDocumentCommands : public QObject {
    Q_OBJECT
public:
    // Runs a job of the core in the window and calls finished once it ended; false when it
    // cannot start now.
    using RunJobFn = std::function<bool(std::unique_ptr<IJob>, std::function<void()> finished)>;

    CDocumentCommands(CTesselSession& session, CTesselDoc& doc, QSettings& settings,
                      QWidget& window, RunJobFn runJob);

    // Offers changed tags and then an unsaved list for saving, and tells then whether the
    // list may be left (the user did not cancel). The tags are written as a job, so then
    // may be called after this returned; without tags to offer it is called before.
    void LeaveList(std::function<void(bool mayLeave)> then);
    void New();
    void Open();
    // The list of a recent file, once the list open now was left.
    void OpenRecent(const std::string& path);
    bool OpenPath(const std::string& path);
    bool Save();
    bool SaveAs();
    void SaveToTextFile();

    QString DisplayName() const;
    std::vector<std::string> RecentFiles() const;

    static constexpr int kRecentFiles = 4;

signals:
    void DocumentChanged();

private:
    // The question about an unsaved list: true when it was saved or may be dropped.
    bool MaySaveList();
    // Saves under the list's lock; sameList: the list's own file, checked for a change made
    // by another program since it was opened here.
    bool SaveTo(const std::string& path, bool sameList);
    // Asks whether to overwrite a list another program changed; Reload sets m_bReload.
    bool AskOverwriteChanged();
    void AddRecent(const std::string& path);
    void RememberDiskState();
    bool ChangedOnDisk() const;

    CTesselSession& m_session;
    CTesselDoc& m_doc;
    QSettings& m_settings;
    QWidget& m_window;
    RunJobFn m_runJob;
    SFileStamp m_diskStamp;  // of the list's file when it was opened or saved here
    bool m_bReload = false;
};
