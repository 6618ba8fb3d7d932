// Building the main window: the controls around the step panels, the step
// menu, and the sender and recipient panels.
#include "app/controles.h"
#include "app/filtrecaracteres.h"
#include "app/frmaccueil.h"
#include "app/modeletableau.h"
#include "app/panneaupersonne.h"
#include "app/recherchecarnet.h"
#include "richtext/richtextbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

using namespace controles;

namespace {

QString indice(const QString& nom, int i)
{
    return QStringLiteral("%1(%2)").arg(nom).arg(i);
}

} // namespace

void FrmAccueil::construireFenetre()
{
    setObjectName(QStringLiteral("FrmAccueil"));
    setWindowTitle(QStringLiteral(" Tilvo - Lettres"));
    setFixedSize(pixelsEcran(kLargeur), pixelsEcran(kHauteur));
    setWindowIcon(icone(QStringLiteral("tilvo-lettres"), QStringLiteral("logo.svg")));
    m_filtre = new FiltreCaracteres(this);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    placer(image1, 240, 240, 960, 960);
    image1->setPixmap(icone(QStringLiteral("tilvo-lettres"), QStringLiteral("logo.svg")).pixmap(image1->size()));
    QLabel* label27 = etiquette(this, QStringLiteral("Label27"), QStringLiteral("Tilvo - "), 1320, 240, 1800, 600);
    QLabel* label25 = etiquette(this, QStringLiteral("Label25"), QStringLiteral("Lettres"), 1320, 780, 1800, 600);
    label27->setFont(policeTitre(20));
    label25->setFont(policeTitre(20));

    m_cmdOption = image(this, QStringLiteral("cmdOption"),
                        icone(QStringLiteral("preferences-system"), QStringLiteral("options.svg")),
                        QStringLiteral("Options"), 12240, 480, 540, 540);
    m_cmdAide = image(this, QStringLiteral("cmdAide"), icone(QStringLiteral("help-about"), QStringLiteral("aide.svg")),
                      QStringLiteral("À propos"), 12840, 480, 540, 540);
    m_cmdImport = image(this, QStringLiteral("cmdImport"),
                        icone(QStringLiteral("x-office-address-book"), QStringLiteral("import.svg")),
                        QStringLiteral("Importer les contacts de Tilvo - Organiseur"), 13440, 480, 540, 540);
    m_cmdImportContacts = image(this, QStringLiteral("cmdImportContacts"),
                                icone(QStringLiteral("x-office-contact"), QStringLiteral("fiche.svg")),
                                QStringLiteral("Importer des contacts (vCard, CSV)… / Exporter le carnet…"), 11640, 480,
                                540, 540);
    m_cmdJournal = image(this, QStringLiteral("cmdJournal"),
                         icone(QStringLiteral("x-office-document"), QStringLiteral("journal.svg")),
                         QStringLiteral("Journal des envois"), 11040, 480, 540, 540);

    auto* menu = new QGroupBox(QStringLiteral("Menu"), this);
    menu->setObjectName(QStringLiteral("fraMenu"));
    placer(menu, 240, 2880, 2055, 4335);
    const QStringList etapes{QStringLiteral("Expéditeur"), QStringLiteral("Destinataire"),
                             QStringLiteral("Objet / Autres"), QStringLiteral("Corps"), QStringLiteral("Traitement")};
    for (int i = 0; i < AnimationEtapes::kNombreEtapes; ++i) {
        auto* b = new QPushButton(etapes.at(i), menu);
        b->setObjectName(indice(QStringLiteral("cmdMenu"), i));
        placer(b, 240, 600 + 720 * i, 1575, 495);
        m_cmdMenu.at(static_cast<std::size_t>(i)) = b;
    }

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1);

    auto* pict = new QLabel(this);
    pict->setObjectName(QStringLiteral("Pict"));
    pict->hide();

    for (int i = 0; i < AnimationEtapes::kNombreEtapes; ++i) {
        auto* panneau = new QGroupBox(etapes.at(i), this);
        panneau->setObjectName(indice(QStringLiteral("barMenu"), i));
        placer(panneau, AnimationEtapes::kGauche, AnimationEtapes::kHautRange, 11295, 7335);
        m_barMenu.at(static_cast<std::size_t>(i)) = panneau;
    }
    construirePanneauExpediteur(m_barMenu[AnimationEtapes::Expediteur]);
    construirePanneauDestinataire(m_barMenu[AnimationEtapes::Destinataire]);
    construirePanneauObjet(m_barMenu[AnimationEtapes::Objet]);
    construirePanneauCorps(m_barMenu[AnimationEtapes::Corps]);
    construirePanneauTraitement(m_barMenu[AnimationEtapes::Traitement]);
    construireApercu(m_barMenu[AnimationEtapes::Traitement]);
}

// The preview button of "Traitement", under the others; the envelope's
// preview waits in its menu.
void FrmAccueil::construireApercu(QGroupBox* p)
{
    m_cmdApercu = image(p, QStringLiteral("cmdApercu"),
                        icone(QStringLiteral("document-print-preview"), QStringLiteral("apercu.svg")),
                        QStringLiteral("Aperçu avant impression"), 240, 6660, 720, 600);
    auto* menu = new QMenu(m_cmdApercu);
    m_mnuApercuEnveloppe = menu->addAction(QStringLiteral("Aperçu de l'enveloppe"));
    m_mnuApercuEnveloppe->setObjectName(QStringLiteral("mnuApercuEnveloppe"));
    m_cmdApercu->setMenu(menu);
    m_cmdApercu->setPopupMode(QToolButton::MenuButtonPopup);
    connect(m_cmdApercu, &QToolButton::clicked, this, &FrmAccueil::cmdApercu_Click);
    connect(m_mnuApercuEnveloppe, &QAction::triggered, this, &FrmAccueil::cmdApercuEnveloppe_Click);
}

void FrmAccueil::construirePanneauExpediteur(QGroupBox* p)
{
    const PanneauPersonne::Description d{
        .suffixe = QStringLiteral("Exp"),
        .nomTitrePanneau = QStringLiteral("Label16"),
        .titrePanneau = QStringLiteral("Expéditeur"),
        .nomChoix = QStringLiteral("cmbExpediteur"),
        .gaucheChoix = 360,
        .hautChoix = 960,
        .largeurChoix = 7440,
        .gaucheRecherche = 3480,
        .largeurRecherche = 4320,
        .nomEtiquettes = QStringLiteral("lblExp"),
        .premiereEtiquette = 0,
        .etiquettes = {QStringLiteral("Titre :"), QStringLiteral("Nom :"), QStringLiteral("Prénom :"),
                       QStringLiteral("Adresse :"), QStringLiteral("Adresse :"), QStringLiteral("CP - Ville :"),
                       QStringLiteral("Téléphone 1 :"), QStringLiteral("Téléphone 2 :"), QStringLiteral("Fonction :")},
        .gaucheEtiquettes = 600,
        .largeurEtiquettes = 1560,
        .hautLignes = 1560,
        .pasLignes = 480,
        .gaucheChamps = 2280,
        .largeurTitre = 3000,
        .champs = {{QStringLiteral("Nom"), 1, 2280, 5520},
                   {QStringLiteral("Prenom"), 2, 2280, 5520},
                   {QStringLiteral("Adresse1"), 3, 2280, 5520},
                   {QStringLiteral("Adresse2"), 4, 2280, 5520},
                   {QStringLiteral("CP"), 5, 2280, 1200},
                   {QStringLiteral("Ville"), 5, 3600, 4200},
                   {QStringLiteral("Tel1"), 6, 2280, 3000},
                   {QStringLiteral("Tel2"), 7, 2280, 3000},
                   {QStringLiteral("Fonction"), 8, 2280, 5520}},
        .largeurVerification = 7200,
        .infobulles = {QStringLiteral("Nouvel expéditeur"), QStringLiteral("Supprimer l'expéditeur"),
                       QStringLiteral("Enregistrer l'expéditeur")},
        .gaucheBoutons = 8280,
        .pasBoutons = 720,
        .coteBoutons = 600};
    const PanneauPersonne::AccesCarnet carnet{
        &numeroExpediteurDe,
        [](RecordId id) { return valeursExpediteur(lireExpediteur(id)); },
        [](RecordId id, const QStringList& v, const QStringList* attendues) {
            const FicheExpediteur lue = attendues ? versFicheExpediteur(*attendues) : FicheExpediteur{};
            return ecrireExpediteur(id, versFicheExpediteur(v), attendues ? &lue : nullptr);
        },
        &effacerExpediteur,
        QStringLiteral("Veuillez sélectionner un expéditeur valide."),
        QStringLiteral("Veuillez saisir au moins un nom ou un prénom pour cet expéditeur."),
        QStringLiteral("Êtes-vous sûr de vouloir supprimer cet expéditeur ?"),
        QStringLiteral("Cet expéditeur a été modifié sur un autre poste.")};
    m_expediteur = new PanneauPersonne(p, d, carnet, m_filtre, this);
}

void FrmAccueil::construirePanneauDestinataire(QGroupBox* p)
{
    auto* envoie = new QGroupBox(QStringLiteral("Envoi"), p);
    envoie->setObjectName(QStringLiteral("fraEnvoie"));
    placer(envoie, 6480, 240, 4560, 660);
    const QStringList modes{QStringLiteral("Individuel"), QStringLiteral("En nombre")};
    for (int k = 0; k < 2; ++k) {
        auto* o = new QRadioButton(modes.at(k), envoie);
        o->setObjectName(indice(QStringLiteral("optDiffusion"), k));
        placer(o, 240 + 2160 * k, 270, 2040, 300);
        m_optDiffusion.at(static_cast<std::size_t>(k)) = o;
    }
    m_optDiffusion[0]->setChecked(true);
    m_lblDestUnique0 = etiquette(p, indice(QStringLiteral("lblDestUnique"), 0),
                                 QStringLiteral("Sélectionner le destinataire pour l'envoi individuel :"), 360, 1020,
                                 5640);

    const PanneauPersonne::Description d{
        .suffixe = QStringLiteral("Dest"),
        .nomTitrePanneau = QStringLiteral("Label9"),
        .titrePanneau = QStringLiteral("Destinataire"),
        .nomChoix = QStringLiteral("cmbDestinataire"),
        .gaucheChoix = 360,
        .hautChoix = 1320,
        .largeurChoix = 5160,
        .gaucheRecherche = 3480,
        .largeurRecherche = 2040,
        .nomEtiquettes = QStringLiteral("lblDestUnique"),
        .premiereEtiquette = 1,
        .etiquettes = {QStringLiteral("Titre :"), QStringLiteral("Nom :"), QStringLiteral("Prénom :"),
                       QStringLiteral("Adresse :"), QStringLiteral("Adresse :"), QStringLiteral("CP - Ville :"),
                       QStringLiteral("E-mail :"), QStringLiteral("Fonction :")},
        .gaucheEtiquettes = 360,
        .largeurEtiquettes = 1200,
        .hautLignes = 1800,
        .pasLignes = 450,
        .gaucheChamps = 1560,
        .largeurTitre = 2400,
        .champs = {{QStringLiteral("Nom"), 1, 1560, 3960},
                   {QStringLiteral("Prenom"), 2, 1560, 3960},
                   {QStringLiteral("Adresse1"), 3, 1560, 3960},
                   {QStringLiteral("Adresse2"), 4, 1560, 3960},
                   {QStringLiteral("CP"), 5, 1560, 1020},
                   {QStringLiteral("Ville"), 5, 2640, 2880},
                   {QStringLiteral("Mail"), 6, 1560, 3960},
                   {QStringLiteral("Fonction"), 7, 1560, 3960}},
        .largeurVerification = 5760,
        .infobulles = {QStringLiteral("Nouveau destinataire"), QStringLiteral("Supprimer le destinataire"),
                       QStringLiteral("Enregistrer le destinataire")},
        .gaucheBoutons = 5640,
        .pasBoutons = 660,
        .coteBoutons = 540};
    const PanneauPersonne::AccesCarnet carnet{
        &numeroDestinataireDe,
        [](RecordId id) { return valeursDestinataire(lireDestinataire(id)); },
        [](RecordId id, const QStringList& v, const QStringList* attendues) {
            const FicheDestinataire lue = attendues ? versFicheDestinataire(*attendues) : FicheDestinataire{};
            return ecrireDestinataire(id, versFicheDestinataire(v), attendues ? &lue : nullptr);
        },
        &effacerDestinataire,
        QStringLiteral("Veuillez sélectionner un destinataire valide."),
        QStringLiteral("Veuillez saisir au moins un nom ou un prénom pour ce destinataire."),
        QStringLiteral("Êtes-vous sûr de vouloir supprimer ce destinataire ?"),
        QStringLiteral("Ce destinataire a été modifié sur un autre poste.")};
    m_destinataire = new PanneauPersonne(p, d, carnet, m_filtre, this);
    // Under the postal check and its button.
    m_lblDernierEnvoi = etiquette(p, QStringLiteral("lblDernierEnvoi"), QString(), 360, 6120, 5820);
    m_destinataire->setNote(m_lblDernierEnvoi);

    m_line1 = new QFrame(p);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setFrameShape(QFrame::VLine);
    m_line1->setFrameShadow(QFrame::Sunken);
    placer(m_line1, 6270, 1020, 60, 6000);
    m_lblDestMult = etiquette(p, QStringLiteral("lblDestMult"),
                              QStringLiteral("Sélectionner le(s) destinataire(s) pour l'envoi en nombre :"), 6480, 1020,
                              4560, 420);
    m_lblDestMult->setWordWrap(true);
    m_lsvDest = liste(p, QStringLiteral("lsvDest"), 6480, 1500, 4560, 5520);
    m_listeDest = new ModeleTableau({QString(), QStringLiteral("Liste des destinataires")}, m_lsvDest);
    m_lsvDest->setModel(m_listeDest);
    m_lsvDest->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lsvDest->setColumnHidden(kIdDestinataire, true);
    m_lsvDest->header()->setSectionResizeMode(kNomDestinataire, QHeaderView::Stretch);
}
