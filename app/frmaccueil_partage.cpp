// The main window on an office's shared server: what another desktop adds,
// changes or deletes reaches the lists here within a moment, without
// touching what the user is typing or has chosen.
#include "app/frmaccueil.h"
#include "app/modeletableau.h"
#include "app/panneaupersonne.h"
#include "platform/connexion.h"
#include "platform/erreurbase.h"
#include "store/catalogue_modeles.h"
#include "store/destinataires.h"
#include "store/expediteurs.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QTimer>
#include <QTreeView>

namespace {

// Changes arrive in bursts (an import, a mass edit): one reading after the
// last of them.
constexpr int kRegroupementMs = 300;

// New items for an editable chooser, its text kept, on the same item when
// it is still there.
void relireCombo(QComboBox* combo, const QStringList& libelles)
{
    const QSignalBlocker bloque(combo);
    const QString texte = combo->currentText();
    combo->clear();
    combo->addItems(libelles);
    combo->setCurrentIndex(combo->findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive));
    combo->setEditText(texte);
}

} // namespace

void FrmAccueil::suivreLesAutresPostes()
{
    m_rafraichissement = new QTimer(this);
    m_rafraichissement->setSingleShot(true);
    m_rafraichissement->setInterval(kRegroupementMs);
    connect(m_rafraichissement, &QTimer::timeout, this, &FrmAccueil::rafraichirTablesModifiees);
    cnLettre().surModificationAilleurs(this, [this](const QString& table) {
        m_tablesModifiees.insert(table.toLower());
        m_rafraichissement->start();
    });
}

void FrmAccueil::rafraichirTablesModifiees()
{
    const QSet<QString> tables = std::exchange(m_tablesModifiees, {});
    try {
        if (tables.contains(QStringLiteral("expediteur"))) {
            const LignesExpediteurs lignes = lignesExpediteurs();
            m_expediteur->relire(lignes.libelles, lignes.nomsPrenoms, lignes.villes);
        }
        if (tables.contains(QStringLiteral("destinataire")))
            rafraichirDestinataires();
        if (tables.contains(QStringLiteral("categorie_modele"))
            || tables.contains(QStringLiteral("sous_categorie_modele")) || tables.contains(QStringLiteral("modele")))
            rafraichirCatalogue();
    } catch (const ErreurBase&) {
        // The server went away meanwhile: the next command says so and
        // opens the connection again.
    }
}

void FrmAccueil::rafraichirDestinataires()
{
    QSet<QString> choisis;
    for (const RecordId id : idsDestinatairesSelectionnes())
        choisis.insert(QString::number(id));
    const LignesDestinataires lignes = lignesDestinataires();
    m_destinataire->relire(libellesDestinataires(lignes), lignes.nomsPrenoms, lignes.villes);
    afficherListeDestinataires(lignes);
    QItemSelection selection;
    for (int ligne = 0; ligne < m_listeDest->rowCount(); ++ligne) {
        if (choisis.contains(m_listeDest->texte(ligne, kIdDestinataire)))
            selection.select(m_listeDest->index(ligne, 0), m_listeDest->index(ligne, m_listeDest->columnCount() - 1));
    }
    m_lsvDest->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void FrmAccueil::rafraichirCatalogue()
{
    const QModelIndex courant = m_lsvModele->currentIndex();
    const QString modele = courant.isValid() ? m_listeModeles->texte(courant.row(), kIdModele) : QString();
    relireCombo(m_cmbCategorieModele, libellesCategories());
    const RecordId categorie = NumeroCategorieChoisie();
    relireCombo(m_cmbSousCategorieModele,
                categorie == kAucunEnregistrement ? QStringList() : libellesSousCategories(categorie));
    RemplirModeles();
    if (!modele.isEmpty())
        selectionnerModele(modele);
}
