// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "model/Prompts.h"

class QCheckBox;

// The "ID3 Editor" page: which tag fields the text commands change in MP3 mode, and which
// columns are locked, and whether tag writes add ID3v2 tags.
class CId3EditorPage : public QWidget {
    Q_OBJECT
public:
    explicit CId3EditorPage(QWidget* parent = nullptr);
    void SetOptions(const SId3EditorOptions& options);
    SId3EditorOptions Options() const;

private:
    std::array<QCheckBox*, 4> m_format{};
    std::array<QCheckBox*, 6> m_lock{};
    QCheckBox* m_pAddId3v2 = nullptr;
};
