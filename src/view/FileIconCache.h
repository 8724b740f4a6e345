// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <string>

// A small icon for each row, chosen by the MIME type its name suggests. Names are looked
// up by extension only (the file is never opened), and each type's icon is made once, so
// a list of many rows of few types costs a lookup per row and little else.
class CFileIconCache {
public:
    CFileIconCache();
    QIcon IconFor(const std::string& fileName);

private:
    QMimeDatabase m_mimes;
    QHash<QString, QIcon> m_byExtension;
    QHash<QString, QIcon> m_byType;
    QIcon m_fallback;
};
