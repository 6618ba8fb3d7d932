// The office's letter database set up on a server: French order, the
// delivered catalogue, a user's file copied whole, and the two commands of
// the program that do it.
#include "platform/connexion.h"
#include "store/baseserveur.h"
#include "store/journal.h"
#include "support/basetemporaire.h"
#include "support/execution.h"
#include "support/serveuressai.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kLivre = QStringLiteral(TILVO_LIVRE_DIR "/Lettre.mdb");

// The rows of a query, columns joined by "|", an absent value as "NULL".
QStringList lignes(const QSqlDatabase& base, const QString& sql)
{
    QSqlQuery q(base);
    if (!q.exec(sql)) {
        QTest::qFail(qPrintable(q.lastError().text()), __FILE__, __LINE__);
        return {};
    }
    QStringList resultat;
    while (q.next()) {
        QStringList valeurs;
        for (int i = 0; i < q.record().count(); ++i)
            valeurs << (q.isNull(i) ? QStringLiteral("NULL") : q.value(i).toString());
        resultat << valeurs.join(QLatin1Char('|'));
    }
    return resultat;
}

QStringList lignes(const Connexion& connexion, const QString& sql)
{
    return lignes(connexion.base(), sql);
}

QStringList lignesFichier(const QString& chemin, const QString& sql)
{
    Connexion fichier(QStringLiteral("fichier"));
    fichier.ouvrir(chemin, Connexion::Acces::LectureSeule);
    return lignes(fichier, sql);
}

QByteArray empreinte(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1) : QByteArray();
}

const QString kTablesDuServeur = QStringLiteral(
    "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()");

// A copy of the program laid out as installed (bin/, share/tilvo-lettres/),
// its data beside it in bin/Save, with a letter file of one recipient.
struct Installation {
    QTemporaryDir racine;
    QString save() const { return racine.filePath(QStringLiteral("bin/Save")); }
    QString programme() const { return racine.filePath(QStringLiteral("bin/tilvo-lettres")); }

    Installation()
    {
        QDir().mkpath(save());
        QDir().mkpath(racine.filePath(QStringLiteral("share/tilvo-lettres")));
        QVERIFY(QFile::copy(QStringLiteral(TILVO_PROGRAMME), programme()));
        QVERIFY(QFile::copy(kLivre, racine.filePath(QStringLiteral("share/tilvo-lettres/Lettre.mdb"))));
        creerBaseVide(save() + QStringLiteral("/Lettre.mdb"));
        executerSurFichier(save() + QStringLiteral("/Lettre.mdb"),
                           QStringLiteral("INSERT INTO Destinataire (Nom_Destinataire) VALUES ('Martin')"));
    }
    void choisirServeur(const ParametresServeur& p) const
    {
        QFile ini(save() + QStringLiteral("/Lettre.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(QStringLiteral("[Base]\nType=PostgreSQL\nHote=%1\nBase=%2\nUtilisateur=%3\n")
                      .arg(p.hote, p.base, p.utilisateur)
                      .toUtf8());
    }
    Execution lancer(const QString& argument) const { return executer(programme(), {argument}); }
};

} // namespace

class TestBaseServeur : public QObject {
    Q_OBJECT

private slots:
    // The catalogue's query texts sort as on the file: accents and case
    // ignored, the first name deciding between "de la Tour" and "De La Tour".
    // A database already set up is refused and left as it is.
    void initialisationEnFrancais()
    {
        EXIGER_SERVEUR_ESSAI(serveur);
        Connexion c(QStringLiteral("serveur"));
        c.ouvrirServeur(serveur->nouvelleBase());
        const ComptesCopie comptes = initialiserBaseServeur(c, kLivre);
        const QString catalogue = QStringLiteral(
            "SELECT (SELECT count(*) FROM Categorie_Modele), (SELECT count(*) FROM Sous_Categorie_Modele),"
            " (SELECT count(*) FROM Modele), (SELECT max(Numero_Modele) FROM Modele)");
        QCOMPARE(lignes(c, catalogue), lignesFichier(kLivre, catalogue));
        QCOMPARE(QStringLiteral("%1|%2|%3").arg(comptes.categories).arg(comptes.sousCategories).arg(comptes.modeles),
                 lignes(c, catalogue).value(0).section(QLatin1Char('|'), 0, 2));

        QVERIFY(QSqlQuery(c.base()).exec(
            QStringLiteral("INSERT INTO Destinataire (Nom_Destinataire, Prenom_Destinataire) VALUES ('Fabre', 'Anne'),"
                           " ('de la Tour', 'Zoé'), ('Durand', 'Paul'), ('De La Tour', 'Alain'), ('Émery', 'Jean')")));
        QCOMPARE(lignes(c,
                        QStringLiteral("SELECT Nom_Destinataire, Prenom_Destinataire From Destinataire "
                                       "Order by Nom_Destinataire, Prenom_Destinataire")),
                 QStringList({QStringLiteral("De La Tour|Alain"), QStringLiteral("de la Tour|Zoé"),
                              QStringLiteral("Durand|Paul"), QStringLiteral("Émery|Jean"),
                              QStringLiteral("Fabre|Anne")}));

        const QStringList avant = lignes(c, catalogue);
        QVERIFY_THROWS_EXCEPTION(RefusBaseServeur, initialiserBaseServeur(c, kLivre));
        QVERIFY_THROWS_EXCEPTION(RefusBaseServeur, copierVersServeur(kLivre, c));
        QCOMPARE(lignes(c, catalogue), avant);
        QCOMPARE(lignes(c, QStringLiteral("SELECT count(*) FROM Destinataire")), QStringList{QStringLiteral("5")});
    }

    // A user's file reaches the server as it is: ids, absent values apart
    // from empty ones, the journal and its letters; the server's next id is
    // past every id the file ever gave; the file itself is not touched.
    void copieFidele()
    {
        EXIGER_SERVEUR_ESSAI(serveur);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("Lettre.mdb"));
        creerBaseVide(chemin);
        executerSurFichier(
            chemin,
            QStringLiteral(
                "INSERT INTO Expediteur (Numero_Expediteur, Titre_Expediteur, Nom_Expediteur, Adresse2_Expediteur)"
                " VALUES (7, NULL, 'Lefèvre', '');"
                "INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire) VALUES (3, 'Martin'), (41, 'Parti');"
                "DELETE FROM Destinataire WHERE Numero_Destinataire = 41;"
                "INSERT INTO Categorie_Modele VALUES (5, 'Logement');"
                "INSERT INTO Sous_Categorie_Modele VALUES (9, 5, 'Préavis');"
                "INSERT INTO Modele (Numero_Modele, Numero_Sous_Cat_Modele, Libelle_Modele, Corps_Modele)"
                " VALUES (12, 9, 'Congé', '{\\rtf1 Congé}');"));
        {
            Connexion fichier(QStringLiteral("fichier"));
            fichier.ouvrir(chemin);
            preparerJournal(fichier);
            EntreeJournal e;
            e.quand = QDateTime(QDate(2026, 3, 12), QTime(10, 0));
            e.canal = canal::impression;
            e.destinataire = {3, QStringLiteral("Monsieur Martin"), QString(), QString()};
            e.rtf = QStringLiteral("{\\rtf1 Monsieur, je résilie}");
            noterEnvoi(e, true, fichier);
        }
        const QByteArray avant = empreinte(chemin);

        Connexion c(QStringLiteral("serveur"));
        c.ouvrirServeur(serveur->nouvelleBase());
        const ComptesCopie comptes = copierVersServeur(chemin, c);
        QCOMPARE(detailComptes(comptes),
                 QStringLiteral("1 expéditeur, 1 destinataire, 1 catégorie, 1 sous-catégorie, "
                                "1 modèle, 1 entrée du journal"));
        QCOMPARE(detailComptes({0, 1250, 2, 0, 0, 0}),
                 QStringLiteral("0 expéditeur, 1\u202f250 destinataires, 2 catégories, 0 sous-catégorie, 0 modèle, "
                                "0 entrée du journal"));
        QCOMPARE(empreinte(chemin), avant);

        QCOMPARE(lignes(c,
                        QStringLiteral("SELECT Numero_Expediteur, Titre_Expediteur, Adresse2_Expediteur = '',"
                                       " Nom_Expediteur FROM Expediteur")),
                 QStringList{QStringLiteral("7|NULL|true|Lefèvre")});
        QCOMPARE(lignes(c,
                        QStringLiteral("SELECT m.Numero_Modele, s.Libelle_Sous_Cat_Modele, c.Libelle_Cat_Modele"
                                       " FROM Modele m JOIN Sous_Categorie_Modele s USING (Numero_Sous_Cat_Modele)"
                                       " JOIN Categorie_Modele c USING (Numero_Cat_Modele)")),
                 QStringList{QStringLiteral("12|Préavis|Logement")});
        const QStringList journal = lignes(
            c, QStringLiteral("SELECT Numero_Journal, Numero_Destinataire, Date_Journal FROM Journal"));
        QCOMPARE(journal, QStringList{QStringLiteral("1|3|2026-03-12T10:00:00")});
        QSqlQuery texte(c.base());
        QVERIFY(texte.exec(QStringLiteral("SELECT Texte_Journal FROM Journal_Texte WHERE Numero_Journal_Texte = 1")));
        QVERIFY(texte.next());
        QCOMPARE(QString::fromUtf8(qUncompress(texte.value(0).toByteArray())),
                 QStringLiteral("{\\rtf1 Monsieur, je résilie}"));

        QCOMPARE(lignes(c,
                        QStringLiteral("INSERT INTO Destinataire (Nom_Destinataire) VALUES ('Neuf')"
                                       " RETURNING Numero_Destinataire")),
                 QStringList{QStringLiteral("42")});
        QCOMPARE(lignes(c,
                        QStringLiteral("INSERT INTO Modele (Libelle_Modele) VALUES ('Neuf') RETURNING Numero_Modele")),
                 QStringList{QStringLiteral("13")});
        QVERIFY(QSqlQuery(c.base()).exec(QStringLiteral("DELETE FROM Journal")));
        QCOMPARE(lignes(c, QStringLiteral("SELECT count(*) FROM Journal_Texte")), QStringList{QStringLiteral("0")});
    }

    // Older files and files the copy cannot take whole: the first journals
    // kept each letter in its entry's row; a column the server lacks, or a
    // file that is no database, is refused and the server keeps no table.
    void fichiersAnciensOuRefuses()
    {
        EXIGER_SERVEUR_ESSAI(serveur);
        QTemporaryDir dossier;
        const QString ancien = dossier.filePath(QStringLiteral("ancien.mdb"));
        creerBaseVide(ancien);
        {
            Connexion fichier(QStringLiteral("fichier"));
            fichier.ouvrir(ancien);
            preparerJournal(fichier);
        }
        executerSurFichier(ancien,
                           QStringLiteral("DROP TABLE Journal_Texte; ALTER TABLE Journal ADD COLUMN Texte_Journal BLOB;"
                                          "INSERT INTO Journal (Date_Journal, Canal_Journal, Texte_Journal) VALUES"
                                          " ('2026-01-05T09:00:00', 'Impression', NULL),"
                                          " ('2026-03-12T10:00:00', 'Impression', x'%1')")
                               .arg(QString::fromLatin1(qCompress(QByteArray("{\\rtf1 Madame}")).toHex())));
        Connexion c(QStringLiteral("serveur"));
        c.ouvrirServeur(serveur->nouvelleBase());
        QCOMPARE(copierVersServeur(ancien, c).journal, 2);
        QCOMPARE(lignes(c, QStringLiteral("SELECT Numero_Journal_Texte FROM Journal_Texte")),
                 QStringList{QStringLiteral("2")});

        const QString etendu = dossier.filePath(QStringLiteral("etendu.mdb"));
        creerBaseVide(etendu);
        executerSurFichier(etendu, QStringLiteral("ALTER TABLE Destinataire ADD COLUMN Note_Destinataire TEXT"));
        const QString pasUneBase = dossier.filePath(QStringLiteral("lettre.txt"));
        QFile f(pasUneBase);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Ceci n'est pas une base de données, mais une lettre bien assez longue pour le paraître.");
        f.close();
        Connexion vide(QStringLiteral("vide"));
        vide.ouvrirServeur(serveur->nouvelleBase());
        for (const QString& chemin : {etendu, pasUneBase, dossier.filePath(QStringLiteral("absent.mdb"))}) {
            try {
                copierVersServeur(chemin, vide);
                QFAIL(qPrintable(chemin));
            } catch (const RefusBaseServeur& e) {
                QVERIFY2(e.raison().contains(chemin), qPrintable(e.raison()));
            }
        }
        QCOMPARE(lignes(vide, kTablesDuServeur), QStringList{QStringLiteral("0")});
    }
    // The two commands as an office's administrator runs them: the settings
    // must name a server; the database is set up once; a user's file is
    // copied into another one; a server that fails gives status 2.
    void commandes()
    {
        EXIGER_SERVEUR_ESSAI(serveur);
        const Installation installation;
        const QString initialiser = QStringLiteral("--initialiser-base-postgresql");
        const QString copier = QStringLiteral("--copier-vers-postgresql");
        Execution r = installation.lancer(initialiser);
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains(QStringLiteral("Type=PostgreSQL")), qPrintable(r.erreurs));

        const ParametresServeur base = serveur->nouvelleBase();
        installation.choisirServeur(base);
        r = installation.lancer(initialiser);
        QCOMPARE(r.statut, 0);
        QVERIFY2(r.sortie.startsWith(QStringLiteral("La base « %1 » est prête").arg(base.designation())),
                 qPrintable(r.sortie + r.erreurs));
        r = installation.lancer(copier);
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains(QStringLiteral("contient déjà")), qPrintable(r.erreurs));

        installation.choisirServeur(serveur->nouvelleBase());
        r = installation.lancer(copier);
        QCOMPARE(r.sortie,
                 QStringLiteral("Copie terminée : 0 expéditeur, 1 destinataire, 0 catégorie, "
                                "0 sous-catégorie, 0 modèle, 0 entrée du journal."));
        QCOMPARE(r.statut, 0);

        ParametresServeur absente = base;
        absente.base = QStringLiteral("absente");
        installation.choisirServeur(absente);
        r = installation.lancer(initialiser);
        QCOMPARE(r.statut, 2);
        QVERIFY(!r.erreurs.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBaseServeur)
#include "tst_baseserveur.moc"
