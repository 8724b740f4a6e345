#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

class CTesselDoc;
class CTesselSession;
class QSettings;
class QWidget;

// New, Open, Save, Save As and Save to Text File from the window: the file dialogs, the
// question about unsaved changes, the recent files, and a guard against overwriting a
// list that another program changed since it was opened here.
class CDocumentCommands : public QObject {
    Q_OBJECT
public:
    CDocumentCommands(CTesselSession& session, CTesselDoc& doc, QSettings& settings,
                      QWidget& window);

    // True when the current list may be left: changed tags and an unsaved list were
    // offered for saving and the user did not cancel.
    bool MayLeaveList();
    void New();
    void Open();
    bool OpenPath(const QString& path);
    bool Save();
    bool SaveAs();
    void SaveToTextFile();

    QString DisplayName() const;
    QStringList RecentFiles() const;

    static constexpr int kRecentFiles = 4;

signals:
    void DocumentChanged();

private:
    // Saves under the list's lock; sameList: the list's own file, checked for a change made
    // by another program since it was opened here.
    bool SaveTo(const QString& path, bool sameList);
    // Asks whether to overwrite a list another program changed; Reload sets m_bReload.
    bool AskOverwriteChanged();
    void AddRecent(const QString& path);
    void RememberDiskState();
    bool ChangedOnDisk() const;

    CTesselSession& m_session;
    CTesselDoc& m_doc;
    QSettings& m_settings;
    QWidget& m_window;
    QDateTime m_diskModified;
    qint64 m_nDiskSize = -1;
    bool m_bReload = false;
};
