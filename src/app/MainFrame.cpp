// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/DocumentCommands.h"
#include "app/HelpDialog.h"
#include "app/WindowRuns.h"
#include "files/FileAdder.h"
#include "files/RemoveCommand.h"
#include "model/CommandState.h"
#include "model/SortRows.h"
#include "model/ListState.h"
#include "model/TagEditing.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "mp3/Mp3Mode.h"
#include "mp3/NameTagConversion.h"
#include "transform/NameTools.h"
#include "transform/Numbering.h"
#include "view/CommandTable.h"
#include "view/CoreTexts.h"
#include "view/DisplayText.h"
#include "view/JobRunner.h"
#include "view/ListModel.h"
#include "view/TesselView.h"
#include "view/UriList.h"
#include "view/VerdictWatcher.h"
#include "view/dialogs/FindReplaceDlg.h"

namespace {

QString IdleText() {
    return QCoreApplication::translate("CMainFrame", "For Help, press F1");
}
// How long the counts of an undo stay in the status bar.
constexpr int kNoticeMs = 15000;

bool TextOperationOf(ECommandId command, ETextOperation& operation) {
    switch (command) {
        case ECommandId::SentenceCase:
            operation = ETextOperation::SentenceCase;
            return true;
        case ECommandId::Lowercase:
            operation = ETextOperation::Lowercase;
            return true;
        case ECommandId::Uppercase:
            operation = ETextOperation::Uppercase;
            return true;
        case ECommandId::TitleCase:
            operation = ETextOperation::TitleCase;
            return true;
        case ECommandId::ToggleCase:
            operation = ETextOperation::ToggleCase;
            return true;
        case ECommandId::InsertSpaces:
            operation = ETextOperation::InsertSpaces;
            return true;
        default:
            return false;
    }
}

QIcon ToolbarIcon(const char* name) {
    QIcon icon(QStringLiteral(":/images/%1.svg").arg(QLatin1String(name)));
    // Under the mouse pointer the button shows its highlighted picture.
    icon.addFile(QStringLiteral(":/images/%1-hot.svg").arg(QLatin1String(name)), QSize(),
                 QIcon::Active);
    return icon;
}

}  // namespace

CMainFrame::CMainFrame(CTesselSession& session, CTesselDoc& doc, IProfile& profile,
                       QSettings& settings)
    : m_session(session), m_doc(doc), m_profile(profile), m_settings(settings) {
    setObjectName(QStringLiteral("MainFrame"));
    m_pModel = new CListModel(m_session, this);
    m_pView = new CTesselView(*m_pModel, m_profile, this);
    setCentralWidget(m_pView);
    setAcceptDrops(true);
    m_pDocuments = std::make_unique<CDocumentCommands>(
        m_session, m_doc, m_settings, *this,
        [this](std::unique_ptr<IJob> job, std::function<void()> finished) {
            return RunJob(std::move(job), std::move(finished));
        });
    m_pRuns = std::make_unique<CWindowRuns>(m_session, m_doc);
    m_pRunner = new CJobRunner(m_session.Prompts(), *this, this);

    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();

    connect(m_pView, &CTesselView::CommandRequested, this, &CMainFrame::RunCommand);
    connect(m_pView, &CTesselView::UriListDropped, this, &CMainFrame::DropUriList);
    connect(m_pView, &CTesselView::ContextMenuRequested, this, &CMainFrame::ShowContextMenu);
    connect(m_pView, &CTesselView::Changed, this, &CMainFrame::ScheduleStateUpdate);
    // The status bar counts the selected rows.
    connect(m_pView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMainFrame::ScheduleStateUpdate);
    connect(m_pModel, &CListModel::CoreSelectionChanged, this, &CMainFrame::ScheduleStateUpdate);
    connect(m_pModel, &CListModel::ListChanged, this, &CMainFrame::ScheduleStateUpdate);
    // An edit committed in a cell marks the list modified and makes Undo possible.
    connect(m_pModel, &QAbstractItemModel::dataChanged, this, &CMainFrame::ScheduleStateUpdate);
    m_pVerdicts = new CVerdictWatcher(m_session, this);
    connect(m_pVerdicts, &CVerdictWatcher::VerdictsChanged, this,
            [this] { m_pModel->SetVerdicts(m_pVerdicts->Verdicts()); });
    connect(m_pModel, &CListModel::ListChanged, m_pVerdicts, &CVerdictWatcher::Schedule);
    connect(m_pModel, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    m_pVerdicts->Schedule();
            });
    connect(m_pDocuments.get(), &CDocumentCommands::DocumentChanged, this,
            &CMainFrame::UpdateCommandStates);
    connect(m_pDocuments.get(), &CDocumentCommands::DocumentChanged, this, [this] {
        // Once the command that opened the list is over.
        if (m_bOfferOnOpen && !m_doc.GetPath().empty() && m_doc.GetPath() != m_strOfferedPath)
            QTimer::singleShot(0, this, [this] { OfferInterruptedRuns(false); });
    });
    // Until the user sizes it, the window shows every column of either mode whole.
    resize(960, 600);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::Action(ECommandId command) const {
    auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::BuildActions() {
    for (const SCommandSpec& spec : AllCommands()) {
        auto* action = new QAction(MenuText(SMenuItem{false, spec.id, nullptr}), this);
        action->setStatusTip(CommandText(spec.prompt));
        action->setToolTip(CommandText(spec.tooltip));
        action->setShortcuts(CommandKeys(spec.id));
        if (*spec.icon != '\0')
            action->setIcon(ToolbarIcon(spec.icon));
        if (IsCheckCommand(spec.id) || spec.id == ECommandId::ViewToolbar ||
            spec.id == ECommandId::ViewStatusBar || spec.id == ECommandId::NaturalOrder)
            action->setCheckable(true);
        ECommandId id = spec.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        // Every key works wherever the focus is in the window, menus open or not.
        addAction(action);
        m_actions[id] = action;
    }
}

std::unique_ptr<QMenu> CMainFrame::BuildMenu(const SMenuSpec& spec) {
    // The window as parent, so that the items' prompts reach its status bar.
    auto menu = std::make_unique<QMenu>(MenuTitle(spec), this);
    for (const SMenuItem& item : spec.items) {
        if (item.bSeparator) {
            menu->addSeparator();
            continue;
        }
        SCommandState state = CommandState(m_session, item.id);
        auto* action = menu->addAction(MenuText(item));
        action->setStatusTip(CommandText(CommandSpec(item.id).prompt));
        action->setEnabled(state.bEnabled);
        if (IsCheckCommand(item.id)) {
            action->setCheckable(true);
            action->setChecked(state.bChecked);
        }
        ECommandId id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    }
    return menu;
}

void CMainFrame::BuildMenus() {
    for (const SMenuSpec& spec : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(MenuTitle(spec));
        for (const SMenuItem& item : spec.items) {
            if (item.bSeparator)
                menu->addSeparator();
            else
                menu->addAction(Action(item.id));
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        if (m_pFileMenu == nullptr) {
            m_pFileMenu = menu;
            m_pExitAction = Action(ECommandId::Exit);
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::FillRecentFiles);
        }
        // A highlighted item ends an open cell edit before its prompt shows.
        connect(menu, &QMenu::hovered, m_pView, &CTesselView::EndEditing);
    }
}

void CMainFrame::FillRecentFiles() {
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    std::vector<std::string> recent = m_pDocuments->RecentFiles();
    for (size_t i = 0; i < recent.size(); ++i) {
        std::string path = recent[i];
        auto* action =
            new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(ToDisplay(path)), m_pFileMenu);
        action->setStatusTip(tr("Open this document"));
        connect(action, &QAction::triggered, this, [this, path] {
            if (!m_bBusy)
                m_pDocuments->OpenRecent(path);
        });
        m_pFileMenu->insertAction(m_pExitAction, action);
        m_recentActions.append(action);
    }
    if (!recent.empty())
        m_recentActions.append(m_pFileMenu->insertSeparator(m_pExitAction));
}

void CMainFrame::BuildToolBar() {
    m_pToolBar = new QToolBar(tr("Toolbar"), this);
    m_pToolBar->setObjectName(QStringLiteral("Toolbar"));
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setIconSize(QSize(32, 32));
    for (ECommandId id : ToolbarCommands())
        m_pToolBar->addAction(Action(id));
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(IdleText());
    });
    bar->showMessage(IdleText());
    // Permanent, so that a menu's prompt never hides them.
    m_pModeLabel = new QLabel(tr("MP3 mode"), bar);
    m_pModeLabel->setObjectName(QStringLiteral("mode"));
    m_pModeLabel->hide();
    m_pStateLabel = new QLabel(bar);
    m_pStateLabel->setObjectName(QStringLiteral("listState"));
    bar->addPermanentWidget(m_pModeLabel);
    bar->addPermanentWidget(m_pStateLabel);
    m_pRuns->SetNotice([bar](const QString& text) { bar->showMessage(text, kNoticeMs); });
}

void CMainFrame::UpdateStatus() {
    SListState state = ListStateOf(m_session);
    m_pStateLabel->setText(ListStateDisplayText(state));
    m_pModeLabel->setVisible(state.bMp3Mode);
}

void CMainFrame::ScheduleStateUpdate() {
    // A run refreshes its rows one by one: the states are brought up to date once the
    // window's events are next handled, not for every row.
    if (m_bUpdatePending)
        return;
    m_bUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_bUpdatePending = false;
        UpdateCommandStates();
    });
}

void CMainFrame::UpdateCommandStates() {
    for (auto& [id, action] : m_actions) {
        if (id == ECommandId::ViewToolbar) {
            action->setChecked(m_pToolBar != nullptr && !m_pToolBar->isHidden());
            continue;
        }
        if (id == ECommandId::ViewStatusBar) {
            action->setChecked(!statusBar()->isHidden());
            continue;
        }
        SCommandState state = CommandState(m_session, id);
        action->setEnabled(state.bEnabled && !m_bBusy);
        if (action->isCheckable())
            action->setChecked(state.bChecked);
    }
    UpdateTitle();
    UpdateStatus();
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(m_pDocuments->DisplayName() + QStringLiteral("[*] - Tessel"));
    setWindowModified(m_session.IsModified());
}

std::unique_ptr<QMenu> CMainFrame::ContextMenu(bool onTitles) {
    if (!m_session.IsMp3Mode())
        return BuildMenu(NormalContextMenu());
    return BuildMenu(onTitles ? LockContextMenu() : Mp3ContextMenu());
}

void CMainFrame::ShowContextMenu(const QPoint& globalPos, bool onTitles) {
    activateWindow();
    std::unique_ptr<QMenu> menu = ContextMenu(onTitles);
    menu->exec(globalPos);
}

void CMainFrame::RunCommand(ECommandId command) {
    // A command asked for while another one still runs waits for nothing: it is simply
    // not taken.
    if (m_bBusy || !CommandState(m_session, command).bEnabled)
        return;
    m_pView->EndEditing();
    std::function<void()> finished;
    if (std::unique_ptr<IJob> job = CommandJob(command, finished)) {
        RunJob(std::move(job), std::move(finished));
        return;
    }
    // Leaving the list may write tags first, as a job that marks the window busy itself.
    if (command == ECommandId::New || command == ECommandId::Open) {
        command == ECommandId::New ? m_pDocuments->New() : m_pDocuments->Open();
        CommandEnded();
        return;
    }
    m_bBusy = true;
    Dispatch(command);
    m_bBusy = false;
    CommandEnded();
}

bool CMainFrame::RunJob(std::unique_ptr<IJob> job, std::function<void()> finished) {
    if (m_bBusy)
        return false;
    m_bBusy = true;
    bool started = m_pRunner->Start(std::move(job), [this, finished = std::move(finished)] {
        if (finished)
            finished();
        m_bBusy = false;
        CommandEnded();
    });
    if (!started)
        m_bBusy = false;
    return started;
}

void CMainFrame::OfferInterruptedRuns(bool untitledToo) {
    m_strOfferedPath = m_doc.GetPath();
    if (m_bBusy)
        return;
    std::function<void()> finished;
    if (std::unique_ptr<IJob> job = m_pRuns->PutBackInterruptedRuns(untitledToo, finished))
        RunJob(std::move(job), std::move(finished));
}

void CMainFrame::CommandEnded() {
    m_pView->viewport()->update();
    UpdateCommandStates();
}

std::unique_ptr<IJob> CMainFrame::CommandJob(ECommandId command, std::function<void()>& finished) {
    switch (command) {
        case ECommandId::Add:
            m_pModel->BeginBulkChange();
            finished = [this] { m_pModel->EndBulkChange(); };
            return MakeAddJob(m_session);
        case ECommandId::ToggleMode:
            return MakeToggleModeJob(m_session);
        case ECommandId::SaveId3:
            return MakeSaveId3Job(m_session);
        case ECommandId::Go:
            return m_pRuns->Go(finished);
        case ECommandId::Undo:
            return m_pRuns->Undo(finished);
        default:
            return nullptr;
    }
}

void CMainFrame::DropUriList(const QByteArray& uriList) {
    std::vector<std::string> paths = PathsFromUriList(uriList);
    if (m_bBusy || paths.empty())
        return;
    m_pView->EndEditing();
    m_pModel->BeginBulkChange();
    RunJob(MakeDropJob(m_session, std::move(paths)), [this] { m_pModel->EndBulkChange(); });
}

void CMainFrame::Dispatch(ECommandId command) {
    ETextOperation operation;
    if (TextOperationOf(command, operation)) {
        TransformNames(m_session, operation);
        return;
    }
    if (int column = LockedColumnOf(command)) {
        ToggleLock(m_session, column);
        m_pModel->TitlesChanged();
        return;
    }
    switch (command) {
        case ECommandId::Save:
            m_pDocuments->Save();
            break;
        case ECommandId::SaveAs:
            m_pDocuments->SaveAs();
            break;
        case ECommandId::SaveToTextFile:
            m_pDocuments->SaveToTextFile();
            break;
        case ECommandId::Exit:
            QTimer::singleShot(0, this, &QWidget::close);
            break;
        case ECommandId::SelectAll:
            m_pView->selectAll();
            break;
        case ECommandId::Remove:
            ::Remove(m_session);
            break;
        case ECommandId::Rename:
            m_pView->EditFocusedRow();
            break;
        case ECommandId::RenameWizard:
            RenameWizard(m_session);
            break;
        case ECommandId::ViewToolbar:
            m_pToolBar->setVisible(m_pToolBar->isHidden());
            break;
        case ECommandId::ViewStatusBar:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        case ECommandId::NaturalOrder:
            ToggleNaturalOrder(m_session);
            break;
        case ECommandId::Options:
            RunOptionsSheet(m_session, EOptionsPage::Viewer);
            m_pModel->TitlesChanged();
            break;
        case ECommandId::Swap:
            SwapNames(m_session);
            break;
        case ECommandId::Lock:
            LockCommand(m_session);
            m_pModel->TitlesChanged();
            break;
        case ECommandId::FilenameToId3:
            FilenameToId3(m_session);
            break;
        case ECommandId::Id3ToFilename:
            Id3ToFilename(m_session);
            break;
        case ECommandId::FindReplace:
            if (CFindReplaceDlg* dialog = CFindReplaceDlg::Open(this, m_session))
                connect(dialog, &CFindReplaceDlg::RequestHandled, this,
                        &CMainFrame::UpdateCommandStates, Qt::UniqueConnection);
            break;
        case ECommandId::HelpTopics:
        case ECommandId::Help: {
            CHelpDialog help(this);
            help.exec();
            break;
        }
        case ECommandId::About:
            QMessageBox::about(
                this, tr("About Tessel"),
                tr("<h3>Tessel %1</h3><p>A batch file renamer with an ID3v1 tag editor "
                   "for MP3 files.</p>")
                    .arg(QStringLiteral(TESSEL_VERSION)));
            break;
        default:
            break;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_bListLeft) {
        event->ignore();
        if (m_bBusy)
            return;
        m_bInCloseEvent = true;
        m_pDocuments->LeaveList([this](bool mayLeave) {
            m_bListLeft = mayLeave;
            // Tags written first answer after this close was refused: the window closes
            // again, and that close finds the list left.
            if (mayLeave && !m_bInCloseEvent)
                QTimer::singleShot(0, this, &QWidget::close);
        });
        m_bInCloseEvent = false;
        if (!m_bListLeft)
            return;
    }
    m_bListLeft = false;
    SaveLayout();
    event->accept();
}

void CMainFrame::SaveLayout() {
    m_settings.setValue(QStringLiteral("Window/Geometry"), saveGeometry());
    m_settings.setValue(QStringLiteral("Window/State"), saveState());
}

void CMainFrame::RestoreLayout() {
    restoreGeometry(m_settings.value(QStringLiteral("Window/Geometry")).toByteArray());
    restoreState(m_settings.value(QStringLiteral("Window/State")).toByteArray());
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    // A row of the list dropped outside it stays where it was: only files are taken here.
    if (!m_bBusy && event->mimeData()->hasFormat(QStringLiteral("text/uri-list")))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    if (m_bBusy || !event->mimeData()->hasFormat(QStringLiteral("text/uri-list"))) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    DropUriList(event->mimeData()->data(QStringLiteral("text/uri-list")));
}
