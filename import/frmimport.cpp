#include "import/frmimport.h"

#include "import/organiseur.h"
#include "platform/dialogues.h"
#include "platform/emplacements.h"
#include "platform/erreurbase.h"
#include "platform/fenetres.h"
#include "platform/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

constexpr int kColonneId = 2;
// The organiser's row of a list row, kept beside its (hidden) id.
constexpr int kRoleLigne = Qt::UserRole;

} // namespace

FrmImport::FrmImport(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmImport"));
    setWindowTitle(QStringLiteral("Importation des contacts de Tilvo - Organiseur"));

    m_txtChemin = new QLineEdit(this);
    m_txtChemin->setObjectName(QStringLiteral("txtChemin"));
    m_cmdParcourir = new QPushButton(QStringLiteral("..."), this);
    m_cmdParcourir->setObjectName(QStringLiteral("cmdParcourir"));
    m_cmdParcourir->setFixedWidth(m_cmdParcourir->fontMetrics().horizontalAdvance(QStringLiteral("...")) * 3);
    m_lsvContact = new QTreeWidget(this);
    m_lsvContact->setObjectName(QStringLiteral("lsvContact"));
    m_lsvContact->setRootIsDecorated(false);
    m_lsvContact->setColumnCount(3);
    m_lsvContact->setHeaderLabels({QStringLiteral("Nom"), QStringLiteral("Prénom"), QString()});
    m_lsvContact->setColumnWidth(0, pixelsEcran(2500));
    m_lsvContact->setColumnWidth(1, pixelsEcran(2500));
    m_lsvContact->setColumnHidden(kColonneId, true);
    m_cmdImporter = new QPushButton(QStringLiteral("Importer"), this);
    m_cmdImporter->setObjectName(QStringLiteral("cmdImporter"));
    m_cmdToutCocher = new QPushButton(QStringLiteral("Tout cocher"), this);
    m_cmdToutCocher->setObjectName(QStringLiteral("cmdToutCocher"));
    m_cmdToutDecocher = new QPushButton(QStringLiteral("Tout décocher"), this);
    m_cmdToutDecocher->setObjectName(QStringLiteral("cmdToutDecocher"));

    auto* grille = new QGridLayout(this);
    grille->addWidget(new QLabel(QStringLiteral("Dossier d'installation de Tilvo - Organiseur :"), this), 0, 0, 1, 2);
    grille->addWidget(m_txtChemin, 1, 0);
    grille->addWidget(m_cmdParcourir, 1, 1);
    grille->addWidget(
        new QLabel(QStringLiteral("Liste des contacts (cocher la case pour importer le contact) :"), this), 2, 0, 1, 2);
    grille->addWidget(m_lsvContact, 3, 0, 1, 2);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(m_cmdToutCocher);
    boutons->addWidget(m_cmdToutDecocher);
    boutons->addStretch();
    boutons->addWidget(m_cmdImporter);
    grille->addLayout(boutons, 4, 0, 1, 2);

    connect(m_cmdParcourir, &QPushButton::clicked, this, &FrmImport::parcourir);
    connect(m_cmdImporter, &QPushButton::clicked, this, &FrmImport::importer);

    connect(m_cmdToutCocher, &QPushButton::clicked, this, [this] { cocherTout(Qt::Checked); });
    connect(m_cmdToutDecocher, &QPushButton::clicked, this, [this] { cocherTout(Qt::Unchecked); });
    clavierDeDialogue(this, m_cmdImporter);

    // The organiser's database where it is usually found; the user can
    // still browse to another.
    if (const QString propose = DossierOrganiseurPropose(mdGeneral::DossierDonnees()); !propose.isEmpty()) {
        m_txtChemin->setText(propose);
        RemplirListeContacts();
    }
}

void FrmImport::cocherTout(Qt::CheckState etat)
{
    const int lignes = m_lsvContact->topLevelItemCount();
    for (int i = 0; i < lignes; ++i)
        m_lsvContact->topLevelItem(i)->setCheckState(0, etat);
}

void FrmImport::parcourir()
{
    const QString dossier = dialogues().dossier(QStringLiteral("Ouvrir Dossier"));
    if (dossier.isEmpty())
        return;
    m_txtChemin->setText(dossier);
    RemplirListeContacts();
}

void FrmImport::RemplirListeContacts()
{
    m_lsvContact->clear();
    QList<ContactOrganiseur> contacts;
    try {
        contacts = LireContactsOrganiseur(m_txtChemin->text());
    } catch (const ErreurBase& e) {
        afficherErreur(QStringLiteral("Les contacts de Tilvo - Organiseur ne peuvent pas être lus.\n") + e.raison());
        return;
    }
    QList<QTreeWidgetItem*> lignes;
    lignes.reserve(contacts.size());
    for (const ContactOrganiseur& c : contacts) {
        auto* ligne = new QTreeWidgetItem({c.nom, c.prenom, c.id});
        ligne->setCheckState(0, Qt::Unchecked);
        ligne->setData(0, kRoleLigne, c.ligne);
        lignes << ligne;
    }
    m_lsvContact->addTopLevelItems(lignes);
}

void FrmImport::importer()
{
    QList<ContactOrganiseur> coches;
    const int lignes = m_lsvContact->topLevelItemCount();
    for (int i = 0; i < lignes; ++i) {
        const QTreeWidgetItem* ligne = m_lsvContact->topLevelItem(i);
        if (ligne->checkState(0) == Qt::Checked)
            coches.append(
                {ligne->text(0), ligne->text(1), ligne->text(kColonneId), ligne->data(0, kRoleLigne).toLongLong()});
    }
    const BilanImport bilan = ImporterContacts(m_txtChemin->text(), coches);
    if (bilan.importes > 0 || bilan.erreur.isEmpty())
        emit contactsImportes();
    if (!bilan.erreur.isEmpty()) {
        afficherErreur(
            QStringLiteral("L'importation a été interrompue : %1\nContacts importés avant l'interruption : %2.")
                .arg(bilan.erreur)
                .arg(bilan.importes));
        return;
    }
    afficherInformation(QStringLiteral("Importation terminée."));
}
