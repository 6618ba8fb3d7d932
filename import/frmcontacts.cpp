#include "import/frmcontacts.h"

#include "import/modeleapercu.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTreeView>

namespace {

constexpr Champ kChampsProposes[] = {Champ::Aucun,    Champ::Titre,    Champ::Nom,  Champ::Prenom,
                                     Champ::Adresse1, Champ::Adresse2, Champ::Cp,   Champ::Ville,
                                     Champ::Fonction, Champ::Mail,     Champ::Tel1, Champ::Tel2};

QPushButton* bouton(QWidget* parent, const QString& nom, const QString& texte)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    return b;
}

} // namespace

FrmContacts::FrmContacts(std::function<QList<RecordId>()> selection, QWidget* parent)
    : QWidget(parent), m_selection(std::move(selection))
{
    setObjectName(QStringLiteral("FrmContacts"));
    setWindowTitle(QStringLiteral("Importer des contacts (vCard, CSV)"));

    m_txtFichier = new QLineEdit(this);
    m_txtFichier->setObjectName(QStringLiteral("txtFichier"));
    m_txtFichier->setReadOnly(true);
    m_cmdParcourir = bouton(this, QStringLiteral("cmdParcourir"), QStringLiteral("..."));
    m_optDestinataires = new QRadioButton(QStringLiteral("les destinataires"), this);
    m_optDestinataires->setObjectName(QStringLiteral("optDestinataires"));
    m_optDestinataires->setChecked(true);
    m_optExpediteurs = new QRadioButton(QStringLiteral("les expéditeurs"), this);
    m_optExpediteurs->setObjectName(QStringLiteral("optExpediteurs"));
    m_tblColonnes = new QTableWidget(0, 2, this);
    m_tblColonnes->setObjectName(QStringLiteral("tblColonnes"));
    m_tblColonnes->setHorizontalHeaderLabels({QStringLiteral("Colonne du fichier"), QStringLiteral("Champ")});
    m_tblColonnes->horizontalHeader()->setStretchLastSection(true);
    m_tblColonnes->verticalHeader()->hide();
    m_tblColonnes->setMaximumHeight(150);
    m_tblColonnes->hide();
    m_apercu = new ModeleApercu(this);
    m_lsvApercu = new QTreeView(this);
    m_lsvApercu->setObjectName(QStringLiteral("lsvApercu"));
    m_lsvApercu->setRootIsDecorated(false);
    m_lsvApercu->setUniformRowHeights(true);
    m_lsvApercu->setModel(m_apercu);
    m_cmdToutCocher = bouton(this, QStringLiteral("cmdToutCocher"), QStringLiteral("Tout cocher"));
    m_cmdToutDecocher = bouton(this, QStringLiteral("cmdToutDecocher"), QStringLiteral("Tout décocher"));
    m_cmdImporter = bouton(this, QStringLiteral("cmdImporter"), QStringLiteral("Importer"));
    m_chkSelection = new QCheckBox(QStringLiteral("Seulement les destinataires sélectionnés"), this);
    m_chkSelection->setObjectName(QStringLiteral("chkSelection"));
    m_chkSelection->setEnabled(bool(m_selection));
    m_cmdExporter = bouton(this, QStringLiteral("cmdExporter"), QStringLiteral("Exporter le carnet…"));

    auto* grille = new QGridLayout(this);
    grille->addWidget(new QLabel(QStringLiteral("Fichier de contacts (vCard .vcf ou CSV .csv) :"), this), 0, 0, 1, 2);
    grille->addWidget(m_txtFichier, 1, 0);
    grille->addWidget(m_cmdParcourir, 1, 1);
    auto* carnets = new QHBoxLayout;
    carnets->addWidget(new QLabel(QStringLiteral("Carnet :"), this));
    carnets->addWidget(m_optDestinataires);
    carnets->addWidget(m_optExpediteurs);
    carnets->addStretch();
    grille->addLayout(carnets, 2, 0, 1, 2);
    grille->addWidget(m_tblColonnes, 3, 0, 1, 2);
    grille->addWidget(new QLabel(QStringLiteral("Contacts à importer (cocher la case pour importer le contact) :"),
                                 this),
                      4, 0, 1, 2);
    grille->addWidget(m_lsvApercu, 5, 0, 1, 2);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(m_cmdToutCocher);
    boutons->addWidget(m_cmdToutDecocher);
    boutons->addStretch();
    boutons->addWidget(m_cmdImporter);
    grille->addLayout(boutons, 6, 0, 1, 2);
    auto* export_ = new QHBoxLayout;
    export_->addWidget(m_chkSelection);
    export_->addStretch();
    export_->addWidget(m_cmdExporter);
    grille->addLayout(export_, 7, 0, 1, 2);
    resize(900, 600);

    connect(m_cmdParcourir, &QPushButton::clicked, this, &FrmContacts::parcourir);
    connect(m_optDestinataires, &QRadioButton::toggled, this, [this] {
        m_chkSelection->setEnabled(bool(m_selection) && carnet() == Carnet::Destinataires);
        afficherApercu();
    });
    connect(m_cmdToutCocher, &QPushButton::clicked, this, [this] { m_apercu->cocherTout(true); });
    connect(m_cmdToutDecocher, &QPushButton::clicked, this, [this] { m_apercu->cocherTout(false); });
    connect(m_cmdImporter, &QPushButton::clicked, this, &FrmContacts::importer);
    connect(m_cmdExporter, &QPushButton::clicked, this, &FrmContacts::exporter);
    afficherApercu();
}

Carnet FrmContacts::carnet() const
{
    return m_optExpediteurs->isChecked() ? Carnet::Expediteurs : Carnet::Destinataires;
}

void FrmContacts::parcourir()
{
    const QString chemin = dialogues().fichierAOuvrir(
        QStringLiteral("Importer des contacts"),
        QStringLiteral(
            "Contacts (*.vcf *.csv);;Cartes de visite vCard (*.vcf);;Tableaux CSV (*.csv);;Tous les fichiers (*)"));
    if (!chemin.isEmpty())
        chargerFichier(chemin);
}

void FrmContacts::chargerFichier(const QString& chemin)
{
    m_txtFichier->setText(chemin);
    const bool long_ = QFileInfo(chemin).size() > kTailleProgression;
    Avancement avancement;
    if (long_) {
        dialogues().debutProgression(QStringLiteral("Lecture de « %1 »").arg(QFileInfo(chemin).fileName()), 1000);
        avancement = [](qint64 fait, qint64 total) {
            return dialogues().progression(int(fait * 1000 / qMax<qint64>(total, 1)),
                                           QStringLiteral("Lecture des contacts…"));
        };
    }
    const QString erreur = lireFichierContacts(chemin, m_fichier, avancement);
    if (long_)
        dialogues().finProgression();
    if (!erreur.isEmpty()) {
        m_fichier = FichierContacts();
        if (erreur != kLectureAnnulee)
            afficherErreur(erreur);
    }
    afficherColonnes();
    afficherApercu();
}

void FrmContacts::afficherColonnes()
{
    const bool csv = m_fichier.format == FichierContacts::Format::Csv && !m_fichier.tableau.entetes.isEmpty();
    m_tblColonnes->setVisible(csv);
    m_tblColonnes->setRowCount(csv ? int(m_fichier.tableau.entetes.size()) : 0);
    if (!csv)
        return;
    for (int i = 0; i < m_tblColonnes->rowCount(); ++i) {
        auto* entete = new QTableWidgetItem(m_fichier.tableau.entetes.at(i));
        entete->setFlags(Qt::ItemIsEnabled);
        m_tblColonnes->setItem(i, 0, entete);
        auto* choix = new QComboBox(m_tblColonnes);
        choix->setObjectName(QStringLiteral("cboColonne%1").arg(i));
        for (const Champ champ : kChampsProposes)
            choix->addItem(libelleChamp(champ), int(champ));
        choix->setCurrentIndex(choix->findData(int(m_fichier.correspondance[std::size_t(i)])));
        connect(choix, &QComboBox::currentIndexChanged, this, [this, i, choix] {
            m_fichier.correspondance[std::size_t(i)] = Champ(choix->currentData().toInt());
            m_fichier.appliquerCorrespondance();
            afficherApercu();
        });
        m_tblColonnes->setCellWidget(i, 1, choix);
    }
}

void FrmContacts::afficherApercu()
{
    std::vector<bool> presents;
    try {
        presents = dejaPresents(m_fichier.contacts, carnet());
    } catch (const ErreurBase& e) {
        afficherErreur(QStringLiteral("Le carnet n'a pas pu être lu pour y chercher les contacts déjà présents.\n")
                       + e.raison());
        presents.assign(m_fichier.contacts.size(), false);
    }
    m_apercu->charger(m_fichier.contacts, std::move(presents));
    // Each book shows only the fields it has.
    const bool destinataires = carnet() == Carnet::Destinataires;
    m_lsvApercu->setColumnHidden(ModeleApercu::colonneDe(Champ::Mail), !destinataires);
    m_lsvApercu->setColumnHidden(ModeleApercu::colonneDe(Champ::Tel1), destinataires);
    m_lsvApercu->setColumnHidden(ModeleApercu::colonneDe(Champ::Tel2), destinataires);
}

void FrmContacts::importer()
{
    BilanContacts bilan;
    std::vector<Contact> coches;
    const std::vector<ContactLu>& contacts = m_apercu->contacts();
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        if (!contacts[i].erreur.isEmpty())
            bilan.lignesIllisibles << contacts[i].ligne;
        else if (m_apercu->estCoche(i))
            coches.push_back(contacts[i].contact);
        else if (m_apercu->estPresent(i))
            ++bilan.doublons;
    }
    if (coches.empty()) {
        afficherErreur(QStringLiteral("Aucun contact n'est coché : rien n'a été importé."));
        return;
    }
    try {
        ajouterAuCarnet(coches, carnet());
    } catch (const ErreurBase& e) {
        afficherErreur(
            QStringLiteral(
                "L'importation a échoué : aucun contact n'a été ajouté, le carnet est resté tel qu'il était.\n")
            + e.raison());
        return;
    }
    bilan.importes = int(coches.size());
    emit contactsImportes(carnet());
    m_apercu->marquerImportes();
    afficherInformation(QStringLiteral("Importation terminée : ") + texteBilan(bilan));
}

void FrmContacts::exporter()
{
    const QString chemin = dialogues().fichierAEnregistrer(
        QStringLiteral("Exporter le carnet"), QStringLiteral("Cartes de visite vCard (*.vcf);;Tableau CSV (*.csv)"),
        carnet() == Carnet::Destinataires ? QStringLiteral("destinataires.vcf") : QStringLiteral("expediteurs.vcf"));
    if (chemin.isEmpty())
        return;
    const FormatExport format = chemin.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? FormatExport::Csv
                                                                                            : FormatExport::VCard;
    std::vector<Contact> contacts;
    try {
        QList<RecordId> ids;
        if (m_chkSelection->isEnabled() && m_chkSelection->isChecked()) {
            ids = m_selection();
            if (ids.isEmpty()) {
                afficherErreur(QStringLiteral("Aucun destinataire n'est sélectionné dans la fenêtre principale."));
                return;
            }
        }
        contacts = contactsDuCarnet(carnet(), ids);
    } catch (const ErreurBase& e) {
        afficherErreur(QStringLiteral("Le carnet n'a pas pu être lu.\n") + e.raison());
        return;
    }
    const QString erreur = exporterContacts(contacts, carnet(), format, chemin);
    if (!erreur.isEmpty()) {
        afficherErreur(erreur);
        return;
    }
    afficherInformation(QStringLiteral("Exportation terminée : %1 contact(s) dans « %2 ».")
                            .arg(contacts.size())
                            .arg(QFileInfo(chemin).fileName()));
}
