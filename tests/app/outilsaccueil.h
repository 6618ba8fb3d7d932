#pragma once

#include "app/frmaccueil.h"

#include <QComboBox>
#include <QtTest>

// Finds a control of the main window by its name; fails the test when it is
// missing.
template <class T>
T* controle(const QWidget& fenetre, const QString& nom)
{
    T* c = fenetre.findChild<T*>(nom);
    if (!c)
        qFatal("contrôle introuvable : %s", qPrintable(nom));
    return c;
}

// What the user does when picking an item of a combo's list.
inline void choisirElement(QComboBox* combo, const QString& texte)
{
    const int i = combo->findText(texte);
    QVERIFY2(i >= 0, qPrintable(texte));
    combo->setCurrentIndex(i);
    emit combo->activated(i);
}
