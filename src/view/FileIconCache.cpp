// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FileIconCache.h"

#include <QFile>

#include "model/FileFacts.h"
#include "view/DisplayText.h"

CFileIconCache::CFileIconCache() : m_fallback(QStringLiteral(":/images/file.svg")) {}

QIcon CFileIconCache::IconFor(const std::string& fileName) {
    QString extension = ToDisplay(ExtensionOf(fileName)).toLower();
    auto known = m_byExtension.constFind(extension);
    if (known != m_byExtension.constEnd())
        return *known;
    QMimeType type =
        m_mimes.mimeTypeForFile(QStringLiteral("x") + extension, QMimeDatabase::MatchExtension);
    QIcon& icon = m_byType[type.name()];
    if (icon.isNull()) {
        // The desktop's theme when it has the type, else its generic kind, else our own
        // picture of that kind (audio, image, text...), else a plain page.
        QString ours = QStringLiteral(":/images/type-%1.svg").arg(type.genericIconName());
        QIcon kind = QFile::exists(ours) ? QIcon(ours) : m_fallback;
        icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), kind));
    }
    m_byExtension.insert(extension, icon);
    return icon;
}
