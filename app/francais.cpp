#include "app/francais.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installerFrancais(QCoreApplication& application, QString* raison)
{
    const QLocale francais(QLocale::French, QLocale::France);
    QLocale::setDefault(francais);
    auto* traducteur = new QTranslator(&application);
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!traducteur->load(francais, QStringLiteral("qtbase"), QStringLiteral("_"), dossier)) {
        delete traducteur;
        if (raison)
            *raison = QStringLiteral("Les traductions françaises de Qt (qtbase_fr.qm) sont introuvables dans « %1 ».")
                          .arg(dossier);
        return false;
    }
    QCoreApplication::installTranslator(traducteur);
    return true;
}

QString dateEnFrancais(QDate date)
{
    const QLocale francais(QLocale::French, QLocale::France);
    const QString jour = date.day() == 1 ? QStringLiteral("1er") : QString::number(date.day());
    return jour + QLatin1Char(' ') + francais.monthName(date.month()) + QLatin1Char(' ') + QString::number(date.year());
}
