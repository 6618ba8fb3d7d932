// The journal window on a few entries: search, filters, deletion and export,
// and the reminder made from a letter sent.

#include "app/frmaccueil.h"
#include "app/frmjournal.h"
#include "support/banc.h"
#include "support/outilsfenetre.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>

namespace {

void noter(const QString& quand, const QString& canalEnvoi, const QString& nom, const QString& ville,
           const QString& objet)
{
    EntreeJournal e;
    e.quand = QDateTime::fromString(quand, Qt::ISODate);
    e.canal = canalEnvoi;
    e.destinataire = {kAucunEnregistrement, nom, QStringLiteral("1 rue Neuve\n") + ville, ville};
    e.objet = objet;
    noterEnvoi(e, true);
}

QStringList objets(const FrmJournal& f)
{
    QStringList liste;
    for (const EntreeJournal& e : f.entreesAffichees())
        liste << e.objet;
    return liste;
}

} // namespace

class TestFrmJournal : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_banc.emplace();
        noter(QStringLiteral("2026-01-05T09:00:00"), canal::impression, QStringLiteral("Élodie Dupré"),
              QStringLiteral("Saint-Étienne"), QStringLiteral("Préavis"));
        noter(QStringLiteral("2026-03-12T10:00:00"), canal::mail, QStringLiteral("Paul Martin"), QStringLiteral("Lyon"),
              QStringLiteral("Résiliation du bail"));
        noter(QStringLiteral("2026-04-02T16:30:00"), canal::impression, QStringLiteral("Agence Durand"),
              QStringLiteral("Lyon"), QStringLiteral("Dépôt de garantie; \"caution\""));
    }

    void cleanup() { m_banc.reset(); }

    void rechercheEtFiltres()
    {
        FrmJournal f;
        QCOMPARE(objets(f),
                 (QStringList{QStringLiteral("Dépôt de garantie; \"caution\""), QStringLiteral("Résiliation du bail"),
                              QStringLiteral("Préavis")}));
        auto* recherche = controle<QLineEdit>(f, QStringLiteral("txtRecherche"));
        recherche->setText(QStringLiteral("ETIENNE")); // the town, accents and case ignored
        QCOMPARE(objets(f), QStringList{QStringLiteral("Préavis")});
        recherche->setText(QStringLiteral("resiliation"));
        QCOMPARE(objets(f), QStringList{QStringLiteral("Résiliation du bail")});
        recherche->clear();
        controle<QComboBox>(f, QStringLiteral("cmbCanal"))->setCurrentText(canal::impression);
        QCOMPARE(objets(f).size(), 2);
        controle<QDateEdit>(f, QStringLiteral("dtpDu"))->setDate(QDate(2026, 2, 1));
        QCOMPARE(objets(f), QStringList{QStringLiteral("Dépôt de garantie; \"caution\"")});
    }

    // Enter on the question deletes nothing; "Oui" deletes the entry.
    void suppressionConfirmee()
    {
        FrmJournal f;
        f.selectionner(0);
        m_banc->dialogues.reponses.enqueue(std::nullopt);
        controle<QPushButton>(f, QStringLiteral("cmdSupprimer"))->click();
        QCOMPARE(m_banc->dialogues.messages.last().parDefaut, Reponse::Non);
        QCOMPARE(lireJournal().size(), 3);
        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        controle<QPushButton>(f, QStringLiteral("cmdSupprimer"))->click();
        QCOMPARE(objets(f), (QStringList{QStringLiteral("Résiliation du bail"), QStringLiteral("Préavis")}));
    }

    void exportCsv()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("journal.csv"));
        FrmJournal f;
        controle<QLineEdit>(f, QStringLiteral("txtRecherche"))->setText(QStringLiteral("lyon"));
        m_banc->dialogues.textes.enqueue(chemin);
        controle<QPushButton>(f, QStringLiteral("cmdExporter"))->click();
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        const QStringList lignes = QString::fromUtf8(fichier.readAll())
                                       .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), 3);
        QCOMPARE(lignes[0], QStringLiteral("Date;Envoi;Destinataire;Adresse;Expéditeur;Objet;Modèle;Pages"));
        QCOMPARE(lignes[1],
                 QStringLiteral("02/04/2026 16:30;Impression;Agence Durand;1 rue Neuve, Lyon;;"
                                "\"Dépôt de garantie; \"\"caution\"\"\";;"));
    }

    void relance()
    {
        QTextDocument lettre;
        lettre.setPlainText(QStringLiteral("Lyon, le 1er mars 2026\nObjet : Résiliation du bail\nMadame,"));
        preparerRelance(lettre, QStringLiteral("Résiliation du bail"), QDate(2026, 4, 15));
        QCOMPARE(lettre.toPlainText(),
                 QStringLiteral("Lyon, le 15 avril 2026\nObjet : Relance : Résiliation du bail\nMadame,"));
    }

private:
    std::optional<BancEssai> m_banc;
};

QTEST_MAIN(TestFrmJournal)
#include "tst_frmjournal.moc"
