// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "model/CommandId.h"

class CDocumentCommands;
class CJobRunner;
class IJob;
class CWindowRuns;
class CListModel;
class CTesselDoc;
class CTesselSession;
class CTesselView;
class CVerdictWatcher;
class IProfile;
class QLabel;
class QMenu;
class QSettings;
class QToolBar;
struct SMenuSpec;

// The main window: the menus, the toolbar and the status bar built from the command
// table, the list view in the middle, and one place where every command is carried out
// by the core and the shown states are brought up to date afterwards.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CTesselSession& session, CTesselDoc& doc, IProfile& profile, QSettings& settings);
    ~CMainFrame() override;

    // Carries out a command when its enable rule allows it now and no other one runs. A
    // long command (Add, Toggle Mode, Save ID3) goes on after this returns, as a job.
    void RunCommand(ECommandId command);
    // Runs a job of the core from the window's event loop: the window is busy (takes no
    // input and no other command, refuses to close) until the job ended and finished was
    // called. Refused (false) while the window is busy.
    bool RunJob(std::unique_ptr<IJob> job, std::function<void()> finished);
    bool IsBusy() const { return m_bBusy; }
    // Offers to put back the runs of the list open now that were interrupted (their process
    // died), and with untitledToo those of lists that had no file.
    void OfferInterruptedRuns(bool untitledToo);
    // From now on, each list opened gets the same offer for its own runs.
    void OfferForOpenedLists() { m_bOfferOnOpen = true; }
    // Gives every menu item and toolbar button the state the core's rules give it now.
    void UpdateCommandStates();
    // The same, once control is back in the event loop: for changes that come in bursts.
    void ScheduleStateUpdate();

    QAction* Action(ECommandId command) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    CTesselView& View() const { return *m_pView; }
    CListModel& Model() const { return *m_pModel; }
    CDocumentCommands& Documents() const { return *m_pDocuments; }
    // A new context menu, as a right click over the titles or the rows shows it now.
    std::unique_ptr<QMenu> ContextMenu(bool onTitles);

    void RestoreLayout();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Files and folders dropped anywhere on the window are added as on the list.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    std::unique_ptr<QMenu> BuildMenu(const SMenuSpec& spec);
    void FillRecentFiles();
    void Dispatch(ECommandId command);
    // The job of a long command, with what the window does once it ended; null for a
    // command carried out at once.
    std::unique_ptr<IJob> CommandJob(ECommandId command, std::function<void()>& finished);
    void CommandEnded();
    void DropUriList(const QByteArray& uriList);
    void ShowContextMenu(const QPoint& globalPos, bool onTitles);
    void UpdateTitle();
    // The counts of the status bar and the mode.
    void UpdateStatus();
    void SaveLayout();

    CTesselSession& m_session;
    CTesselDoc& m_doc;
    IProfile& m_profile;
    QSettings& m_settings;
    CListModel* m_pModel = nullptr;
    CTesselView* m_pView = nullptr;
    CVerdictWatcher* m_pVerdicts = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pStateLabel = nullptr;
    QLabel* m_pModeLabel = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pExitAction = nullptr;
    QList<QAction*> m_recentActions;
    std::unique_ptr<CDocumentCommands> m_pDocuments;
    std::unique_ptr<CWindowRuns> m_pRuns;
    CJobRunner* m_pRunner = nullptr;
    std::map<ECommandId, QAction*> m_actions;
    bool m_bBusy = false;
    bool m_bOfferOnOpen = false;
    bool m_bListLeft = false;      // a close may go on: the list was offered for saving
    bool m_bInCloseEvent = false;  // the offer is being made inside closeEvent
    std::string m_strOfferedPath;  // the list whose interrupted runs were last offered
    bool m_bUpdatePending = false;
};
