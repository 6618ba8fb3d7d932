#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The Windows code page 1252, in which older French files are written.

QString depuisWindows1252(QByteArrayView octets);

// The text in Windows-1252, or nothing when a character has no byte there.
std::optional<QByteArray> versWindows1252(const QString& texte);
