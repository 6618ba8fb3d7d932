#include "store/expediteurs.h"

#include "store/personnes.h"
#include "store/requetes.h"

#include <array>
#include <utility>

namespace {

using Champ = std::pair<QLatin1String, QString FicheExpediteur::*>;

// Column of each field, in the order of the fields.
const std::array<Champ, 10>& colonnes()
{
    static const std::array<Champ, 10> c{{
        {QLatin1String("Titre_Expediteur"), &FicheExpediteur::titre},
        {QLatin1String("Nom_Expediteur"), &FicheExpediteur::nom},
        {QLatin1String("Prenom_Expediteur"), &FicheExpediteur::prenom},
        {QLatin1String("Adresse1_Expediteur"), &FicheExpediteur::adresse1},
        {QLatin1String("Adresse2_Expediteur"), &FicheExpediteur::adresse2},
        {QLatin1String("CP_Expediteur"), &FicheExpediteur::cp},
        {QLatin1String("Ville_Expediteur"), &FicheExpediteur::ville},
        {QLatin1String("Tel1_Expediteur"), &FicheExpediteur::tel1},
        {QLatin1String("Tel2_Expediteur"), &FicheExpediteur::tel2},
        {QLatin1String("Fonction_Expediteur"), &FicheExpediteur::fonction},
    }};
    return c;
}

const QString kId = QStringLiteral("Numero_Expediteur");

} // namespace

QStringList libellesExpediteurs()
{
    QStringList libelles;
    Recordset rs;
    rs.open(requetes::listeExpediteurs());
    for (; !rs.eof(); rs.moveNext())
        libelles << libellePersonne(rs.value(kId).toInt(), rs.text(QStringLiteral("Titre_Expediteur")),
                                    rs.text(QStringLiteral("Nom_Expediteur")), rs.text(QStringLiteral("Prenom_Expediteur")));
    rs.close();
    return libelles;
}

RecordId numeroExpediteurDe(const QString& texteChoix)
{
    if (texteChoix.isEmpty())
        return kAucunEnregistrement;
    const RecordId id = numeroEnTete(texteChoix);
    if (id == kAucunEnregistrement)
        return kAucunEnregistrement;
    Recordset rs;
    rs.open(requetes::expediteur(id));
    const bool trouve = !rs.eof();
    rs.close();
    return trouve ? id : kAucunEnregistrement;
}

FicheExpediteur lireExpediteur(RecordId id)
{
    FicheExpediteur fiche;
    Recordset rs;
    rs.open(requetes::expediteur(id));
    for (const auto& [colonne, champ] : colonnes())
        fiche.*champ = rs.text(colonne);
    rs.close();
    return fiche;
}

RecordId enregistrerExpediteur(RecordId id, const FicheExpediteur& fiche)
{
    Recordset rs;
    if (id == kAucunEnregistrement) {
        rs.open(requetes::tousExpediteurs());
        rs.addNew();
    } else {
        rs.open(requetes::expediteur(id));
    }
    for (const auto& [colonne, champ] : colonnes())
        rs.setValue(colonne, fiche.*champ);
    rs.update();
    const RecordId enregistre = rs.value(kId).toInt();
    rs.close();
    return enregistre;
}

void supprimerExpediteur(RecordId id)
{
    Recordset rs;
    rs.open(requetes::expediteur(id));
    rs.deleteCurrent();
    rs.close();
}
