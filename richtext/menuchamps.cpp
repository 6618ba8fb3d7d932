#include "richtext/menuchamps.h"

#include "richtext/richtextbox.h"

#include <QMenu>

const QList<ChampLettre>& champsLettre()
{
    static const QList<ChampLettre> champs{
        {QStringLiteral("<TitreExp>"), QStringLiteral("Titre de l'expéditeur")},
        {QStringLiteral("<NomExp>"), QStringLiteral("Nom de l'expéditeur")},
        {QStringLiteral("<PrenomExp>"), QStringLiteral("Prénom de l'expéditeur")},
        {QStringLiteral("<Adr1Exp>"), QStringLiteral("Adresse de l'expéditeur")},
        {QStringLiteral("<CPExp>"), QStringLiteral("Code postal de l'expéditeur")},
        {QStringLiteral("<VilleExp>"), QStringLiteral("Ville de l'expéditeur")},
        {QStringLiteral("<Tel1>"), QStringLiteral("Téléphone de l'expéditeur")},
        {},
        {QStringLiteral("<TitreDest>"), QStringLiteral("Titre du destinataire")},
        {QStringLiteral("<NomDest>"), QStringLiteral("Nom du destinataire")},
        {QStringLiteral("<PrenomDest>"), QStringLiteral("Prénom du destinataire")},
        {QStringLiteral("<Adr1Dest>"), QStringLiteral("Adresse du destinataire")},
        {QStringLiteral("<CPDest>"), QStringLiteral("Code postal du destinataire")},
        {QStringLiteral("<VilleDest>"), QStringLiteral("Ville du destinataire")},
        {},
        {QStringLiteral("<DateLettre>"), QStringLiteral("Date de la lettre")},
        {QStringLiteral("<LieuLettre>"), QStringLiteral("Lieu de la lettre")},
        {QStringLiteral("<ObjetLettre>"), QStringLiteral("Objet de la lettre")},
        {QStringLiteral("<Piecejointes>"), QStringLiteral("Pièces jointes")},
        {QStringLiteral("<PolitesseLettre>"), QStringLiteral("Formule de politesse")},
        {QStringLiteral("<SignatureLettre>"), QStringLiteral("Signature")},
    };
    return champs;
}

QMenu* creerMenuChamps(RichTextBox& txt, QWidget* parent)
{
    auto* menu = new QMenu(QStringLiteral("Insérer un champ"), parent);
    menu->setObjectName(QStringLiteral("mnuChamps"));
    for (const ChampLettre& champ : champsLettre()) {
        if (champ.repere.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(champ.sens);
        action->setToolTip(champ.repere);
        const QString repere = champ.repere;
        QObject::connect(action, &QAction::triggered, &txt, [&txt, repere] {
            txt.insertPlainText(repere);
            txt.setFocus();
        });
    }
    return menu;
}
