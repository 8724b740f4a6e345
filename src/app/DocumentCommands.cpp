// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DocumentCommands.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include "app/StoredBytes.h"
#include "files/ListGuard.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "model/TextExport.h"
#include "mp3/Mp3Mode.h"
#include "platform/PathFacts.h"
#include "view/DisplayText.h"
#include "view/SaveQuestion.h"

namespace {

// Translated when asked for, after the translation is loaded.
QString ListFilter() {
    return QCoreApplication::translate("CDocumentCommands", "Rename List (*.tsl)");
}
const QString kRecentKey = QStringLiteral("Recent File List/Files");

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
        return tr("Untitled");
    return QFileInfo(ToDisplay(m_doc.GetPath())).fileName();
}

std::vector<std::string> CDocumentCommands::RecentFiles() const {
    // The settings read one entry as a value, text-only entries as a string list.
    QVariant stored = m_settings.value(kRecentKey);
    QVariantList entries;
    if (stored.typeId() == QMetaType::QStringList || stored.typeId() == QMetaType::QVariantList)
        entries = stored.toList();
    else if (stored.isValid())
        entries.append(stored);
    std::vector<std::string> recent;
    for (const QVariant& entry : entries)
        recent.push_back(BytesFromStored(entry));
    return recent;
}

void CDocumentCommands::AddRecent(const std::string& path) {
    std::vector<std::string> recent = RecentFiles();
    std::string absolute = AbsolutePath(path);
    std::erase(recent, absolute);
    recent.insert(recent.begin(), absolute);
    if (recent.size() > static_cast<size_t>(kRecentFiles))
        recent.resize(kRecentFiles);
    QVariantList entries;
    for (const std::string& entry : recent)
        entries.append(StoredBytes(entry));
    m_settings.setValue(kRecentKey, entries);
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
                                 tr("Save changes to %1?").arg(DisplayName()))) {
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
        m_diskStamp = {};
        emit DocumentChanged();
    });
}

void CDocumentCommands::Open() {
    LeaveList([this](bool mayLeave) {
        if (!mayLeave)
            return;
        QString path =
            QFileDialog::getOpenFileName(&m_window, tr("Open"), QString(),
                                         ListFilter() + QStringLiteral(";;") + tr("All Files (*)"));
        if (!path.isEmpty())
            OpenPath(PathBytes(path));
    });
}

void CDocumentCommands::OpenRecent(const std::string& path) {
    LeaveList([this, path](bool mayLeave) {
        if (mayLeave)
            OpenPath(path);
    });
}

bool CDocumentCommands::OpenPath(const std::string& path) {
    bool opened = m_doc.OnOpenDocument(path);
    if (opened) {
        AddRecent(path);
        RememberDiskState();
    }
    emit DocumentChanged();
    return opened;
}

void CDocumentCommands::RememberDiskState() {
    m_diskStamp = StampOfFile(m_doc.GetPath());
}

bool CDocumentCommands::ChangedOnDisk() const {
    if (m_doc.GetPath().empty() || !m_diskStamp.bExists)
        return false;
    SFileStamp now = StampOfFile(m_doc.GetPath());
    return now.bExists && now != m_diskStamp;
}

bool CDocumentCommands::Save() {
    if (m_doc.GetPath().empty())
        return SaveAs();
    return SaveTo(m_doc.GetPath(), true);
}

bool CDocumentCommands::AskOverwriteChanged() {
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("Tessel"),
        tr("%1 was changed by another program since it was opened here.").arg(DisplayName()),
        QMessageBox::Cancel, &m_window);
    QPushButton* overwrite = box.addButton(tr("Overwrite"), QMessageBox::DestructiveRole);
    QPushButton* reload = box.addButton(tr("Reload"), QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == reload)
        m_bReload = true;
    return box.clickedButton() == overwrite;
}

bool CDocumentCommands::SaveAs() {
    QFileDialog dialog(&m_window, tr("Save As"), QString(), ListFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("tsl"));
    dialog.selectFile(m_doc.GetPath().empty() ? QStringLiteral("untitled.tsl")
                                              : ToDisplay(m_doc.GetPath()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    // The list's own name, taken as the dialog showed it, keeps its bytes.
    QString chosen = dialog.selectedFiles().constFirst();
    bool untouched = !m_doc.GetPath().empty() && chosen == ToDisplay(AbsolutePath(m_doc.GetPath()));
    return SaveTo(untouched ? m_doc.GetPath() : PathBytes(chosen), false);
}

bool CDocumentCommands::SaveTo(const std::string& path, bool sameList) {
    m_session.EndEditing();
    bool saved = false;
    m_bReload = false;
    {
        // No other process writes the list meanwhile: tessel-cli holds the same lock.
        // Without a journal folder to hold it in, the list is saved all the same.
        CListGuard guard;
        std::string error;
        if (!guard.Take(path, error, std::chrono::milliseconds(0)) && guard.Folder().IsOpen()) {
            QMessageBox::warning(&m_window, QStringLiteral("Tessel"),
                                 QString::fromStdString(error));
            return false;
        }
        if (!sameList || !ChangedOnDisk() || AskOverwriteChanged())
            saved = m_doc.OnSaveDocument(path);
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
    QFileDialog dialog(&m_window, tr("Save to Text File"), QString(), tr("Text Files (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("untitled"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ::SaveToTextFile(m_session, PathBytes(dialog.selectedFiles().constFirst()));
}
