#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QtTest>

// Finds a control of a window by its name; fails the test when it is
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

// The items of a combo's list, in order.
inline QStringList elements(const QComboBox* combo)
{
    QStringList l;
    for (int i = 0; i < combo->count(); ++i)
        l << combo->itemText(i);
    return l;
}

// One column of a list as it shows.
inline QStringList colonne(const QAbstractItemView* vue, int col)
{
    QStringList l;
    for (int i = 0; i < vue->model()->rowCount(); ++i)
        l << vue->model()->index(i, col).data().toString();
    return l;
}
