#pragma once

#include <QDate>
#include <QString>

class QCoreApplication;

// The program speaks French whatever the system's locale.

// Installs Qt's own French translations (dialogs, context menus) on the
// application and makes French the default locale. False, with the reason,
// when the translation file cannot be loaded; the program then runs with
// Qt's English texts.
bool installerFrancais(QCoreApplication& application, QString* raison = nullptr);

// A date as a letter gives it: "8 décembre 2026", "1er mai 2027".
QString dateEnFrancais(QDate date);
