// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CResultsList;
class QPushButton;
class QTreeView;

// "Preview" and "Results": the counts of each verdict, then one line per file with its
// verdict. A preview that cannot be confirmed (a problem while the list blocks, or nothing
// to do) says why beside its disabled OK; results have a single "OK".
class CResultsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CResultsDialog(const CResultsList& results, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTreeView* m_pList;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    bool m_bSized = false;
};
