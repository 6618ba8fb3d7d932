#pragma once

#include <QObject>
#include <QStringList>

class QCompleter;
class QLineEdit;
class QStringListModel;

// Finding a sender or recipient by part of a name: the labels of a chooser
// with, for each, "last-name first-name" and the town folded once for
// searching, case and accents ignored.
class IndexRecherche {
public:
    void remplir(const QStringList& libelles, const QStringList& nomsPrenoms, const QStringList& villes);
    // The labels whose "last-name first-name" or town contains the typed
    // text, in the chooser's order; none for an empty text.
    QStringList trouver(const QString& saisie) const;

private:
    QStringList m_libelles;
    QStringList m_cles;
};

// A search box beside a chooser: each keystroke lists the matching labels
// under the box; picking one reports it and empties the box. A text that
// matches nothing turns red.
class RechercheCarnet : public QObject {
    Q_OBJECT

public:
    RechercheCarnet(QLineEdit* champ, QObject* parent);

    void remplir(const QStringList& libelles, const QStringList& nomsPrenoms, const QStringList& villes);
    // The labels now offered under the box.
    QStringList propositions() const;

signals:
    void choisi(const QString& libelle);

private:
    void chercher(const QString& saisie);

    QLineEdit* m_champ;
    IndexRecherche m_index;
    QStringListModel* m_propositions;
    QCompleter* m_completion;
};
