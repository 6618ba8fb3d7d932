#include "richtext/frmtexte.h"

#include "output/apercu.h"
#include "output/impressionrtf.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "richtext/barreoutils.h"
#include "richtext/frmapercu.h"
#include "richtext/menuchamps.h"
#include "richtext/orthographe/orthographeprogramme.h"
#include "richtext/richtextbox.h"
#include "store/corpsmodele.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Twips from the paper's edges: the lines on screen, and the printed page
// (the same margins as a printed letter).
constexpr int kMargeGaucheEcran = 1000;
constexpr int kMargeDroiteEcran = 1300;
constexpr int kMargeGauche = 1200;
constexpr int kMargeHaut = 1500;
constexpr int kMargeDroite = 1200;
constexpr int kMargeBas = 1500;

} // namespace

FrmTexte::FrmTexte(QWidget* parent)
    : QWidget(parent, Qt::Window), m_txtText(new RichTextBox(this)),
      m_toolbar(new BarreOutils(*m_txtText, barre::Fenetre::Editeur, this))
{
    setObjectName(QStringLiteral("FrmTexte"));
    setWindowTitle(QStringLiteral("Lettre"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_txtText->setObjectName(QStringLiteral("txtText"));
    orthographe::brancherOrthographe(*m_txtText);

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(m_toolbar);
    disposition->addWidget(m_txtText, 1);
    resize(760, 620);

    ajouterMenuChamps();
    connect(m_toolbar, &BarreOutils::enregistrer, this, &FrmTexte::enregistrer);
    connect(m_toolbar, &BarreOutils::imprimer, this, &FrmTexte::imprimer);

    // Beside "Imprimer", outside the formatting buttons' numbering.
    auto* apercu = new QAction(QIcon::fromTheme(QStringLiteral("document-print-preview"),
                                                QIcon(QStringLiteral(":/edition/apercu.svg"))),
                               QStringLiteral("Aperçu avant impression"), m_toolbar);
    apercu->setObjectName(QStringLiteral("cmdApercu"));
    m_toolbar->insertAction(m_toolbar->bouton(barre::index(barre::Fenetre::Editeur, barre::Commande::Imprimer) + 1),
                            apercu);
    connect(apercu, &QAction::triggered, this, &FrmTexte::apercu);
}

FrmTexte::~FrmTexte() = default;

// "Insérer un champ", at the end of the toolbar and in the text's own menu:
// nobody has to type the placeholders' angle brackets.
void FrmTexte::ajouterMenuChamps()
{
    auto* bouton = new QToolButton(m_toolbar);
    bouton->setObjectName(QStringLiteral("cmdInsererChamp"));
    bouton->setText(QStringLiteral("Insérer un champ"));
    bouton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bouton->setPopupMode(QToolButton::InstantPopup);
    bouton->setMenu(creerMenuChamps(*m_txtText, bouton));
    m_toolbar->addSeparator();
    m_toolbar->addWidget(bouton);
    connect(m_txtText, &RichTextBox::menuContextuel, this, [this](QMenu* menu) {
        menu->addSeparator();
        menu->addMenu(creerMenuChamps(*m_txtText, menu));
    });
}

void FrmTexte::charger()
{
    if (m_charge)
        return;
    m_charge = true;
    // Lines wrap as they will on paper; without a printer the text simply
    // wraps at the window's width.
    DefinirCibleImprimante(*m_txtText, kMargeGaucheEcran, kMargeDroiteEcran);
    m_txtText->setTextRTF(strCorpsLettreTexte);
    m_txtText->moveCursor(QTextCursor::Start);
    m_txtText->setSelFontName(QStringLiteral("Arial"));
    m_txtText->setSelFontSize(10);
    m_txtText->document()->setModified(false);
    m_toolbar->suivreFormat();
}

FrmTexte* FrmTexte::pourModele(const QString& idModele, const QString& corps)
{
    auto* editeur = new FrmTexte;
    editeur->strCorpsLettreTexte = corps;
    editeur->bCorps = true;
    editeur->bModele = true;
    editeur->idModele = idModele;
    editeur->charger();
    return editeur;
}

bool FrmTexte::enregistrer()
{
    if (!bCorps || !bModele) {
        afficherErreur(QStringLiteral("Ce texte n'appartient à aucun modèle : il ne peut pas être enregistré."));
        return false;
    }
    try {
        EnregistrerCorpsModele(idModele, m_txtText->TextRTF());
    } catch (const ErreurBase& e) {
        afficherErreur(QStringLiteral("Le modèle n'a pas été enregistré ; le texte reste dans cette fenêtre.\n%1")
                           .arg(e.raison()));
        return false;
    }
    m_txtText->document()->setModified(false);
    return true;
}

void FrmTexte::imprimer()
{
    if (const Reussite imprime = ImprimerRTF(*m_txtText->document(), kMargeGauche, kMargeHaut, kMargeDroite, kMargeBas);
        !imprime)
        afficherErreur(QStringLiteral("Le texte n'a pas été imprimé.\n%1").arg(imprime.raison()));
}

void FrmTexte::apercu()
{
    std::vector<LettreApercu> texte;
    texte.push_back({std::unique_ptr<QTextDocument>(m_txtText->document()->clone()), QString()});
    QString raison;
    std::unique_ptr<ApercuLettres> apercu = ApercuLettres::creer(std::move(texte), raison);
    if (!apercu) {
        afficherErreur(QStringLiteral("L'aperçu n'a pas pu être préparé.\n%1").arg(raison));
        return;
    }
    montrerApercu(this, QStringLiteral("Aperçu avant impression"), std::move(apercu), [this] { imprimer(); });
}

QString FrmTexte::questionFermeture()
{
    return QStringLiteral("Voulez-vous enregistrer les modifications apportées au modèle ?");
}

void FrmTexte::closeEvent(QCloseEvent* event)
{
    if (m_txtText->document()->isModified()) {
        switch (dialogues().message(questionFermeture(), Boutons::EnregistrerAnnuler, Icone::Aucune,
                                    QStringLiteral("Confirmation"))) {
        case Reponse::Oui:
            if (!enregistrer()) {
                event->ignore();
                return;
            }
            break;
        case Reponse::Non: break;
        case Reponse::Annuler:
        case Reponse::Ok: event->ignore(); return;
        }
    }
    event->accept();
}
