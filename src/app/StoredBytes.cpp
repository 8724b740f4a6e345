// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StoredBytes.h"

#include "view/DisplayText.h"

QVariant StoredBytes(const std::string& bytes) {
    QString text = ToDisplay(bytes);
    if (FromDisplay(text) == bytes)
        return text;
    return QByteArray::fromStdString(bytes);
}

std::string BytesFromStored(const QVariant& stored) {
    if (stored.typeId() == QMetaType::QByteArray)
        return stored.toByteArray().toStdString();
    return FromDisplay(stored.toString());
}
