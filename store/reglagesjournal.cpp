#include "store/reglagesjournal.h"

#include "platform/emplacements.h"
#include "platform/erreurbase.h"
#include "store/journal.h"

namespace {

const QString kSection = QStringLiteral("Journal");
const QString kCleTexte = QStringLiteral("ConserverTexte");
const QString kCleMois = QStringLiteral("DureeMois");

} // namespace

ReglagesJournal lireReglagesJournal()
{
    ReglagesJournal r;
    r.conserverTexte = mdGeneral::LireIni(kSection, kCleTexte, QString()).trimmed() != QLatin1String("0");
    r.moisConservation = qMax(0, mdGeneral::LireIni(kSection, kCleMois, QString()).trimmed().toInt());
    return r;
}

Reussite ecrireReglagesJournal(const ReglagesJournal& reglages)
{
    const Reussite texte = mdGeneral::EcrireIni(kSection, kCleTexte,
                                                reglages.conserverTexte ? QStringLiteral("1") : QStringLiteral("0"),
                                                QString());
    if (!texte)
        return texte;
    return mdGeneral::EcrireIni(kSection, kCleMois, QString::number(qMax(0, reglages.moisConservation)), QString());
}

QString preparerJournalAuDemarrage(const QDateTime& maintenant)
{
    try {
        preparerJournal();
        purgerJournal(lireReglagesJournal().moisConservation, maintenant);
    } catch (const ErreurBase& e) {
        return QStringLiteral("Le journal des envois n'est pas disponible : %1").arg(e.raison());
    }
    return QString();
}
