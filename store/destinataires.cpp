#include "store/destinataires.h"

#include "store/personnes.h"
#include "store/requetes.h"

#include <array>
#include <utility>

namespace {

using Champ = std::pair<QLatin1String, QString FicheDestinataire::*>;

// Column of each field, in the order of the fields.
const std::array<Champ, 9>& colonnes()
{
    static const std::array<Champ, 9> c{{
        {QLatin1String("Titre_Destinataire"), &FicheDestinataire::titre},
        {QLatin1String("Nom_Destinataire"), &FicheDestinataire::nom},
        {QLatin1String("Prenom_Destinataire"), &FicheDestinataire::prenom},
        {QLatin1String("Adresse1_Destinataire"), &FicheDestinataire::adresse1},
        {QLatin1String("Adresse2_Destinataire"), &FicheDestinataire::adresse2},
        {QLatin1String("CP_Destinataire"), &FicheDestinataire::cp},
        {QLatin1String("Ville_Destinataire"), &FicheDestinataire::ville},
        {QLatin1String("Fonction_Destinataire"), &FicheDestinataire::fonction},
        {QLatin1String("Mail_Destinataire"), &FicheDestinataire::mail},
    }};
    return c;
}

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
        lignes.noms << nomComplet(rs.text(kTitre), rs.text(kNom), rs.text(kPrenom));
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
    if (texteChoix.isEmpty())
        return kAucunEnregistrement;
    const RecordId id = numeroEnTete(texteChoix);
    if (id == kAucunEnregistrement)
        return kAucunEnregistrement;
    Recordset rs;
    rs.open(requetes::destinataire(id));
    const bool trouve = !rs.eof();
    rs.close();
    return trouve ? id : kAucunEnregistrement;
}

FicheDestinataire lireDestinataire(RecordId id)
{
    FicheDestinataire fiche;
    Recordset rs;
    rs.open(requetes::destinataire(id));
    for (const auto& [colonne, champ] : colonnes())
        fiche.*champ = rs.text(colonne);
    rs.close();
    return fiche;
}

RecordId enregistrerDestinataire(RecordId id, const FicheDestinataire& fiche)
{
    Recordset rs;
    if (id == kAucunEnregistrement) {
        rs.open(requetes::tousDestinataires());
        rs.addNew();
    } else {
        rs.open(requetes::destinataire(id));
    }
    for (const auto& [colonne, champ] : colonnes())
        rs.setValue(colonne, fiche.*champ);
    rs.update();
    const RecordId enregistre = rs.value(kId).toInt();
    rs.close();
    return enregistre;
}

void supprimerDestinataire(RecordId id)
{
    Recordset rs;
    rs.open(requetes::destinataire(id));
    rs.deleteCurrent();
    rs.close();
}
