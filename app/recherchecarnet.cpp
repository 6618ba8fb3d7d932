#include "app/recherchecarnet.h"

#include "platform/collationfrancaise.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <algorithm>

void IndexRecherche::remplir(const QStringList& libelles, const QStringList& nomsPrenoms, const QStringList& villes)
{
    m_libelles = libelles;
    m_cles.clear();
    m_cles.reserve(libelles.size());
    // A tab keeps a search from running over from the name into the town.
    for (qsizetype i = 0; i < libelles.size(); ++i)
        m_cles << plierFrancais(nomsPrenoms.value(i)) + QLatin1Char('\t') + plierFrancais(villes.value(i));
}

QStringList IndexRecherche::trouver(const QString& saisie) const
{
    const QString cherche = plierFrancais(saisie.simplified());
    QStringList trouves;
    if (cherche.isEmpty())
        return trouves;
    for (qsizetype i = 0; i < m_cles.size(); ++i) {
        if (m_cles.at(i).contains(cherche))
            trouves << m_libelles.at(i);
    }
    return trouves;
}

RechercheCarnet::RechercheCarnet(QLineEdit* champ, QObject* parent)
    : QObject(parent), m_champ(champ), m_propositions(new QStringListModel(this)), m_completion(new QCompleter(this))
{
    m_champ->setPlaceholderText(QStringLiteral("Rechercher…"));
    m_champ->setToolTip(QStringLiteral("Rechercher par nom, prénom ou ville"));
    m_champ->setClearButtonEnabled(true);
    // The box lists what the index found, as found: the completer itself
    // neither filters nor writes into the box.
    m_completion->setModel(m_propositions);
    m_completion->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completion->setMaxVisibleItems(12);
    m_completion->setWidget(m_champ);
    if (auto* vue = qobject_cast<QListView*>(m_completion->popup()))
        vue->setUniformItemSizes(true);
    connect(m_champ, &QLineEdit::textEdited, this, &RechercheCarnet::chercher);
    connect(m_completion, qOverload<const QString&>(&QCompleter::activated), this, [this](const QString& libelle) {
        m_champ->clear();
        m_propositions->setStringList({});
        emit choisi(libelle);
    });
}

void RechercheCarnet::remplir(const QStringList& libelles, const QStringList& nomsPrenoms, const QStringList& villes)
{
    m_index.remplir(libelles, nomsPrenoms, villes);
    m_champ->clear();
    m_propositions->setStringList({});
}

QStringList RechercheCarnet::propositions() const
{
    return m_propositions->stringList();
}

void RechercheCarnet::chercher(const QString& saisie)
{
    const QStringList trouves = m_index.trouver(saisie);
    m_propositions->setStringList(trouves);
    m_champ->setStyleSheet(trouves.isEmpty() && !saisie.trimmed().isEmpty() ? QStringLiteral("color: #b00020;")
                                                                            : QString());
    if (trouves.isEmpty()) {
        m_completion->popup()->hide();
        return;
    }
    // The list is wider than the box, so that a whole label shows.
    QRect sous = m_champ->rect();
    sous.setWidth(std::max(sous.width(), m_champ->fontMetrics().averageCharWidth() * 50));
    m_completion->complete(sous);
    // Enter takes the first match.
    m_completion->popup()->setCurrentIndex(m_propositions->index(0));
}
