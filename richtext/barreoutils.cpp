#include "richtext/barreoutils.h"

#include "richtext/commandesformat.h"
#include "richtext/richtextbox.h"

#include <QAction>
#include <QIcon>

// The icons live in this static library: their resource must be registered
// by name (outside any namespace).
static void initialiserIcones()
{
    Q_INIT_RESOURCE(edition);
}

namespace {

QKeySequence raccourci(barre::Commande commande)
{
    switch (commande) {
    case barre::Commande::Gras: return QKeySequence(Qt::CTRL | Qt::Key_B);
    case barre::Commande::Italique: return QKeySequence(Qt::CTRL | Qt::Key_I);
    case barre::Commande::Souligne: return QKeySequence(Qt::CTRL | Qt::Key_U);
    case barre::Commande::Enregistrer: return QKeySequence(Qt::CTRL | Qt::Key_S);
    case barre::Commande::Imprimer: return QKeySequence(Qt::CTRL | Qt::Key_P);
    default: return {};
    }
}

} // namespace

using barre::Commande;

BarreOutils::BarreOutils(RichTextBox& txtText, barre::Fenetre fenetre, QWidget* parent)
    : QToolBar(parent), m_txtText(txtText), m_fenetre(fenetre)
{
    initialiserIcones();
    setObjectName(QStringLiteral("Toolbar1"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));

    const QList<barre::Bouton>& boutons = barre::boutons(fenetre);
    for (int i = 0; i < boutons.size(); ++i) {
        const barre::Bouton& b = boutons[i];
        QAction* action = nullptr;
        if (b.style == barre::Style::Separateur) {
            action = addSeparator();
        } else {
            action = addAction(QIcon::fromTheme(b.theme, QIcon(b.ressource)), b.infobulle);
            action->setToolTip(b.infobulle);
            action->setCheckable(b.style == barre::Style::Check);
            const QKeySequence touches = raccourci(b.commande);
            if (!touches.isEmpty()) {
                action->setShortcut(touches);
                if (b.style == barre::Style::Check) {
                    // Only while typing in the text: elsewhere in the main
                    // window these keys keep their usual meaning.
                    action->setShortcutContext(Qt::WidgetShortcut);
                    txtText.addAction(action);
                } else {
                    action->setShortcutContext(Qt::WindowShortcut);
                }
            }
            const Commande commande = b.commande;
            connect(action, &QAction::triggered, this, [this, commande](bool enfonce) { executer(commande, enfonce); });
        }
        action->setObjectName(QStringLiteral("Buttons(%1)").arg(i + 1));
        m_boutons.append(action);
    }

    connect(&txtText, &RichTextBox::Change, this, &BarreOutils::suivreFormat);
    connect(&txtText, &RichTextBox::Click, this, &BarreOutils::suivreFormat);
    connect(&txtText, &RichTextBox::KeyUp, this, &BarreOutils::suivreFormat);
}

QAction* BarreOutils::bouton(int index) const
{
    if (index < 1 || index > m_boutons.size())
        return nullptr;
    return m_boutons[index - 1];
}

QAction* BarreOutils::bouton(Commande commande) const
{
    return bouton(barre::index(m_fenetre, commande));
}

void BarreOutils::cliquer(int index)
{
    QAction* action = bouton(index);
    if (action && !action->isSeparator())
        action->trigger();
}

void BarreOutils::executer(Commande commande, bool enfonce)
{
    // The commands never refresh the buttons themselves: the format changes
    // they make are not followed until the next change, click or key.
    m_commandeEnCours = true;
    switch (commande) {
    case Commande::Enregistrer: emit enregistrer(); break;
    case Commande::Imprimer: emit imprimer(); break;
    case Commande::Gras: commandes::appliquerStyle(m_txtText, commandes::StyleCaractere::Gras, enfonce); break;
    case Commande::Italique: commandes::appliquerStyle(m_txtText, commandes::StyleCaractere::Italique, enfonce); break;
    case Commande::Souligne: commandes::appliquerStyle(m_txtText, commandes::StyleCaractere::Souligne, enfonce); break;
    case Commande::Barre: commandes::appliquerStyle(m_txtText, commandes::StyleCaractere::Barre, enfonce); break;
    case Commande::AlignerGauche: aligner(commande, 0); break;
    case Commande::Centrer: aligner(commande, 2); break;
    case Commande::AlignerDroite: aligner(commande, 1); break;
    case Commande::Couleur: commandes::choisirCouleur(m_txtText, m_couleurDialogue); break;
    case Commande::Police: commandes::choisirPolice(m_txtText); break;
    case Commande::Image: commandes::insererImage(m_txtText); break;
    case Commande::Aucune: break;
    }
    m_commandeEnCours = false;
}

void BarreOutils::aligner(Commande commande, int alignement)
{
    commandes::appliquerAlignement(m_txtText, alignement);
    // The two other alignment buttons are released; the clicked one keeps
    // the state its click gave it.
    for (const Commande autre : {Commande::AlignerGauche, Commande::Centrer, Commande::AlignerDroite}) {
        if (autre != commande)
            bouton(autre)->setChecked(false);
    }
}

EtatBoutonsFormat BarreOutils::etatBoutons() const
{
    return {bouton(Commande::Gras)->isChecked(),          bouton(Commande::Italique)->isChecked(),
            bouton(Commande::Souligne)->isChecked(),      bouton(Commande::Barre)->isChecked(),
            bouton(Commande::AlignerGauche)->isChecked(), bouton(Commande::Centrer)->isChecked(),
            bouton(Commande::AlignerDroite)->isChecked()};
}

void BarreOutils::appliquerEtat(const EtatBoutonsFormat& etat)
{
    bouton(Commande::Gras)->setChecked(etat.gras);
    bouton(Commande::Italique)->setChecked(etat.italique);
    bouton(Commande::Souligne)->setChecked(etat.souligne);
    bouton(Commande::Barre)->setChecked(etat.barre);
    bouton(Commande::AlignerGauche)->setChecked(etat.gauche);
    bouton(Commande::Centrer)->setChecked(etat.centre);
    bouton(Commande::AlignerDroite)->setChecked(etat.droite);
}

void BarreOutils::suivreFormat()
{
    if (m_commandeEnCours)
        return;
    appliquerEtat(::suivreFormat(lireFormat(m_txtText), etatBoutons()));
}
