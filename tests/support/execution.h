#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One of our programs run to its end as a script would run it, with nothing
// on its standard input: its exit status (-1 when it crashed or did not
// finish in time) and what it wrote, trimmed.
struct Execution {
    int statut;
    QString sortie;
    QString erreurs;
};

inline Execution executer(const QString& programme, const QStringList& arguments, int delaiMs = 120000)
{
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(programme, arguments);
    const bool fini = p.waitForFinished(delaiMs);
    return {fini && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(p.readAllStandardError()).trimmed()};
}
