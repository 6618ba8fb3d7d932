#include "app/controles.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QToolButton>
#include <QTreeView>
#include <limits>

namespace controles {

void placer(QWidget* w, double gauche, double haut, double largeur, double hauteur)
{
    w->setGeometry(pixelsEcran(gauche), pixelsEcran(haut), pixelsEcran(largeur), pixelsEcran(hauteur));
}

QIcon icone(const QString& nomTheme, const QString& fichier)
{
    return QIcon::fromTheme(nomTheme, QIcon(QStringLiteral(":/accueil/icones/") + fichier));
}

QStringList famillesTitre()
{
    return {QStringLiteral("Script MT Bold"), QStringLiteral("Z003"), QStringLiteral("URW Chancery L"),
            QStringLiteral("TeX Gyre Chorus"), QStringLiteral("serif")};
}

QFont policeTitre(double points)
{
    QFont police;
    police.setFamilies(famillesTitre());
    police.setPointSizeF(points);
    police.setBold(true);
    police.setStyleHint(QFont::Cursive);
    return police;
}

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, int gauche, int haut, int largeur,
                  int hauteur)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    placer(l, gauche, haut, largeur, hauteur);
    return l;
}

QLabel* titre(QWidget* parent, const QString& nom, const QString& texte, int gauche, int haut, int largeur)
{
    QLabel* l = etiquette(parent, nom, texte, gauche, haut, largeur, 375);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    l->setFont(f);
    return l;
}

QLineEdit* zoneTexte(QWidget* parent, const QString& nom, int gauche, int haut, int largeur)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(nom);
    // A field holds whatever the database holds: no cut at Qt's default
    // 32,767 characters.
    t->setMaxLength(std::numeric_limits<int>::max());
    placer(t, gauche, haut, largeur, 315);
    return t;
}

QComboBox* combo(QWidget* parent, const QString& nom, int gauche, int haut, int largeur, const QStringList& elements)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(nom);
    c->setEditable(true);
    c->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(8);
    c->setMaxVisibleItems(16);
    if (auto* vue = qobject_cast<QListView*>(c->view()))
        vue->setUniformItemSizes(true);
    c->addItems(elements);
    c->setCurrentIndex(-1);
    c->clearEditText();
    placer(c, gauche, haut, largeur, 315);
    return c;
}

QToolButton* image(QWidget* parent, const QString& nom, const QIcon& icone, const QString& infobulle, int gauche,
                   int haut, int largeur, int hauteur)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(nom);
    b->setIcon(icone);
    b->setAutoRaise(true);
    b->setToolTip(infobulle);
    placer(b, gauche, haut, largeur, hauteur);
    const int cote = qMax(16, qMin(b->width(), b->height()) - 8);
    b->setIconSize(QSize(cote, cote));
    return b;
}

QTreeView* liste(QWidget* parent, const QString& nom, int gauche, int haut, int largeur, int hauteur)
{
    auto* v = new QTreeView(parent);
    v->setObjectName(nom);
    v->setRootIsDecorated(false);
    v->setItemsExpandable(false);
    v->setUniformRowHeights(true);
    v->setAllColumnsShowFocus(true);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->header()->setStretchLastSection(false);
    v->header()->setSectionsMovable(false);
    placer(v, gauche, haut, largeur, hauteur);
    return v;
}

} // namespace controles
