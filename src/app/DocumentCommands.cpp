#include "app/DocumentCommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include "files/ListGuard.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "model/TextExport.h"
#include "mp3/Mp3Mode.h"
#include "view/DisplayText.h"
#include "view/SaveQuestion.h"

namespace {

const QString kListFilter = QStringLiteral("Rename List (*.tsl)");
const QString kRecentKey = QStringLiteral("Recent File List/Files");

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

CDocumentCommands::CDocumentCommands(CTesselSession& session, CTesselDoc& doc, QSettings& settings,
                                     QWidget& window, RunJobFn runJob)
    : m_session(session),
      m_doc(doc),
      m_settings(settings),
      m_window(window),
      m_runJob(std::move(runJob)) {}

QString CDocumentCommands::DisplayName() const {
    if (m_doc.GetPath().empty())
        return QStringLiteral("Untitled");
    return QFileInfo(PathText(m_doc.GetPath())).fileName();
}

QStringList CDocumentCommands::RecentFiles() const {
    return m_settings.value(kRecentKey).toStringList();
}

void CDocumentCommands::AddRecent(const QString& path) {
    QStringList recent = RecentFiles();
    QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentFiles)
        recent.removeLast();
    m_settings.setValue(kRecentKey, recent);
}

void CDocumentCommands::LeaveList(std::function<void(bool mayLeave)> then) {
    m_session.EndEditing();
    if (!m_session.IsMp3Mode() || m_session.List().GetCount() == 0) {
        then(MaySaveList());
        return;
    }
    // A job that ends without telling (its progress cancelled) leaves as a finished one did.
    auto answer = std::make_shared<EAnswer>(EAnswer::Yes);
    auto shared = std::make_shared<std::function<void(bool)>>(std::move(then));
    bool started = m_runJob(
        MakeSaveId3Job(m_session, [answer](EAnswer given) { *answer = given; }),
        [this, answer, shared] { (*shared)(*answer != EAnswer::Cancel && MaySaveList()); });
    if (!started)
        (*shared)(false);
}

bool CDocumentCommands::MaySaveList() {
    if (!m_session.IsModified())
        return true;
    switch (AskSaveDiscardCancel(&m_window, QMessageBox::Warning,
                                 QStringLiteral("Save changes to %1?").arg(DisplayName()))) {
        case EAnswer::Yes:
            return Save();
        case EAnswer::No:
            return true;
        default:
            return false;
    }
}

void CDocumentCommands::New() {
    LeaveList([this](bool mayLeave) {
        if (!mayLeave)
            return;
        m_doc.OnNewDocument();
        m_nDiskSize = -1;
        emit DocumentChanged();
    });
}

void CDocumentCommands::Open() {
    LeaveList([this](bool mayLeave) {
        if (!mayLeave)
            return;
        QString path =
            QFileDialog::getOpenFileName(&m_window, QStringLiteral("Open"), QString(),
                                         kListFilter + QStringLiteral(";;All Files (*)"));
        if (!path.isEmpty())
            OpenPath(path);
    });
}

void CDocumentCommands::OpenRecent(const QString& path) {
    LeaveList([this, path](bool mayLeave) {
        if (mayLeave)
            OpenPath(path);
    });
}

bool CDocumentCommands::OpenPath(const QString& path) {
    bool opened = m_doc.OnOpenDocument(PathBytes(path));
    if (opened) {
        AddRecent(path);
        RememberDiskState();
    }
    emit DocumentChanged();
    return opened;
}

void CDocumentCommands::RememberDiskState() {
    QFileInfo info(PathText(m_doc.GetPath()));
    m_diskModified = info.lastModified();
    m_nDiskSize = info.exists() ? info.size() : -1;
}

bool CDocumentCommands::ChangedOnDisk() const {
    if (m_doc.GetPath().empty() || m_nDiskSize < 0)
        return false;
    QFileInfo info(PathText(m_doc.GetPath()));
    return info.exists() && (info.lastModified() != m_diskModified || info.size() != m_nDiskSize);
}

bool CDocumentCommands::Save() {
    if (m_doc.GetPath().empty())
        return SaveAs();
    return SaveTo(PathText(m_doc.GetPath()), true);
}

bool CDocumentCommands::AskOverwriteChanged() {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tessel"),
                    QStringLiteral("%1 was changed by another program since it was opened "
                                   "here.")
                        .arg(DisplayName()),
                    QMessageBox::Cancel, &m_window);
    QPushButton* overwrite =
        box.addButton(QStringLiteral("Overwrite"), QMessageBox::DestructiveRole);
    QPushButton* reload = box.addButton(QStringLiteral("Reload"), QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == reload)
        m_bReload = true;
    return box.clickedButton() == overwrite;
}

bool CDocumentCommands::SaveAs() {
    QFileDialog dialog(&m_window, QStringLiteral("Save As"), QString(), kListFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("tsl"));
    dialog.selectFile(m_doc.GetPath().empty() ? QStringLiteral("untitled.tsl")
                                              : PathText(m_doc.GetPath()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return SaveTo(dialog.selectedFiles().constFirst(), false);
}

bool CDocumentCommands::SaveTo(const QString& path, bool sameList) {
    m_session.EndEditing();
    bool saved = false;
    m_bReload = false;
    {
        // No other process writes the list meanwhile: tessel-cli holds the same lock.
        // Without a journal folder to hold it in, the list is saved all the same.
        CListGuard guard;
        std::string error;
        if (!guard.Take(PathBytes(path), error, std::chrono::milliseconds(0)) &&
            guard.Folder().IsOpen()) {
            QMessageBox::warning(&m_window, QStringLiteral("Tessel"),
                                 QString::fromStdString(error));
            return false;
        }
        if (!sameList || !ChangedOnDisk() || AskOverwriteChanged())
            saved = m_doc.OnSaveDocument(PathBytes(path));
    }
    if (m_bReload) {
        OpenPath(path);
        return false;
    }
    if (saved) {
        AddRecent(path);
        RememberDiskState();
    }
    emit DocumentChanged();
    return saved;
}

void CDocumentCommands::SaveToTextFile() {
    QFileDialog dialog(&m_window, QStringLiteral("Save to Text File"), QString(),
                       QStringLiteral("Text Files (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("untitled"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ::SaveToTextFile(m_session, PathBytes(dialog.selectedFiles().constFirst()));
}
