// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "model/Prompts.h"

class IProfile;
class CId3EditorPage;
class CViewerPage;
class QTabWidget;

// "Options": the "Viewer" and "ID3 Editor" pages, OK and Cancel.
class COptionsDialog : public QDialog {
    Q_OBJECT
public:
    COptionsDialog(IProfile& profile, EOptionsPage page, const SId3EditorOptions& options,
                   QWidget* parent = nullptr);
    SId3EditorOptions Id3Options() const;
    void accept() override;

private:
    QTabWidget* m_pTabs;
    CViewerPage* m_pViewer;
    CId3EditorPage* m_pId3;
};
