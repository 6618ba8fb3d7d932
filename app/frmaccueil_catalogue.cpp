// The main window's model catalogue: category and sub-category choosers,
// the model list and its add and delete commands.
#include "app/frmaccueil.h"
#include "app/modeletableau.h"
#include "platform/dialogues.h"
#include "store/catalogue_modeles.h"

#include <QComboBox>
#include <QToolButton>
#include <QTreeView>

namespace {

void remplirCombo(QComboBox* combo, const QStringList& libelles)
{
    const QSignalBlocker bloque(combo);
    combo->clear();
    combo->addItems(libelles);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

} // namespace

RecordId FrmAccueil::NumeroCategorieChoisie() const
{
    return numeroCategorie(m_cmbCategorieModele->currentText());
}

RecordId FrmAccueil::NumeroSousCategorieChoisie() const
{
    const RecordId categorie = NumeroCategorieChoisie();
    return numeroSousCategorie(categorie, m_cmbSousCategorieModele->currentText());
}

void FrmAccueil::RemplirCategories()
{
    remplirCombo(m_cmbCategorieModele, {});
    remplirCombo(m_cmbCategorieModele, libellesCategories());
}

void FrmAccueil::RemplirSousCategories()
{
    m_listeModeles->vider();
    const RecordId categorie = NumeroCategorieChoisie();
    if (categorie == kAucunEnregistrement)
        return;
    const QStringList libelles = libellesSousCategories(categorie);
    remplirCombo(m_cmbSousCategorieModele, libelles);
}

void FrmAccueil::RemplirModeles()
{
    m_listeModeles->vider();
    const RecordId sousCategorie = NumeroSousCategorieChoisie();
    if (sousCategorie == kAucunEnregistrement)
        return;
    QList<QStringList> colonnes(kLienFiche + 1);
    for (const LigneModele& m : modelesDeSousCategorie(sousCategorie)) {
        colonnes[kIdModele] << m.id;
        colonnes[kLibelleModele] << m.libelle;
        colonnes[kLienModele] << m.lien;
        colonnes[kLienFiche] << m.lienFiche;
    }
    m_listeModeles->remplir(colonnes);
    const bool nonVide = m_listeModeles->rowCount() > 0;
    if (nonVide)
        m_lsvModele->setCurrentIndex(m_listeModeles->index(0, kLibelleModele));
    m_cmdSupprimerModele->setEnabled(nonVide);
    m_cmdModifierModele->setEnabled(nonVide);
}

void FrmAccueil::AjouterModele()
{
    const RecordId sousCategorie = NumeroSousCategorieChoisie();
    if (sousCategorie == kAucunEnregistrement) {
        afficherErreur(QStringLiteral("Veuillez saisir une sous-catégorie."));
        return;
    }
    const QString libelle = dialogues().saisie(QStringLiteral("Veuillez saisir le libellé du nouveau modèle :"),
                                               QStringLiteral("Nouveau modèle"), QStringLiteral("Libelle"));
    if (libelle.isEmpty())
        return;
    const QString id = creerModele(sousCategorie, libelle);
    RemplirModeles();
    for (int ligne = 0; ligne < m_listeModeles->rowCount(); ++ligne) {
        if (m_listeModeles->texte(ligne, kIdModele) == id)
            m_lsvModele->setCurrentIndex(m_listeModeles->index(ligne, kLibelleModele));
    }
}

void FrmAccueil::SupprimerModele()
{
    const QString id = idModeleCourant();
    if (m_listeModeles->rowCount() == 0 || id.isEmpty())
        return;
    if (confirmerDestruction(QStringLiteral("Êtes-vous sûr de vouloir supprimer ce modèle ?")) == Reponse::Non)
        return;
    effacerModele(id);
    RemplirModeles();
}
