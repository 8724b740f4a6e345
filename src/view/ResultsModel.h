// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QIcon>

class CResultsList;

// The records of a preview or of results as three columns: Before, After, Comment, with
// a verdict icon beside each name before.
class CResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CResultsModel(const CResultsList& results, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CResultsList& m_results;
    QIcon m_ok;
    QIcon m_problem;
    QIcon m_unchanged;
};
