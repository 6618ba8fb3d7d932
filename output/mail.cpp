#include "output/mail.h"

#include "output/messages.h"
#include "platform/bureau.h"
#include "platform/dialogues.h"
#include "store/destinataires.h"

#include <algorithm>

namespace {

// "champ=adresse&" for every non-empty element of the list.
QString partieAdresses(const QString& liste, const QString& champ)
{
    QString partie;
    for (const QString& adresse : liste.split(QLatin1Char(';'))) {
        if (!adresse.isEmpty())
            partie += champ + QLatin1Char('=') + adresse + QLatin1Char('&');
    }
    return partie;
}

// The addresses of the selected recipients, in list order; a recipient
// without an address gives an empty element.
QStringList adressesSelectionnees(const QList<RecordId>& ids)
{
    QStringList adresses;
    for (const RecordId id : ids)
        adresses << lireDestinataire(id).mail.trimmed();
    return adresses;
}

bool aUneAdresse(const QString& liste)
{
    return !liste.split(QLatin1Char(';'), Qt::SkipEmptyParts).isEmpty();
}

// Says why nothing opens in mass mode, or how many selected recipients the
// message leaves out. False when there is nobody to write to.
bool signalerAdressesManquantes(const QStringList& adresses)
{
    const auto sans = static_cast<int>(
        std::count_if(adresses.begin(), adresses.end(), [](const QString& a) { return !aUneAdresse(a); }));
    const auto total = static_cast<int>(adresses.size());
    if (total == 0) {
        afficherErreur(
            QStringLiteral("Aucune adresse électronique : aucun destinataire n'est sélectionné dans la liste."));
        return false;
    }
    if (sans == total) {
        afficherErreur(
            total == 1 ? QStringLiteral("Aucune adresse électronique : le destinataire sélectionné n'en a pas.")
                       : QStringLiteral("Aucune adresse électronique : aucun des %1 destinataires sélectionnés n'en a.")
                             .arg(total));
        return false;
    }
    if (sans > 0) {
        afficherInformation(sans == 1
                                ? QStringLiteral("1 des %1 destinataires sélectionnés n'a pas d'adresse électronique : "
                                                 "il ne figure pas dans le message.")
                                      .arg(total)
                                : QStringLiteral("%1 des %2 destinataires sélectionnés n'ont pas d'adresse "
                                                 "électronique : ils ne figurent pas dans le message.")
                                      .arg(sans)
                                      .arg(total));
    }
    return true;
}

} // namespace

QString EncoderURL(const QString& texte)
{
    static const char kChiffres[] = "0123456789ABCDEF";
    QString resultat;
    for (const char c : texte.toUtf8()) {
        const auto octet = static_cast<unsigned char>(c);
        if ((octet >= '0' && octet <= '9') || (octet >= 'A' && octet <= 'Z') || (octet >= 'a' && octet <= 'z')) {
            resultat += QLatin1Char(c);
        } else {
            resultat += QLatin1Char('%');
            resultat += QLatin1Char(kChiffres[octet >> 4]);
            resultat += QLatin1Char(kChiffres[octet & 0x0F]);
        }
    }
    return resultat;
}

QString LienMail(const QString& a, const QString& cc, const QString& cci, const QString& objet, const QString& corps)
{
    if (a.isEmpty())
        return QString();
    QString destinataires = partieAdresses(a, QStringLiteral("to"));
    if (!cc.isEmpty())
        destinataires += partieAdresses(cc, QStringLiteral("cc"));
    if (!cci.isEmpty())
        destinataires += partieAdresses(cci, QStringLiteral("bcc"));
    if (destinataires.isEmpty())
        return QString(); // only separators: nobody to write to
    destinataires.chop(1);

    QString suite;
    if (!objet.isEmpty())
        suite = QStringLiteral("&Subject=") + EncoderURL(objet);
    const QString corpsEncode = EncoderURL(corps);
    if (!corpsEncode.isEmpty())
        suite += QStringLiteral("&Body=") + corpsEncode;
    return QStringLiteral("mailto:?") + destinataires + suite;
}

bool CreerMail(const QString& a, const QString& cc, const QString& cci, const QString& objet, const QString& corps)
{
    const QString lien = LienMail(a, cc, cci, objet, corps);
    return !lien.isEmpty() && ExecuterShell(lien);
}

void EnvoyerMail(const SaisieMail& saisie, const ContexteEnvoi& envoi)
{
    if (saisie.individuel) {
        if (!aUneAdresse(saisie.mailDest.trimmed())) {
            afficherErreur(messageAucuneAdresse());
            return;
        }
        if (CreerMail(saisie.mailDest, QString(), QString(), saisie.objet, QString()))
            JournalSortie(canal::mail, envoi).noter(QString());
        return;
    }
    if (saisie.lignesDestinataires == 0) {
        afficherErreur(messageAucunDestinataire());
        return;
    }
    const QStringList adresses = adressesSelectionnees(saisie.ids);
    if (!signalerAdressesManquantes(adresses)
        || !CreerMail(adresses.join(QLatin1Char(';')), QString(), QString(), saisie.objet, QString()))
        return;
    JournalSortie journal(canal::mail, envoi);
    for (int i = 0; i < adresses.size(); ++i) {
        if (aUneAdresse(adresses.at(i)))
            journal.noter(QString(), saisie.ids.at(i));
    }
}
