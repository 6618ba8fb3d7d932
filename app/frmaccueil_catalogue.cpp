// The main window's model catalogue: category and sub-category choosers,
// the model list and its add, import and delete commands.
#include "app/controles.h"
#include "app/frmaccueil.h"
#include "app/modeletableau.h"
#include "platform/dialogues.h"
#include "platform/fenetres.h"
#include "richtext/editeurmodele.h"
#include "richtext/frmtexte.h"
#include "richtext/importmodele.h"
#include "store/catalogue_modeles.h"

#include <QGroupBox>

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
    selectionnerModele(id);
}

void FrmAccueil::selectionnerModele(const QString& id)
{
    for (int ligne = 0; ligne < m_listeModeles->rowCount(); ++ligne) {
        if (m_listeModeles->texte(ligne, kIdModele) == id)
            m_lsvModele->setCurrentIndex(m_listeModeles->index(ligne, kLibelleModele));
    }
}

void FrmAccueil::construireImportModele(QGroupBox* p)
{
    m_cmdImporterModele = controles::image(p, QStringLiteral("cmdImporterModele"),
                                           controles::icone(QStringLiteral("document-import"),
                                                            QStringLiteral("importer-modele.svg")),
                                           QStringLiteral("Importer un modèle (RTF)…"), 6600, 5100, 540, 540);
    connect(m_cmdImporterModele, &QToolButton::clicked, this,
            [this] { commande(QStringLiteral("Le modèle n'a pas pu être importé."), [this] { ImporterModele(); }); });
}

void FrmAccueil::ImporterModele()
{
    const RecordId sousCategorie = NumeroSousCategorieChoisie();
    if (sousCategorie == kAucunEnregistrement) {
        afficherErreur(QStringLiteral("Veuillez saisir une sous-catégorie."));
        return;
    }
    const QString chemin = dialogues().fichierAOuvrir(QStringLiteral("Importer un modèle (RTF)"),
                                                      QStringLiteral("Documents RTF (*.rtf *.RTF)"));
    if (chemin.isEmpty())
        return;
    QString raison;
    const std::optional<QString> corps = corpsDepuisFichierRtf(chemin, raison);
    if (!corps) {
        afficherErreur(raison);
        return;
    }
    const QString libelle = dialogues().saisie(QStringLiteral("Veuillez saisir le libellé du nouveau modèle :"),
                                               QStringLiteral("Importer un modèle"), libelleDepuisFichier(chemin));
    if (libelle.isEmpty())
        return;
    const QString id = creerModele(sousCategorie, libelle, *corps);
    RemplirModeles();
    selectionnerModele(id);
    // The editor edits one model at a time: the one open goes first (it asks
    // about its changes).
    if (QWidget* ouvert = fenetreOuverte(QStringLiteral("FrmTexte")))
        ouvert->close();
    const FrmTexte* editeur = ChargerCorpsModele(id);
    if (editeur && editeur->idModele != id)
        afficherInformation(QStringLiteral("Le modèle « %1 » a été ajouté ; il s'ouvrira dans l'éditeur une fois "
                                           "celui-ci fermé.")
                                .arg(libelle));
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
