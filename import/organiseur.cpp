#include "import/organiseur.h"

#include "platform/connexion.h"
#include "platform/erreurbase.h"
#include "platform/recordset.h"
#include "store/requetes.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>

namespace {

// The only statements sent to the organiser's database. Values are bound,
// never written into the statement: the organiser's ids are whatever its
// users typed.
const QString kLigne = QStringLiteral("Ligne_Personne");

QString toutesPersonnes()
{
    return QStringLiteral("SELECT *, rowid AS Ligne_Personne From Personne");
}

QString personne()
{
    return QStringLiteral("SELECT * From Personne Where rowid = ?");
}

QString mailsDe()
{
    return QStringLiteral("SELECT * From Mail Where Num_Personne = ?");
}

// A read-only connection of its own, closed when it goes.
class ConnexionOrganiseur {
public:
    explicit ConnexionOrganiseur(const QString& dossier)
        : m_connexion(QStringLiteral("organiseur-%1").arg(s_numero.fetchAndAddRelaxed(1)))
    {
        m_connexion.ouvrir(CheminBaseOrganiseur(dossier), Connexion::Acces::LectureSeule);
    }
    Connexion& connexion() { return m_connexion; }

private:
    static inline QAtomicInt s_numero;
    Connexion m_connexion;
};

// The organiser's person of that row onto the new recipient row.
void remplirDestinataire(Connexion& organiseur, const ContactOrganiseur& contact, Recordset& dest)
{
    Recordset rs(organiseur);
    rs.open(personne(), {contact.ligne});
    if (rs.eof())
        throw ErreurBase(
            QStringLiteral("le contact n° %1 n'existe plus dans la base de Tilvo - Organiseur.").arg(contact.id));
    const QVariant id = rs.value(QStringLiteral("Num_Personne"));
    dest.setValue(QStringLiteral("Nom_Destinataire"), rs.value(QStringLiteral("Nom_Personne")));
    dest.setValue(QStringLiteral("Prenom_Destinataire"), rs.value(QStringLiteral("Prenom_Personne")));
    dest.setValue(QStringLiteral("Adresse1_Destinataire"), rs.text(QStringLiteral("Adresse1_Personne")));
    dest.setValue(QStringLiteral("Adresse2_Destinataire"), rs.text(QStringLiteral("Adresse2_Personne")));
    dest.setValue(QStringLiteral("CP_Destinataire"), rs.text(QStringLiteral("CP_Personne")));
    dest.setValue(QStringLiteral("Ville_Destinataire"), rs.text(QStringLiteral("Ville_Personne")));
    dest.setValue(QStringLiteral("Titre_Destinataire"), QStringLiteral(""));
    dest.setValue(QStringLiteral("Fonction_Destinataire"), QStringLiteral(""));
    rs.close();

    rs.open(mailsDe(), {id});
    dest.setValue(QStringLiteral("Mail_Destinataire"),
                  rs.eof() ? QVariant(QStringLiteral("")) : rs.value(QStringLiteral("Adresse_Mail")));
    rs.close();
}

} // namespace

QString CheminBaseOrganiseur(const QString& dossier)
{
    return dossier + QStringLiteral("/Save/Tilvo.mdb");
}

QString DossierOrganiseurPropose(const QString& dossierDonnees)
{
    const QString installation = QDir::cleanPath(dossierDonnees + QStringLiteral("/.."));
    for (const QString& dossier :
         {installation, QDir::cleanPath(installation + QStringLiteral("/../tilvo-organiseur"))}) {
        if (QFileInfo::exists(CheminBaseOrganiseur(dossier)))
            return dossier;
    }
    return QString();
}

QList<ContactOrganiseur> LireContactsOrganiseur(const QString& dossier)
{
    ConnexionOrganiseur organiseur(dossier);
    Recordset rs(organiseur.connexion());
    rs.open(toutesPersonnes());
    QList<ContactOrganiseur> contacts;
    for (; !rs.eof(); rs.moveNext()) {
        contacts.append({rs.text(QStringLiteral("Nom_Personne")), rs.text(QStringLiteral("Prenom_Personne")),
                         rs.text(QStringLiteral("Num_Personne")), rs.value(kLigne).toLongLong()});
    }
    rs.close();
    return contacts;
}

BilanImport ImporterContacts(const QString& dossier, const QList<ContactOrganiseur>& contacts)
{
    BilanImport bilan;
    try {
        cnLettre().retablir();
        ConnexionOrganiseur organiseur(dossier);
        Recordset dest;
        dest.open(requetes::tousDestinataires());
        for (const ContactOrganiseur& contact : contacts) {
            dest.addNew();
            remplirDestinataire(organiseur.connexion(), contact, dest);
            dest.update();
            ++bilan.importes;
        }
        dest.close();
    } catch (const ErreurBase& e) {
        bilan.erreur = e.raison();
    }
    return bilan;
}
