// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "model/ViewerAssociations.h"

class IProfile;
class QLabel;
class QLineEdit;
class QTreeWidget;

// The "Viewer" page of the Options sheet: which program opens files of an extension.
// It reads the stored associations when first shown and stores its rows on OK only.
class CViewerPage : public QWidget {
    Q_OBJECT
public:
    explicit CViewerPage(IProfile& profile, QWidget* parent = nullptr);

    // Stores the rows when the page was shown during this run of the sheet.
    void Save();
    CViewerList Rows() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Browse();
    void AddRow();
    void RemoveSelected();
    void AppendRow(const SViewerAssociation& viewer);

    IProfile& m_profile;
    QLineEdit* m_pExtension;
    QLineEdit* m_pProgram;
    QLabel* m_pProblem;  // why the last entry was not added
    QTreeWidget* m_pList;
    bool m_bShown = false;
};
