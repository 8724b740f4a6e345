// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/UriList.h"

#include <QList>

std::vector<std::string> PathsFromUriList(const QByteArray& uriList) {
    static const QByteArray kScheme = "file://";
    std::vector<std::string> paths;
    for (QByteArray line : uriList.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (!line.toLower().startsWith(kScheme))
            continue;
        QByteArray rest = line.mid(kScheme.size());
        qsizetype slash = rest.indexOf('/');
        if (slash < 0)
            continue;
        QByteArray host = rest.left(slash).toLower();
        if (!host.isEmpty() && host != "localhost")
            continue;
        QByteArray path = QByteArray::fromPercentEncoding(rest.mid(slash));
        // A NUL byte cannot be part of a name.
        if (path.contains('\0'))
            continue;
        paths.push_back(path.toStdString());
    }
    return paths;
}
