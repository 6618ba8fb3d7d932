#pragma once

#include <QList>
#include <QString>

class QMenu;
class QWidget;
class RichTextBox;

// The placeholders a model's text may hold, each with what it stands for,
// in the order of the letter template; an empty placeholder separates two
// groups (sender, recipient, letter).
struct ChampLettre {
    QString repere;
    QString sens;
};
const QList<ChampLettre>& champsLettre();

// "Insérer un champ": one entry per placeholder, titled with its meaning;
// choosing one types the placeholder at txt's cursor, in the format there.
QMenu* creerMenuChamps(RichTextBox& txt, QWidget* parent);
