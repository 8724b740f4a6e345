// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/DisplayText.h"

#include <QFile>

QString ToDisplay(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string FromDisplay(const QString& text) {
    return text.toStdString();
}

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QUrl FileUrl(const std::string& path) {
    return QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
}
