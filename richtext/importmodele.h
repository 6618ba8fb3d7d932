#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// A letter written in another program, taken in as a model body.

// Files larger than this are refused.
inline constexpr qint64 kTailleModeleImporteMax = 20 * 1024 * 1024;

// The body a model gets from the RTF file `chemin`: the file read, then
// written again as the editor writes bodies. None, with the reason in
// French, when the file cannot be read, is larger than 20 Mo or is not RTF.
std::optional<QString> corpsDepuisFichierRtf(const QString& chemin, QString& raison);

// The label proposed for a model made from `chemin`: the file's name
// without its extension, underscores read as spaces.
QString libelleDepuisFichier(const QString& chemin);
