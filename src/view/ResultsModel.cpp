// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ResultsModel.h"

#include "model/ResultsList.h"
#include "view/CoreTexts.h"
#include "view/DisplayText.h"

CResultsModel::CResultsModel(const CResultsList& results, QObject* parent)
    : QAbstractTableModel(parent),
      m_results(results),
      m_ok(QStringLiteral(":/images/verdict-ok.svg")),
      m_problem(QStringLiteral(":/images/verdict-problem.svg")),
      m_unchanged(QStringLiteral(":/images/verdict-unchanged.svg")) {}

int CResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_results.GetCount());
}

int CResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant CResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    size_t row = static_cast<size_t>(index.row());
    const CHitDoc& record = m_results.Record(row);
    int code = m_results.Code(row);
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
            case 0:
                return ToDisplay(record.m_strName.Get());
            case 1:
                return ToDisplay(record.GetNewFileName());
            default:
                return ResultCommentText(m_results, row);
        }
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        if (code == kResultOk)
            return m_ok;
        return code == kResultUnchanged ? m_unchanged : m_problem;
    }
    return {};
}

QVariant CResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kTitles[] = {QT_TR_NOOP("Before"), QT_TR_NOOP("After"),
                                          QT_TR_NOOP("Comment")};
    return section >= 0 && section < 3 ? tr(kTitles[section]) : QVariant();
}
