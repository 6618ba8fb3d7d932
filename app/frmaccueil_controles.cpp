// Building the main window: the controls around the step panels, the step
// menu, and the sender and recipient panels.
#include "app/controles.h"
#include "app/filtrecaracteres.h"
#include "app/frmaccueil.h"
#include "app/modeletableau.h"
#include "app/recherchecarnet.h"
#include "richtext/richtextbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

using namespace controles;

namespace {

const QStringList kTitres{QStringLiteral("Madame"), QStringLiteral("Monsieur"), QStringLiteral("Mademoiselle"),
                          QStringLiteral("Madame, Monsieur")};

QString indice(const QString& nom, int i)
{
    return QStringLiteral("%1(%2)").arg(nom).arg(i);
}

// A chooser combo: its items come from a string-list model, filled in one go.
QComboBox* chooser(QWidget* parent, const QString& nom, int gauche, int haut, int largeur, QStringListModel*& modele,
                   FiltreCaracteres* filtre)
{
    QComboBox* c = combo(parent, nom, gauche, haut, largeur);
    modele = new QStringListModel(c);
    c->setModel(modele);
    filtre->proteger(c);
    return c;
}

} // namespace

void FrmAccueil::construireFenetre()
{
    setObjectName(QStringLiteral("FrmAccueil"));
    setWindowTitle(QStringLiteral(" Tilvo - Lettres"));
    setFixedSize(pixels(kLargeur), pixels(kHauteur));
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

    m_cmdOption = image(this, QStringLiteral("cmdOption"), icone(QStringLiteral("preferences-system"), QStringLiteral("options.svg")),
                        QStringLiteral("Options"), 12240, 480, 540, 540);
    m_cmdAide = image(this, QStringLiteral("cmdAide"), icone(QStringLiteral("help-about"), QStringLiteral("aide.svg")),
                      QStringLiteral("À propos"), 12840, 480, 540, 540);
    m_cmdImport = image(this, QStringLiteral("cmdImport"), icone(QStringLiteral("x-office-address-book"), QStringLiteral("import.svg")),
                        QStringLiteral("Importer les contacts de Tilvo - Organiseur"), 13440, 480, 540, 540);
    m_cmdImportContacts = image(this, QStringLiteral("cmdImportContacts"), icone(QStringLiteral("x-office-contact"), QStringLiteral("fiche.svg")),
                                QStringLiteral("Importer des contacts (vCard, CSV)… / Exporter le carnet…"), 11640, 480, 540, 540);
    m_cmdJournal = image(this, QStringLiteral("cmdJournal"), icone(QStringLiteral("x-office-document"), QStringLiteral("journal.svg")),
                         QStringLiteral("Journal des envois"), 11040, 480, 540, 540);

    auto* menu = new QGroupBox(QStringLiteral("Menu"), this);
    menu->setObjectName(QStringLiteral("fraMenu"));
    placer(menu, 240, 2880, 2055, 4335);
    const QStringList etapes{QStringLiteral("Expéditeur"), QStringLiteral("Destinataire"), QStringLiteral("Objet / Autres"),
                             QStringLiteral("Corps"), QStringLiteral("Traitement")};
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
    construirePanneauExpediteur(m_barMenu[0]);
    construirePanneauDestinataire(m_barMenu[1]);
    construirePanneauObjet(m_barMenu[2]);
    construirePanneauCorps(m_barMenu[3]);
    construirePanneauTraitement(m_barMenu[4]);
}

void FrmAccueil::verifierAdresse(QGroupBox* p, const QString& qui, const VerificationPostale::Champs& champs, int gauche,
                                 int haut, int largeur)
{
    QLabel* ligne = etiquette(p, QStringLiteral("lblPostale") + qui, QString(), gauche, haut, largeur);
    auto* bouton = new QPushButton(QStringLiteral("Mettre en forme postale"), p);
    bouton->setObjectName(QStringLiteral("cmdFormePostale") + qui);
    placer(bouton, gauche, haut + 300, 2400, 360);
    new VerificationPostale(champs, ligne, bouton, this);
}

void FrmAccueil::construirePanneauExpediteur(QGroupBox* p)
{
    titre(p, QStringLiteral("Label16"), QStringLiteral("Expéditeur"), 360, 360, 3000);
    m_cmbExpediteur = chooser(p, QStringLiteral("cmbExpediteur"), 360, 960, 7440, m_expediteurs, m_filtre);
    m_txtRechercheExp = zoneTexte(p, QStringLiteral("txtRechercheExp"), 3480, 360, 4320);
    m_rechercheExp = new RechercheCarnet(m_txtRechercheExp, this);

    const QStringList libelles{QStringLiteral("Titre :"), QStringLiteral("Nom :"), QStringLiteral("Prénom :"),
                               QStringLiteral("Adresse :"), QStringLiteral("Adresse :"), QStringLiteral("CP - Ville :"),
                               QStringLiteral("Téléphone 1 :"), QStringLiteral("Téléphone 2 :"), QStringLiteral("Fonction :")};
    const auto haut = [](int rang) { return 1560 + 480 * rang; };
    for (int i = 0; i < libelles.size(); ++i)
        etiquette(p, indice(QStringLiteral("lblExp"), i), libelles.at(i), 600, haut(i) + 30, 1560);
    m_cmbTitreExp = combo(p, QStringLiteral("cmbTitreExp"), 2280, haut(0), 3000, kTitres);
    m_txtNomExp = zoneTexte(p, QStringLiteral("txtNomExp"), 2280, haut(1), 5520);
    m_txtPrenomExp = zoneTexte(p, QStringLiteral("txtPrenomExp"), 2280, haut(2), 5520);
    m_txtAdresse1Exp = zoneTexte(p, QStringLiteral("txtAdresse1Exp"), 2280, haut(3), 5520);
    m_txtAdresse2Exp = zoneTexte(p, QStringLiteral("txtAdresse2Exp"), 2280, haut(4), 5520);
    m_txtCPExp = zoneTexte(p, QStringLiteral("txtCPExp"), 2280, haut(5), 1200);
    m_txtVilleExp = zoneTexte(p, QStringLiteral("txtVilleExp"), 3600, haut(5), 4200);
    m_txtTel1Exp = zoneTexte(p, QStringLiteral("txtTel1Exp"), 2280, haut(6), 3000);
    m_txtTel2Exp = zoneTexte(p, QStringLiteral("txtTel2Exp"), 2280, haut(7), 3000);
    m_txtFonctionExp = zoneTexte(p, QStringLiteral("txtFonctionExp"), 2280, haut(8), 5520);
    verifierAdresse(p, QStringLiteral("Exp"), {m_cmbTitreExp, m_txtNomExp, m_txtPrenomExp, m_txtFonctionExp,
                                                m_txtAdresse1Exp, m_txtAdresse2Exp, m_txtCPExp, m_txtVilleExp},
                    600, haut(9), 7200);

    m_cmdAjouterExp = image(p, QStringLiteral("cmdAjouterExp"), icone(QStringLiteral("list-add"), QStringLiteral("ajouter.svg")),
                            QStringLiteral("Nouvel expéditeur"), 8280, 1560, 600, 600);
    m_cmdSupprExp = image(p, QStringLiteral("cmdSupprExp"), icone(QStringLiteral("list-remove"), QStringLiteral("supprimer.svg")),
                          QStringLiteral("Supprimer l'expéditeur"), 8280, 2280, 600, 600);
    m_cmdModifExp = image(p, QStringLiteral("cmdModifExp"), icone(QStringLiteral("document-save"), QStringLiteral("enregistrer.svg")),
                          QStringLiteral("Enregistrer l'expéditeur"), 8280, 3000, 600, 600);
}

void FrmAccueil::construirePanneauDestinataire(QGroupBox* p)
{
    titre(p, QStringLiteral("Label9"), QStringLiteral("Destinataire"), 360, 360, 3000);
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

    const QStringList libelles{QStringLiteral("Sélectionner le destinataire pour l'envoi individuel :"),
                               QStringLiteral("Titre :"), QStringLiteral("Nom :"), QStringLiteral("Prénom :"),
                               QStringLiteral("Adresse :"), QStringLiteral("Adresse :"), QStringLiteral("CP - Ville :"),
                               QStringLiteral("E-mail :"), QStringLiteral("Fonction :")};
    const auto haut = [](int rang) { return 1800 + 450 * rang; };
    m_lblDestUnique[0] = etiquette(p, indice(QStringLiteral("lblDestUnique"), 0), libelles.at(0), 360, 1020, 5640);
    for (int i = 1; i < libelles.size(); ++i)
        m_lblDestUnique.at(static_cast<std::size_t>(i)) =
            etiquette(p, indice(QStringLiteral("lblDestUnique"), i), libelles.at(i), 360, haut(i - 1) + 30, 1200);
    m_cmbDestinataire = chooser(p, QStringLiteral("cmbDestinataire"), 360, 1320, 5160, m_destinataires, m_filtre);
    m_txtRechercheDest = zoneTexte(p, QStringLiteral("txtRechercheDest"), 3480, 360, 2040);
    m_rechercheDest = new RechercheCarnet(m_txtRechercheDest, this);
    m_cmbTitreDest = combo(p, QStringLiteral("cmbTitreDest"), 1560, haut(0), 2400, kTitres);
    m_txtNomDest = zoneTexte(p, QStringLiteral("txtNomDest"), 1560, haut(1), 3960);
    m_txtPrenomDest = zoneTexte(p, QStringLiteral("txtPrenomDest"), 1560, haut(2), 3960);
    m_txtAdresse1Dest = zoneTexte(p, QStringLiteral("txtAdresse1Dest"), 1560, haut(3), 3960);
    m_txtAdresse2Dest = zoneTexte(p, QStringLiteral("txtAdresse2Dest"), 1560, haut(4), 3960);
    m_txtCPDest = zoneTexte(p, QStringLiteral("txtCPDest"), 1560, haut(5), 1020);
    m_txtVilleDest = zoneTexte(p, QStringLiteral("txtVilleDest"), 2640, haut(5), 2880);
    m_txtMailDest = zoneTexte(p, QStringLiteral("txtMailDest"), 1560, haut(6), 3960);
    m_txtFonctionDest = zoneTexte(p, QStringLiteral("txtFonctionDest"), 1560, haut(7), 3960);
    verifierAdresse(p, QStringLiteral("Dest"), {m_cmbTitreDest, m_txtNomDest, m_txtPrenomDest, m_txtFonctionDest,
                                                 m_txtAdresse1Dest, m_txtAdresse2Dest, m_txtCPDest, m_txtVilleDest},
                    360, haut(8), 5760);
    // Under the postal check and its button.
    m_lblDernierEnvoi = etiquette(p, QStringLiteral("lblDernierEnvoi"), QString(), 360, 6120, 5820);

    m_cmdAjouterDest = image(p, QStringLiteral("cmdAjouterDest"), icone(QStringLiteral("list-add"), QStringLiteral("ajouter.svg")),
                             QStringLiteral("Nouveau destinataire"), 5640, 1800, 540, 540);
    m_cmdSupprDest = image(p, QStringLiteral("cmdSupprDest"), icone(QStringLiteral("list-remove"), QStringLiteral("supprimer.svg")),
                           QStringLiteral("Supprimer le destinataire"), 5640, 2460, 540, 540);
    m_cmdModifDest = image(p, QStringLiteral("cmdModifDest"), icone(QStringLiteral("document-save"), QStringLiteral("enregistrer.svg")),
                           QStringLiteral("Enregistrer le destinataire"), 5640, 3120, 540, 540);

    m_line1 = new QFrame(p);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setFrameShape(QFrame::VLine);
    m_line1->setFrameShadow(QFrame::Sunken);
    placer(m_line1, 6270, 1020, 60, 6000);
    m_lblDestMult = etiquette(p, QStringLiteral("lblDestMult"),
                              QStringLiteral("Sélectionner le(s) destinataire(s) pour l'envoi en nombre :"), 6480, 1020, 4560, 420);
    m_lblDestMult->setWordWrap(true);
    m_lsvDest = liste(p, QStringLiteral("lsvDest"), 6480, 1500, 4560, 5520);
    m_listeDest = new ModeleTableau({QString(), QStringLiteral("Liste des destinataires")}, m_lsvDest);
    m_lsvDest->setModel(m_listeDest);
    m_lsvDest->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lsvDest->setColumnHidden(0, true);
    m_lsvDest->header()->setSectionResizeMode(1, QHeaderView::Stretch);
}
