#include "store/destinataires.h"

#include "store/carnet.h"
#include "store/personnes.h"
#include "store/requetes.h"

namespace {

// The recipient table: query texts, id column, the column of each field.
const TableCarnet<FicheDestinataire, 9> kTable{
    requetes::destinataire,
    requetes::tousDestinataires,
    QLatin1String("Numero_Destinataire"),
    {{
        {QLatin1String("Titre_Destinataire"), &FicheDestinataire::titre},
        {QLatin1String("Nom_Destinataire"), &FicheDestinataire::nom},
        {QLatin1String("Prenom_Destinataire"), &FicheDestinataire::prenom},
        {QLatin1String("Adresse1_Destinataire"), &FicheDestinataire::adresse1},
        {QLatin1String("Adresse2_Destinataire"), &FicheDestinataire::adresse2},
        {QLatin1String("CP_Destinataire"), &FicheDestinataire::cp},
        {QLatin1String("Ville_Destinataire"), &FicheDestinataire::ville},
        {QLatin1String("Fonction_Destinataire"), &FicheDestinataire::fonction},
        {QLatin1String("Mail_Destinataire"), &FicheDestinataire::mail},
    }}};

const QString kId = QStringLiteral("Numero_Destinataire");
const QString kTitre = QStringLiteral("Titre_Destinataire");
const QString kNom = QStringLiteral("Nom_Destinataire");
const QString kPrenom = QStringLiteral("Prenom_Destinataire");

} // namespace

LignesDestinataires lignesDestinataires()
{
    LignesDestinataires lignes;
    Recordset rs;
    rs.open(requetes::listeDestinataires());
    for (; !rs.eof(); rs.moveNext()) {
        lignes.ids << rs.text(kId);
        const QString nom = rs.text(kNom);
        const QString prenom = rs.text(kPrenom);
        lignes.noms << nomComplet(rs.text(kTitre), nom, prenom);
        lignes.nomsPrenoms << nom + QLatin1Char(' ') + prenom;
        lignes.villes << rs.text(QStringLiteral("Ville_Destinataire"));
    }
    rs.close();
    return lignes;
}

QStringList libellesDestinataires(const LignesDestinataires& lignes)
{
    // A label is the id, "- ", then the list row's text.
    QStringList libelles;
    libelles.reserve(lignes.ids.size());
    for (qsizetype i = 0; i < lignes.ids.size(); ++i)
        libelles << lignes.ids.at(i) + QStringLiteral("- ") + lignes.noms.at(i);
    return libelles;
}

RecordId numeroDestinataireDe(const QString& texteChoix)
{
    return numeroDesigne(kTable, texteChoix);
}

FicheDestinataire lireDestinataire(RecordId id)
{
    return lireFiche(kTable, id);
}

std::optional<FicheDestinataire> trouverDestinataire(RecordId id)
{
    return trouverFiche(kTable, id);
}

RecordId ecrireDestinataire(RecordId id, const FicheDestinataire& fiche, const FicheDestinataire* attendue)
{
    return enregistrerFiche(kTable, id, fiche, attendue);
}

void effacerDestinataire(RecordId id)
{
    supprimerFiche(kTable, id);
}

std::vector<std::pair<RecordId, FicheDestinataire>> tousLesDestinataires()
{
    return lireFiches(kTable);
}

void ajouterDestinataires(const std::vector<FicheDestinataire>& fiches)
{
    ajouterFiches(kTable, fiches);
}
