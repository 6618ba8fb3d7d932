#include "store/expediteurs.h"

#include "store/carnet.h"
#include "store/personnes.h"
#include "store/requetes.h"

namespace {

// The sender table: query texts, id column, the column of each field.
const TableCarnet<FicheExpediteur, 10> kTable{requetes::expediteur,
                                              requetes::tousExpediteurs,
                                              QLatin1String("Numero_Expediteur"),
                                              {{
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
                                              }}};

const QString kId = QStringLiteral("Numero_Expediteur");

} // namespace

LignesExpediteurs lignesExpediteurs()
{
    LignesExpediteurs lignes;
    Recordset rs;
    rs.open(requetes::listeExpediteurs());
    for (; !rs.eof(); rs.moveNext()) {
        const QString nom = rs.text(QStringLiteral("Nom_Expediteur"));
        const QString prenom = rs.text(QStringLiteral("Prenom_Expediteur"));
        lignes.libelles << libellePersonne(rs.value(kId).toLongLong(), rs.text(QStringLiteral("Titre_Expediteur")), nom,
                                           prenom);
        lignes.nomsPrenoms << nom + QLatin1Char(' ') + prenom;
        lignes.villes << rs.text(QStringLiteral("Ville_Expediteur"));
    }
    rs.close();
    return lignes;
}

QStringList libellesExpediteurs()
{
    return lignesExpediteurs().libelles;
}

RecordId numeroExpediteurDe(const QString& texteChoix)
{
    return numeroDesigne(kTable, texteChoix);
}

FicheExpediteur lireExpediteur(RecordId id)
{
    return lireFiche(kTable, id);
}

RecordId ecrireExpediteur(RecordId id, const FicheExpediteur& fiche, const FicheExpediteur* attendue)
{
    return enregistrerFiche(kTable, id, fiche, attendue);
}

void effacerExpediteur(RecordId id)
{
    supprimerFiche(kTable, id);
}

std::vector<std::pair<RecordId, FicheExpediteur>> tousLesExpediteurs()
{
    return lireFiches(kTable);
}

void ajouterExpediteurs(const std::vector<FicheExpediteur>& fiches)
{
    ajouterFiches(kTable, fiches);
}
