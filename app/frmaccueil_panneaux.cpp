// Building the main window: the particulars, body and output panels.
#include "app/controles.h"
#include "app/filtrecaracteres.h"
#include "app/frmaccueil.h"
#include "app/modeletableau.h"
#include "richtext/barreoutils.h"
#include "richtext/richtextbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

using namespace controles;

namespace {

// Where the formatting toolbar stands above txtText, in twips.
constexpr int kBarreGauche = 1200, kBarreHaut = 360, kBarreLargeur = 9840, kBarreHauteur = 420;

QString indice(const QString& nom, int i)
{
    return QStringLiteral("%1(%2)").arg(nom).arg(i);
}

} // namespace

void FrmAccueil::construirePanneauObjet(QGroupBox* p)
{
    titre(p, QStringLiteral("Label33"), QStringLiteral("Objet - Date - Lieu"), 360, 360, 5000);
    const auto haut = [](int rang) { return 960 + 480 * rang; };
    etiquette(p, QStringLiteral("Label22"), QStringLiteral("Date :"), 600, haut(0) + 30, 2040);
    etiquette(p, QStringLiteral("Label23"), QStringLiteral("Ville :"), 600, haut(1) + 30, 2040);
    etiquette(p, QStringLiteral("Label24"), QStringLiteral("Objet :"), 600, haut(2) + 30, 2040);
    etiquette(p, QStringLiteral("Label3"), QStringLiteral("Pièce(s) jointe(s) :"), 600, haut(3) + 30, 2040);
    m_txtDateLettre = zoneTexte(p, QStringLiteral("txtDateLettre"), 2760, haut(0), 3600);
    m_cmdGenererDate = new QPushButton(QStringLiteral("Générer"), p);
    m_cmdGenererDate->setObjectName(QStringLiteral("cmdGenererDate"));
    placer(m_cmdGenererDate, 6480, haut(0) - 30, 1320, 375);
    m_txtVilleLettre = zoneTexte(p, QStringLiteral("txtVilleLettre"), 2760, haut(1), 5040);
    m_txtObjetLettre = zoneTexte(p, QStringLiteral("txtObjetLettre"), 2760, haut(2), 8040);
    m_txtPieceLettre = zoneTexte(p, QStringLiteral("txtPieceLettre"), 2760, haut(3), 8040);

    titre(p, QStringLiteral("Label34"), QStringLiteral("Formule de politesse"), 360, 3240, 5000);
    m_cmbFormuleLettre = combo(
        p, QStringLiteral("cmbFormuleLettre"), 600, 3840, 10200,
        {QStringLiteral("Cordialement."), QStringLiteral("Sincèrement."),
         QStringLiteral("Veuillez agréer, <TitreDest>, l'expression de mes sentiments distingués."),
         QStringLiteral("Veuillez agréer, <TitreDest>, l'expression de ma considération distinguée."),
         QStringLiteral(
             "Je vous prie de bien vouloir agréer, <TitreDest>, l'expression de ma très haute considération."),
         QStringLiteral("Je vous prie d'agréer, <TitreDest>, l'expression de mes sentiments respectueux et dévoués."),
         QStringLiteral("Je vous prie de croire, <TitreDest>, à l'expression de mes sentiments les plus dévoués.")});
}

void FrmAccueil::construirePanneauCorps(QGroupBox* p)
{
    titre(p, QStringLiteral("Label20"), QStringLiteral("Corps"), 360, 360, 3000);
    auto* source = new QGroupBox(QStringLiteral("À partir :"), p);
    source->setObjectName(QStringLiteral("fraAPartir"));
    placer(source, 360, 840, 10560, 660);
    const QStringList modes{QStringLiteral("Créer à partir d'un modèle."),
                            QStringLiteral("Créer à partir d'une lettre vierge.")};
    for (int k = 0; k < 2; ++k) {
        auto* o = new QRadioButton(modes.at(k), source);
        o->setObjectName(indice(QStringLiteral("optModeleLettre"), k));
        placer(o, 240 + 5160 * k, 270, 5040, 300);
        m_optModeleLettre.at(static_cast<std::size_t>(k)) = o;
    }
    m_optModeleLettre[0]->setChecked(true);

    m_lblCorps[0] = etiquette(p, indice(QStringLiteral("lblCorps"), 0), QStringLiteral("Catégorie :"), 360, 1830, 1800);
    m_lblCorps[1] = etiquette(p, indice(QStringLiteral("lblCorps"), 1), QStringLiteral("Sous-catégorie :"), 360, 2310,
                              1800);
    m_lblCorps[2] = etiquette(p, indice(QStringLiteral("lblCorps"), 2), QStringLiteral("Liste des modèles :"), 360,
                              2790, 3000);
    m_lblCorps[3] = etiquette(p, indice(QStringLiteral("lblCorps"), 3),
                              QStringLiteral("Modèles rédigés pour Tilvo - Lettres ; règles et délais à vérifier sur "
                                             "service-public.fr."),
                              360, 6840, 10560);
    m_cmbCategorieModele = combo(p, QStringLiteral("cmbCategorieModele"), 2280, 1800, 4200);
    m_cmbSousCategorieModele = combo(p, QStringLiteral("cmbSousCategorieModele"), 2280, 2280, 4200);
    m_filtre->proteger(m_cmbCategorieModele);
    m_filtre->proteger(m_cmbSousCategorieModele);

    m_lsvModele = liste(p, QStringLiteral("lsvModele"), 360, 3120, 6120, 3600);
    m_listeModeles = new ModeleTableau({QString(), QStringLiteral("Libellé"), QString(), QString()}, m_lsvModele);
    m_lsvModele->setModel(m_listeModeles);
    m_lsvModele->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lsvModele->setColumnHidden(kIdModele, true);
    m_lsvModele->setColumnHidden(kLienModele, true);
    m_lsvModele->setColumnHidden(kLienFiche, true);
    m_lsvModele->header()->setSectionResizeMode(kLibelleModele, QHeaderView::Stretch);

    m_cmdAjouterModele = image(p, QStringLiteral("cmdAjouterModele"),
                               icone(QStringLiteral("list-add"), QStringLiteral("ajouter.svg")),
                               QStringLiteral("Nouveau modèle"), 6600, 3120, 540, 540);
    m_cmdSupprimerModele = image(p, QStringLiteral("cmdSupprimerModele"),
                                 icone(QStringLiteral("list-remove"), QStringLiteral("supprimer.svg")),
                                 QStringLiteral("Supprimer le modèle"), 6600, 3780, 540, 540);
    m_cmdModifierModele = image(p, QStringLiteral("cmdModifierModele"),
                                icone(QStringLiteral("document-edit"), QStringLiteral("modifier.svg")),
                                QStringLiteral("Modifier le modèle"), 6600, 4440, 540, 540);
    construireImportModele(p);
    m_cmdModele = image(p, QStringLiteral("cmdModele"),
                        icone(QStringLiteral("document-open"), QStringLiteral("modele.svg")),
                        QStringLiteral("Ouvrir le document du modèle"), 7560, 1800, 2160, 2160);
    m_cmdFiche = image(p, QStringLiteral("cmdFiche"),
                       icone(QStringLiteral("dialog-information"), QStringLiteral("fiche.svg")),
                       QStringLiteral("Ouvrir la fiche du modèle"), 8040, 4320, 1200, 1200);
    m_cmdModele->setCursor(Qt::PointingHandCursor);
    m_cmdFiche->setCursor(Qt::PointingHandCursor);
}

void FrmAccueil::construirePanneauTraitement(QGroupBox* p)
{
    m_txtText = new RichTextBox(p);
    m_txtText->setObjectName(QStringLiteral("txtText"));
    placer(m_txtText, kBarreGauche, kBarreHaut + kBarreHauteur + 60, kBarreLargeur, 6360);
    placerToolbar1(new BarreOutils(*m_txtText, barre::Fenetre::Accueil));

    m_cmdImprimerLettre = image(p, QStringLiteral("cmdImprimerLettre"),
                                icone(QStringLiteral("document-print"), QStringLiteral("imprimer-lettre.svg")),
                                QString(), 240, 840, 720, 720);
    m_cmdImprimerEnv = image(p, QStringLiteral("cmdImprimerEnv"),
                             icone(QStringLiteral("tilvo-imprimer-enveloppe"),
                                   QStringLiteral("imprimer-enveloppe.svg")),
                             QString(), 240, 1680, 720, 720);
    m_cmdExporter = image(p, QStringLiteral("cmdExporter"),
                          icone(QStringLiteral("document-save-as"), QStringLiteral("exporter.svg")),
                          QStringLiteral("Exporter la lettre"), 240, 2520, 720, 720);
    m_cmdMail = image(p, QStringLiteral("cmdMail"),
                      icone(QStringLiteral("mail-message-new"), QStringLiteral("mail.svg")),
                      QStringLiteral("Envoyer un e-mail"), 240, 3360, 720, 720);
    m_cmdEnregistrerPdf = image(p, QStringLiteral("cmdEnregistrerPdf"),
                                icone(QStringLiteral("application-pdf"), QStringLiteral("enregistrer-pdf.svg")),
                                QStringLiteral("Enregistrer en PDF…"), 240, 4200, 720, 720);
    // The archive format is a choice made once in a while: it waits in the
    // button's menu.
    auto* menuPdf = new QMenu(m_cmdEnregistrerPdf);
    m_mnuPdfA = menuPdf->addAction(QStringLiteral("Format d'archivage (PDF/A)"));
    m_mnuPdfA->setObjectName(QStringLiteral("mnuPdfA"));
    m_mnuPdfA->setCheckable(true);
    m_cmdEnregistrerPdf->setMenu(menuPdf);
    m_cmdEnregistrerPdf->setPopupMode(QToolButton::MenuButtonPopup);
    m_cmdMailPdf = image(p, QStringLiteral("cmdMailPdf"),
                         icone(QStringLiteral("mail-attachment"), QStringLiteral("mail-pdf.svg")),
                         QStringLiteral("Envoyer la lettre en PDF par e-mail"), 240, 5040, 720, 720);
    m_cmdEtiquettes = image(p, QStringLiteral("cmdEtiquettes"),
                            icone(QStringLiteral("tilvo-imprimer-etiquettes"),
                                  QStringLiteral("imprimer-etiquettes.svg")),
                            QStringLiteral("Imprimer des étiquettes"), 240, 5880, 720, 720);
}

void FrmAccueil::placerToolbar1(QToolBar* barre)
{
    barre->setParent(m_barMenu[AnimationEtapes::Traitement]);
    barre->setObjectName(QStringLiteral("Toolbar1"));
    placer(barre, kBarreGauche, kBarreHaut, kBarreLargeur, kBarreHauteur);
    barre->show();
}
