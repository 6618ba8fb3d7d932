#include "app/recherchejournal.h"

#include "platform/collationfrancaise.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

void RechercheJournal::charger(QList<EntreeJournal> entrees)
{
    m_entrees = std::move(entrees);
    m_plis.clear();
    // The worker reads its own (shared, never written) copy of the list.
    m_pliage = std::async(std::launch::async, [entrees = m_entrees] {
        QStringList plis;
        plis.reserve(entrees.size());
        QString texte; // one buffer for every entry: no allocation per entry
        for (const EntreeJournal& e : entrees) {
            texte.clear();
            texte.append(e.destinataire.nom)
                .append(QLatin1Char('\n'))
                .append(e.objet)
                .append(QLatin1Char('\n'))
                .append(e.destinataire.ville);
            plis << plierFrancais(texte);
        }
        return plis;
    });
}

const QStringList& RechercheJournal::plis() const
{
    if (m_pliage.valid())
        m_plis = m_pliage.get();
    return m_plis;
}

std::vector<int> RechercheJournal::filtrer(const CritereJournal& critere) const
{
    const QString cherche = plierFrancais(critere.texte.trimmed());
    const QStringList& plis = cherche.isEmpty() ? m_plis : this->plis();
    std::vector<int> lignes;
    lignes.reserve(std::size_t(m_entrees.size()));
    for (int i = 0; i < m_entrees.size(); ++i) {
        const EntreeJournal& e = m_entrees.at(i);
        if (!critere.canal.isEmpty() && e.canal != critere.canal)
            continue;
        const QDate jour = e.quand.date();
        if ((critere.du.isValid() && jour < critere.du) || (critere.au.isValid() && jour > critere.au))
            continue;
        if (!cherche.isEmpty() && !plis.at(i).contains(cherche))
            continue;
        lignes.push_back(i);
    }
    return lignes;
}

namespace {

QString champCsv(QString valeur)
{
    valeur.replace(QLatin1Char('\n'), QStringLiteral(", "));
    if (valeur.contains(QLatin1Char(';')) || valeur.contains(QLatin1Char('"')))
        valeur = QLatin1Char('"') + valeur.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return valeur;
}

} // namespace

QByteArray journalEnCsv(const QList<EntreeJournal>& entrees, const std::vector<int>& lignes)
{
    QString csv = QStringLiteral("Date;Envoi;Destinataire;Adresse;Expéditeur;Objet;Modèle;Pages\r\n");
    for (const int i : lignes) {
        const EntreeJournal& e = entrees.at(i);
        csv += QStringList{e.quand.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                           champCsv(e.canal),
                           champCsv(e.destinataire.nom),
                           champCsv(e.destinataire.adresse),
                           champCsv(e.expediteur.nom),
                           champCsv(e.objet),
                           champCsv(e.modele),
                           e.pages > 0 ? QString::number(e.pages) : QString()}
                   .join(QLatin1Char(';'))
            + QStringLiteral("\r\n");
    }
    return csv.toUtf8();
}

void preparerRelance(QTextDocument& document, const QString& objet, const QDate& aujourdhui)
{
    static const QRegularExpression date(QStringLiteral(
        "\\b\\d{1,2}(er)? (janvier|février|mars|avril|mai|juin|juillet|août|septembre|octobre|novembre|décembre) \\d{4}\\b"));
    QTextCursor c = document.find(date);
    if (!c.isNull())
        c.insertText(QLocale(QLocale::French, QLocale::France).toString(aujourdhui, QStringLiteral("d MMMM yyyy")));
    if (objet.isEmpty())
        return;
    c = document.find(objet, 0, QTextDocument::FindCaseSensitively);
    if (!c.isNull()) {
        c.setPosition(c.selectionStart());
        c.insertText(QStringLiteral("Relance : "));
    }
}
