#include "platform/connexion.h"
#include "store/journal.h"
#include "store/schemabase.h"
#include "support/basetemporaire.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

EntreeJournal entree(const QString& quand, RecordId destinataire, const QString& objet)
{
    EntreeJournal e;
    e.quand = QDateTime::fromString(quand, Qt::ISODate);
    e.canal = canal::impression;
    e.destinataire = {destinataire, QStringLiteral("Madame Lise Bernard"),
                      QStringLiteral("2 quai Sud\n13002 Marseille"), QStringLiteral("Marseille")};
    e.expediteur = {1, QStringLiteral("Jean Martin"), QStringLiteral("5 allée Verte\n44000 Nantes"), QString()};
    e.modele = QStringLiteral("Résiliation de bail");
    e.objet = objet;
    e.rtf = QStringLiteral("{\\rtf1 Madame, je résilie}");
    return e;
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data() { lignesDesDeuxMoteurs(); }

    // A database made before the journal existed gains the table on start,
    // and the five tables are left as they were.
    void baseExistanteGagneLaTable()
    {
        FICHIER_SEULEMENT();
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("Lettre.mdb"));
        creerBaseVide(chemin);
        Connexion connexion(QStringLiteral("ancienne"));
        connexion.ouvrir(chemin);
        preparerJournal(connexion);
        preparerJournal(connexion); // a second start changes nothing
        noterEnvoi(entree(QStringLiteral("2026-03-12T10:00:00"), 2, QStringLiteral("Résiliation du bail")), true,
                   connexion);
        QCOMPARE(lireJournal(connexion).size(), 1);
        QVERIFY(manquesDuSchema(connexion).isEmpty());
        connexion.fermer();
    }

    // The first journals held the letters in table Journal itself: on start
    // they move to their own table, none lost, and a deleted entry takes
    // its letter along.
    void textesDeplacesSansPerte()
    {
        FICHIER_SEULEMENT();
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("Lettre.mdb"));
        creerBaseVide(chemin);
        executerSurFichier(
            chemin,
            QStringLiteral(
                "CREATE TABLE Journal (Numero_Journal INTEGER PRIMARY KEY AUTOINCREMENT, Date_Journal TEXT NOT NULL,"
                " Canal_Journal TEXT NOT NULL, Numero_Destinataire INTEGER, Nom_Destinataire_Journal TEXT,"
                " Adresse_Destinataire_Journal TEXT, Ville_Destinataire_Journal TEXT, Numero_Expediteur INTEGER,"
                " Nom_Expediteur_Journal TEXT, Adresse_Expediteur_Journal TEXT, Modele_Journal TEXT, Objet_Journal TEXT,"
                " Pages_Journal INTEGER, Texte_Journal BLOB);"
                "CREATE INDEX Journal_Date ON Journal (Date_Journal);"
                "INSERT INTO Journal (Date_Journal, Canal_Journal, Objet_Journal, Texte_Journal) VALUES"
                " ('2026-01-05T09:00:00', 'Impression', 'Préavis', NULL),"
                " ('2026-03-12T10:00:00', 'Impression', 'Résiliation', x'%1')")
                .arg(QString::fromLatin1(qCompress(QByteArray("{\\rtf1 Madame, je r\\'e9silie}")).toHex())));
        Connexion connexion(QStringLiteral("ancienne"));
        connexion.ouvrir(chemin);
        preparerJournal(connexion);
        const QList<EntreeJournal> journal = lireJournal(connexion);
        QCOMPARE(journal.size(), 2);
        QCOMPARE(texteEnvoye(journal[0].numero, connexion), QStringLiteral("{\\rtf1 Madame, je r\\'e9silie}"));
        QCOMPARE(texteEnvoye(journal[1].numero, connexion), QString());
        noterEnvoi(entree(QStringLiteral("2026-04-01T10:00:00"), 2, QStringLiteral("Relance")), true, connexion);
        QCOMPARE(texteEnvoye(lireJournal(connexion)[0].numero, connexion),
                 QStringLiteral("{\\rtf1 Madame, je résilie}"));
        supprimerEnvoi(journal[0].numero, connexion);
        QCOMPARE(texteEnvoye(journal[0].numero, connexion), QString());
        connexion.fermer();
    }

    // An entry keeps the recipient as the letter named them, the letter as
    // sent (unless texts are not kept), newest first; the last one sums up.
    void entreesGardeesTellesQuEnvoyees()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        base.executer(
            QStringLiteral("INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire) VALUES (2, 'Bernard')"));
        noterEnvoi(entree(QStringLiteral("2026-03-12T10:00:00"), 2, QStringLiteral("Résiliation du bail")), true);
        noterEnvoi(entree(QStringLiteral("2026-01-05T09:00:00"), 2, QStringLiteral("Préavis")), false);
        base.executer(QStringLiteral("DELETE FROM Destinataire"));

        const QList<EntreeJournal> journal = lireJournal();
        QCOMPARE(journal.size(), 2);
        QCOMPARE(journal[0].objet, QStringLiteral("Résiliation du bail"));
        QCOMPARE(journal[0].destinataire.nom, QStringLiteral("Madame Lise Bernard"));
        QCOMPARE(journal[0].destinataire.adresse, QStringLiteral("2 quai Sud\n13002 Marseille"));
        QCOMPARE(journal[0].modele, QStringLiteral("Résiliation de bail"));
        QCOMPARE(texteEnvoye(journal[0].numero), QStringLiteral("{\\rtf1 Madame, je résilie}"));
        QCOMPARE(texteEnvoye(journal[1].numero), QString());

        QCOMPARE(resumeEnvoi(dernierEnvoi(2)), QStringLiteral("12 mars 2026, Résiliation du bail (Impression)"));
        QCOMPARE(dernierEnvoi(3).numero, kAucunEnregistrement);

        supprimerEnvoi(journal[0].numero);
        QCOMPARE(resumeEnvoi(dernierEnvoi(2)), QStringLiteral("5 janvier 2026, Préavis (Impression)"));
    }

    void purgeDesEntreesAnciennes()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        noterEnvoi(entree(QStringLiteral("2025-01-10T10:00:00"), 2, QStringLiteral("Ancienne")), true);
        noterEnvoi(entree(QStringLiteral("2026-03-12T10:00:00"), 2, QStringLiteral("Récente")), true);
        const QDateTime maintenant = QDateTime::fromString(QStringLiteral("2026-06-01T08:00:00"), Qt::ISODate);
        QCOMPARE(purgerJournal(0, maintenant), 0); // "never"
        QCOMPARE(purgerJournal(12, maintenant), 1);
        QCOMPARE(lireJournal().size(), 1);
        QCOMPARE(lireJournal()[0].objet, QStringLiteral("Récente"));
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
