#include "app/frmjournal.h"

#include "output/impressionlettre.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "richtext/richtextbox.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

// The rows the filters let through, read from the loaded entries on demand:
// a hundred thousand entries cost one vector of positions.
class ModeleJournal : public QAbstractTableModel {
public:
    explicit ModeleJournal(QObject* parent) : QAbstractTableModel(parent) {}

    void montrer(const QList<EntreeJournal>* entrees, std::vector<int> lignes)
    {
        beginResetModel();
        m_entrees = entrees;
        m_lignes = std::move(lignes);
        endResetModel();
    }
    const std::vector<int>& lignes() const { return m_lignes; }
    const EntreeJournal* entree(int ligne) const
    {
        return ligne >= 0 && std::size_t(ligne) < m_lignes.size() ? &m_entrees->at(m_lignes[std::size_t(ligne)])
                                                                  : nullptr;
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_lignes.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 5; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const EntreeJournal* e = entree(index.row());
        if (!e || role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0: return e->quand.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
        case 1: return e->canal;
        case 2: return e->destinataire.nom;
        case 3: return e->objet;
        default: return e->modele;
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const kEntetes[] = {"Date", "Envoi", "Destinataire", "Objet", "Modèle"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 4)
            return {};
        return QString::fromUtf8(kEntetes[section]);
    }

private:
    const QList<EntreeJournal>* m_entrees = nullptr;
    std::vector<int> m_lignes;
};

namespace {

const QDate kSansDate(2000, 1, 1); // the date fields' "no limit" value

QDateEdit* champDate(QWidget* parent, const QString& nom)
{
    auto* champ = new QDateEdit(parent);
    champ->setObjectName(nom);
    champ->setCalendarPopup(true);
    champ->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    champ->setMinimumDate(kSansDate);
    champ->setSpecialValueText(QStringLiteral("—"));
    champ->setDate(kSansDate);
    return champ;
}

QPushButton* bouton(QWidget* parent, const QString& nom, const QString& texte)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    return b;
}

} // namespace

FrmJournal::FrmJournal(QWidget* parent) : QWidget(parent), m_modele(new ModeleJournal(this))
{
    setObjectName(QStringLiteral("FrmJournal"));
    setWindowTitle(QStringLiteral("Journal des envois"));
    resize(820, 520);

    m_txtRecherche = new QLineEdit(this);
    m_txtRecherche->setObjectName(QStringLiteral("txtRecherche"));
    m_txtRecherche->setPlaceholderText(QStringLiteral("Destinataire, objet ou ville"));
    m_cmbCanal = new QComboBox(this);
    m_cmbCanal->setObjectName(QStringLiteral("cmbCanal"));
    m_cmbCanal->addItem(QStringLiteral("Tous les envois"));
    for (const QString& c :
         {canal::impression, canal::enveloppe, canal::mail, canal::mailPdf, canal::exportRtf, canal::pdf})
        m_cmbCanal->addItem(c);
    m_dtpDu = champDate(this, QStringLiteral("dtpDu"));
    m_dtpAu = champDate(this, QStringLiteral("dtpAu"));

    auto* filtres = new QHBoxLayout;
    filtres->addWidget(new QLabel(QStringLiteral("Rechercher :"), this));
    filtres->addWidget(m_txtRecherche, 1);
    filtres->addWidget(m_cmbCanal);
    filtres->addWidget(new QLabel(QStringLiteral("Du"), this));
    filtres->addWidget(m_dtpDu);
    filtres->addWidget(new QLabel(QStringLiteral("au"), this));
    filtres->addWidget(m_dtpAu);

    m_lsvJournal = new QTreeView(this);
    m_lsvJournal->setObjectName(QStringLiteral("lsvJournal"));
    m_lsvJournal->setRootIsDecorated(false);
    m_lsvJournal->setUniformRowHeights(true);
    m_lsvJournal->setAlternatingRowColors(true);
    m_lsvJournal->setModel(m_modele);
    m_lsvJournal->header()->resizeSection(0, 120);
    m_lsvJournal->header()->resizeSection(2, 200);
    m_lsvJournal->header()->resizeSection(3, 240);

    auto* commandes = new QHBoxLayout;
    auto* cmdVoir = bouton(this, QStringLiteral("cmdVoir"), QStringLiteral("Voir"));
    auto* cmdReimprimer = bouton(this, QStringLiteral("cmdReimprimer"), QStringLiteral("Réimprimer"));
    auto* cmdReprendre = bouton(this, QStringLiteral("cmdReprendre"), QStringLiteral("Reprendre"));
    auto* cmdRelance = bouton(this, QStringLiteral("cmdRelance"), QStringLiteral("Relance"));
    auto* cmdSupprimer = bouton(this, QStringLiteral("cmdSupprimer"), QStringLiteral("Supprimer"));
    auto* cmdExporter = bouton(this, QStringLiteral("cmdExporter"), QStringLiteral("Exporter le journal (CSV)"));
    for (QPushButton* b : {cmdVoir, cmdReimprimer, cmdReprendre, cmdRelance, cmdSupprimer})
        commandes->addWidget(b);
    commandes->addStretch();
    commandes->addWidget(cmdExporter);

    auto* page = new QVBoxLayout(this);
    page->addLayout(filtres);
    page->addWidget(m_lsvJournal, 1);
    page->addLayout(commandes);

    connect(m_txtRecherche, &QLineEdit::textChanged, this, &FrmJournal::filtrer);
    connect(m_cmbCanal, &QComboBox::currentIndexChanged, this, &FrmJournal::filtrer);
    connect(m_dtpDu, &QDateEdit::dateChanged, this, &FrmJournal::filtrer);
    connect(m_dtpAu, &QDateEdit::dateChanged, this, &FrmJournal::filtrer);
    connect(m_lsvJournal, &QTreeView::doubleClicked, this, &FrmJournal::voir);
    connect(cmdVoir, &QPushButton::clicked, this, &FrmJournal::voir);
    connect(cmdReimprimer, &QPushButton::clicked, this, &FrmJournal::reimprimer);
    connect(cmdReprendre, &QPushButton::clicked, this, [this] { reprendreEntree(false); });
    connect(cmdRelance, &QPushButton::clicked, this, [this] { reprendreEntree(true); });
    connect(cmdSupprimer, &QPushButton::clicked, this, &FrmJournal::supprimer);
    connect(cmdExporter, &QPushButton::clicked, this, &FrmJournal::exporter);
    actualiser();
}

void FrmJournal::actualiser()
{
    try {
        m_recherche.charger(lireJournal());
    } catch (const ErreurBase& e) {
        m_recherche.charger({});
        afficherErreur(QStringLiteral("Le journal des envois n'a pas pu être lu : %1").arg(e.raison()));
    }
    filtrer();
}

void FrmJournal::filtrer()
{
    CritereJournal critere;
    critere.texte = m_txtRecherche->text();
    critere.canal = m_cmbCanal->currentIndex() > 0 ? m_cmbCanal->currentText() : QString();
    critere.du = m_dtpDu->date() == kSansDate ? QDate() : m_dtpDu->date();
    critere.au = m_dtpAu->date() == kSansDate ? QDate() : m_dtpAu->date();
    m_modele->montrer(&m_recherche.entrees(), m_recherche.filtrer(critere));
}

QList<EntreeJournal> FrmJournal::entreesAffichees() const
{
    QList<EntreeJournal> entrees;
    for (const int i : m_modele->lignes())
        entrees << m_recherche.entrees().at(i);
    return entrees;
}

void FrmJournal::selectionner(int ligne)
{
    m_lsvJournal->setCurrentIndex(m_modele->index(ligne, 0));
}

const EntreeJournal* FrmJournal::entreeChoisie()
{
    const EntreeJournal* e = m_modele->entree(m_lsvJournal->currentIndex().row());
    if (!e)
        afficherErreur(QStringLiteral("Choisissez d'abord un envoi dans la liste."));
    return e;
}

QString FrmJournal::texteChoisi(const EntreeJournal& entree)
{
    QString rtf;
    try {
        rtf = texteEnvoye(entree.numero);
    } catch (const ErreurBase& e) {
        afficherErreur(QStringLiteral("La lettre n'a pas pu être relue : %1").arg(e.raison()));
        return QString();
    }
    if (rtf.isEmpty())
        afficherErreur(QStringLiteral("Le texte de cet envoi n'a pas été conservé."));
    return rtf;
}

void FrmJournal::voir()
{
    const EntreeJournal* e = entreeChoisie();
    const QString rtf = e ? texteChoisi(*e) : QString();
    if (rtf.isEmpty())
        return;
    auto* fenetre = new QWidget(this, Qt::Window);
    fenetre->setObjectName(QStringLiteral("FrmVoirEnvoi"));
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setWindowTitle(QStringLiteral("%1 — %2").arg(e->destinataire.nom, e->objet));
    auto* texte = new RichTextBox(fenetre);
    texte->setObjectName(QStringLiteral("txtEnvoi"));
    texte->setTextRTF(rtf);
    texte->setReadOnly(true);
    auto* page = new QVBoxLayout(fenetre);
    page->addWidget(texte);
    fenetre->resize(640, 760);
    fenetre->show();
}

void FrmJournal::reimprimer()
{
    const EntreeJournal* e = entreeChoisie();
    const QString rtf = e ? texteChoisi(*e) : QString();
    if (rtf.isEmpty())
        return;
    RichTextBox lettre;
    lettre.setTextRTF(rtf);
    SaisieImpression saisie;
    saisie.envoi = {e->expediteur, e->destinataire, e->modele, e->objet};
    try {
        ImprimerLettre(saisie, *lettre.document());
    } catch (const ErreurBase& erreur) {
        afficherErreur(QStringLiteral("La lettre n'a pas pu être imprimée : %1").arg(erreur.raison()));
    }
    actualiser();
}

void FrmJournal::reprendreEntree(bool relance)
{
    const EntreeJournal* e = entreeChoisie();
    const QString rtf = e ? texteChoisi(*e) : QString();
    if (!rtf.isEmpty())
        emit reprendre(*e, rtf, relance);
}

void FrmJournal::supprimer()
{
    const EntreeJournal* e = entreeChoisie();
    if (!e
        || confirmerDestruction(QStringLiteral("Êtes-vous sûr de vouloir supprimer cet envoi du journal ?"))
            != Reponse::Oui)
        return;
    try {
        supprimerEnvoi(e->numero);
    } catch (const ErreurBase& erreur) {
        afficherErreur(QStringLiteral("L'envoi n'a pas pu être supprimé : %1").arg(erreur.raison()));
    }
    actualiser();
}

void FrmJournal::exporter()
{
    const QString chemin = dialogues().fichierAEnregistrer(QStringLiteral("Exporter le journal"),
                                                           QStringLiteral("CSV (*.csv)"),
                                                           QStringLiteral("journal.csv"));
    if (chemin.isEmpty())
        return;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || fichier.write(journalEnCsv(m_recherche.entrees(), m_modele->lignes())) < 0 || !fichier.flush())
        afficherErreur(QStringLiteral("Le journal n'a pas été exporté.\n%1").arg(fichier.errorString()));
}
