#include "richtext/boutonsbarre.h"

namespace barre {

namespace {

QList<Bouton> boutonsFormat()
{
    return {
        {Commande::Gras, Style::Check, QStringLiteral("Gras"), QStringLiteral("format-text-bold"),
         QStringLiteral(":/edition/gras.xpm")},
        {Commande::Italique, Style::Check, QStringLiteral("Italique"), QStringLiteral("format-text-italic"),
         QStringLiteral(":/edition/italique.xpm")},
        {Commande::Souligne, Style::Check, QStringLiteral("Souligné"), QStringLiteral("format-text-underline"),
         QStringLiteral(":/edition/souligne.xpm")},
        {Commande::Barre, Style::Check, QStringLiteral("Barré"), QStringLiteral("format-text-strikethrough"),
         QStringLiteral(":/edition/barre.xpm")},
        {Commande::Aucune, Style::Separateur, {}, {}, {}},
        {Commande::AlignerGauche, Style::Check, QStringLiteral("Aligner à gauche"),
         QStringLiteral("format-justify-left"), QStringLiteral(":/edition/gauche.xpm")},
        {Commande::Centrer, Style::Check, QStringLiteral("Centrer"), QStringLiteral("format-justify-center"),
         QStringLiteral(":/edition/centre.xpm")},
        {Commande::AlignerDroite, Style::Check, QStringLiteral("Aligner à droite"),
         QStringLiteral("format-justify-right"), QStringLiteral(":/edition/droite.xpm")},
        {Commande::Aucune, Style::Separateur, {}, {}, {}},
        {Commande::Couleur, Style::Plain, QStringLiteral("Couleur de police"), QStringLiteral("format-text-color"),
         QStringLiteral(":/edition/couleur.xpm")},
        {Commande::Police, Style::Plain, QStringLiteral("Style et taille de police"),
         QStringLiteral("preferences-desktop-font"), QStringLiteral(":/edition/police.xpm")},
        {Commande::Image, Style::Plain, QStringLiteral("Insérer une image"), QStringLiteral("insert-image"),
         QStringLiteral(":/edition/image.xpm")},
    };
}

QList<Bouton> boutonsEditeur()
{
    QList<Bouton> liste{
        {Commande::Enregistrer, Style::Plain, QStringLiteral("Enregistrer"), QStringLiteral("document-save"),
         QStringLiteral(":/edition/enregistrer.xpm")},
        {Commande::Imprimer, Style::Plain, QStringLiteral("Imprimer"), QStringLiteral("document-print"),
         QStringLiteral(":/edition/imprimer.xpm")},
        {Commande::Aucune, Style::Separateur, {}, {}, {}},
    };
    liste.append(boutonsFormat());
    return liste;
}

} // namespace

const QList<Bouton>& boutons(Fenetre fenetre)
{
    static const QList<Bouton> accueil = boutonsFormat();
    static const QList<Bouton> editeur = boutonsEditeur();
    return fenetre == Fenetre::Accueil ? accueil : editeur;
}

Commande commande(Fenetre fenetre, int index)
{
    const QList<Bouton>& liste = boutons(fenetre);
    if (index < 1 || index > liste.size())
        return Commande::Aucune;
    return liste[index - 1].commande;
}

int index(Fenetre fenetre, Commande commande)
{
    if (commande == Commande::Aucune)
        return 0;
    const QList<Bouton>& liste = boutons(fenetre);
    for (int i = 0; i < liste.size(); ++i) {
        if (liste[i].commande == commande)
            return i + 1;
    }
    return 0;
}

} // namespace barre
