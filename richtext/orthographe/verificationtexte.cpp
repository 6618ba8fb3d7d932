#include "richtext/orthographe/verificationtexte.h"

#include "platform/dialogues.h"
#include "richtext/orthographe/orthographe.h"
#include "richtext/orthographe/surligneur.h"
#include "richtext/richtextbox.h"

#include <QMenu>
#include <QTextBlock>

namespace orthographe {

VerificationTexte::VerificationTexte(RichTextBox& texte, Verificateur& verificateur)
    : QObject(&texte), m_texte(texte), m_verificateur(verificateur)
{
    new Surligneur(texte.document(), verificateur); // owned by the document
    connect(&texte, &RichTextBox::menuContextuel, this, &VerificationTexte::completerMenu);
}

QString VerificationTexte::texteIndisponible()
{
    return QStringLiteral("Vérification indisponible (dictionnaire français absent)");
}

void VerificationTexte::completerMenu(QMenu* menu, const QPoint& position)
{
    QAction* premiere = menu->actions().value(0);
    const auto ajouter = [menu, premiere](const QString& texte) {
        auto* action = new QAction(texte, menu);
        menu->insertAction(premiere, action);
        return action;
    };

    if (!m_verificateur.disponible()) {
        ajouter(texteIndisponible())->setEnabled(false);
        menu->insertSeparator(premiere);
        return;
    }

    if (m_verificateur.active()) {
        const QTextCursor curseur = m_texte.cursorForPosition(position);
        const QTextBlock bloc = curseur.block();
        const int p = curseur.positionInBlock();
        for (const Plage& faute : m_verificateur.fautes(bloc.text())) {
            if (p < faute.debut || p > faute.debut + faute.longueur)
                continue;
            const QString mot = bloc.text().mid(faute.debut, faute.longueur);
            const int debut = bloc.position() + faute.debut;
            const QStringList suggestions = m_verificateur.suggestions(mot);
            for (const QString& suggestion : suggestions) {
                connect(ajouter(suggestion), &QAction::triggered, this,
                        [this, debut, faute, suggestion] { remplacer(debut, faute.longueur, suggestion); });
            }
            if (suggestions.isEmpty())
                ajouter(QStringLiteral("Aucune suggestion"))->setEnabled(false);
            menu->insertSeparator(premiere);
            connect(ajouter(QStringLiteral("Ajouter au dictionnaire")), &QAction::triggered, this, [this, mot] {
                const QString raison = m_verificateur.ajouterAuDictionnaire(mot);
                if (!raison.isEmpty())
                    afficherErreur(raison);
            });
            connect(ajouter(QStringLiteral("Ignorer")), &QAction::triggered, this,
                    [this, mot] { m_verificateur.ignorer(mot); });
            break;
        }
    }

    QAction* verifier = ajouter(QStringLiteral("Vérifier l'orthographe"));
    verifier->setCheckable(true);
    verifier->setChecked(m_verificateur.active());
    connect(verifier, &QAction::toggled, &m_verificateur, &Verificateur::setActive);
    menu->insertSeparator(premiere);
}

// The word gives way to its replacement in one undo step, in the format of
// its first letter.
void VerificationTexte::remplacer(int debut, int longueur, const QString& remplacement)
{
    QTextCursor premiereLettre(m_texte.document());
    premiereLettre.setPosition(debut + 1);
    const QTextCharFormat format = premiereLettre.charFormat();
    QTextCursor curseur(m_texte.document());
    curseur.setPosition(debut);
    curseur.setPosition(debut + longueur, QTextCursor::KeepAnchor);
    curseur.beginEditBlock();
    curseur.insertText(remplacement, format);
    curseur.endEditBlock();
}

} // namespace orthographe
