#include "richtext/orthographe/orthographeprogramme.h"

#include "platform/connexion.h"
#include "platform/dialogues.h"
#include "platform/emplacements.h"
#include "platform/erreurbase.h"
#include "platform/recordset.h"
#include "richtext/orthographe/orthographe.h"
#include "richtext/orthographe/verificationtexte.h"
#include "richtext/richtextbox.h"
#include "store/requetes.h"

#include <QFileInfo>

#include <memory>

namespace orthographe {

namespace {

const QString kSection = QStringLiteral("Orthographe");
const QString kCle = QStringLiteral("Active");

std::unique_ptr<Verificateur>& instance()
{
    static std::unique_ptr<Verificateur> verificateur;
    return verificateur;
}

void lireColonnes(const QString& requete, std::initializer_list<QString> colonnes, QStringList& noms)
{
    Recordset rs;
    rs.open(requete);
    for (; !rs.eof(); rs.moveNext()) {
        for (const QString& colonne : colonnes)
            noms.append(rs.text(colonne));
    }
    rs.close();
}

} // namespace

FichiersDictionnaire dictionnaireSysteme()
{
    const QStringList dossiers = {
        QStringLiteral("/usr/share/hunspell"),
        QStringLiteral("/usr/share/myspell"),
        QStringLiteral("/usr/share/myspell/dicts"),
    };
    const auto fichiers = [](const QString& base) {
        return FichiersDictionnaire{base + QStringLiteral(".aff"), base + QStringLiteral(".dic")};
    };
    for (const QString& dossier : dossiers) {
        for (const QString& nom : {QStringLiteral("fr_FR"), QStringLiteral("fr")}) {
            const FichiersDictionnaire f = fichiers(dossier + u'/' + nom);
            if (QFileInfo::exists(f.aff) && QFileInfo::exists(f.dic))
                return f;
        }
    }
    return fichiers(dossiers.first() + QStringLiteral("/fr_FR"));
}

Verificateur& verificateurProgramme()
{
    auto& verificateur = instance();
    if (!verificateur) {
        const FichiersDictionnaire f = dictionnaireSysteme();
        installerVerificateur(new Verificateur(
            f.aff, f.dic, mdGeneral::DossierApplication() + QStringLiteral("/Save/dictionnaire-personnel.txt")));
    }
    return *verificateur;
}

void installerVerificateur(Verificateur* verificateur)
{
    verificateur->setActive(mdGeneral::LireIni(kSection, kCle, {}) != u"0");
    QObject::connect(verificateur, &Verificateur::activeChangee, verificateur, [](bool active) {
        const Reussite ecrit = mdGeneral::EcrireIni(kSection, kCle, active ? QStringLiteral("1") : QStringLiteral("0"),
                                                    {});
        if (!ecrit)
            afficherErreur(
                QStringLiteral("Le choix de vérifier l'orthographe n'a pas pu être retenu : %1").arg(ecrit.raison()));
    });
    // The address book is read again only after something was written to
    // the database, or when another database was opened.
    verificateur->definirSourceNoms(
        [lu = std::pair<QString, qint64>(QString(), -1)]() mutable -> std::optional<QStringList> {
            const Connexion& base = cnLettre();
            const std::pair<QString, qint64> etat(base.estOuverte() ? base.chemin() : QString(), base.modifications());
            if (etat == lu)
                return std::nullopt;
            lu = etat;
            return nomsCarnet();
        });
    instance().reset(verificateur);
}

QStringList nomsCarnet()
{
    QStringList noms;
    try {
        lireColonnes(requetes::tousExpediteurs(),
                     {QStringLiteral("Nom_Expediteur"), QStringLiteral("Prenom_Expediteur"),
                      QStringLiteral("Ville_Expediteur")},
                     noms);
        lireColonnes(requetes::tousDestinataires(),
                     {QStringLiteral("Nom_Destinataire"), QStringLiteral("Prenom_Destinataire"),
                      QStringLiteral("Ville_Destinataire")},
                     noms);
    } catch (const ErreurBase&) {
        // Without the address book its names are simply not known.
    }
    return noms;
}

void brancherOrthographe(RichTextBox& texte)
{
    new VerificationTexte(texte, verificateurProgramme());
}

} // namespace orthographe
