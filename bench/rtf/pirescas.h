#pragma once

#include <QString>
#include <QStringList>

// Generated RTF documents that are the hardest for a reader of their size:
// every run in a font or colour of its own, a million format changes, a
// million empty paragraphs, tables of many small cells.
namespace pirescas {

// The names of the cases, in the order they are measured.
QStringList noms();

// The document of one case ("" for an unknown name).
QString generer(const QString& nom);

} // namespace pirescas
