#include "app/frmabout.h"

#include "app/mdgeneral.h"
#include "platform/bureau.h"
#include "platform/fenetres.h"
#include "platform/twips.h"

#include "version.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, int gauche, int haut)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    l->move(pixelsEcran(gauche), pixelsEcran(haut));
    l->adjustSize();
    return l;
}

} // namespace

QString FrmAbout::adresseSite()
{
    return QStringLiteral("https://www.tilvo.fr");
}

QString FrmAbout::texteVersion()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(TILVO_VERSION_MAJOR)
        .arg(TILVO_VERSION_MINOR)
        .arg(TILVO_VERSION_REVISION);
}

FrmAbout::FrmAbout(QWidget* parent) : QWidget(parent)
{
    Q_INIT_RESOURCE(frmabout);
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("À propos"));

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(QIcon(QStringLiteral(":/apropos/icones/logo.svg")).pixmap(pixelsEcran(600)));
    image1->move(pixelsEcran(240), pixelsEcran(240));
    image1->adjustSize();

    QLabel* titre = etiquette(this, QStringLiteral("lblTitle"), QString(), 1680, 240);
    QFont police(QStringLiteral("MS Sans Serif"));
    police.setPointSizeF(13.5);
    police.setBold(true);
    titre->setFont(police);
    titre->setText(QStringLiteral("Tilvo - Lettre"));
    titre->adjustSize();

    etiquette(this, QStringLiteral("lblVersion"), texteVersion(), 960, 960);
    etiquette(this, QStringLiteral("Label1"), QStringLiteral("Réalisé par l'équipe Tilvo."), 960, 1680);
    QLabel* site = etiquette(this, QStringLiteral("Label3"), QStringLiteral("<a href=\"%1\">%1</a>").arg(adresseSite()),
                             960, 1920);
    site->setCursor(Qt::PointingHandCursor);
    site->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(site, &QLabel::linkActivated, this, [](const QString& lien) { ExecuterShell(lien); });
    etiquette(this, QStringLiteral("Label4"),
              QStringLiteral("L'aide est consultable ou téléchargeable sur le site de Tilvo."), 960, 2400);

    // Where the user's data is, so that it can be found and backed up.
    QLabel* donnees = etiquette(
        this, QStringLiteral("lblDonnees"),
        QStringLiteral("Dossier des données : %1").arg(QDir::toNativeSeparators(mdGeneral::DossierDonnees())), 960,
        2760);
    donnees->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(pixelsEcran(3720), pixelsEcran(1560), pixelsEcran(1335), pixelsEcran(375));
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    clavierDeDialogue(this, ok);

    // An outer height of 3135 twips (and a line for the data folder), of
    // which about 400 go to the title bar and the frame; wide enough for the
    // longest line.
    int largeur = ok->geometry().right();
    for (const QLabel* l : findChildren<QLabel*>())
        largeur = qMax(largeur, l->geometry().right());
    setFixedSize(largeur + pixelsEcran(240), pixelsEcran(3135 + 360 - 400));
}
