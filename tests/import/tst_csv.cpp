// Reading contact tables in the CSV shapes of the usual exports, and
// refusing what is not a contact file.
#include "import/contacts.h"
#include "import/csv.h"
#include "outilscontacts.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray utf16le(const QString& texte)
{
    return QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(texte);
}

} // namespace

class TestCsv : public QObject {
    Q_OBJECT

private slots:
    void lecture_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("attendu");

        // A mail program's export: commas, English headers, quoted fields
        // with doubled quotes and a line break, an unmapped column.
        QTest::newRow("virgules")
            << QByteArray(
                   "First Name,Last Name,Display Name,Home Address,Home Address 2,Home City,Home ZipCode,Primary Email,Job Title\r\n"
                   "Jean,\"Dupont, dit \"\"Jeannot\"\"\",JD,\"1 rue A\nEscalier 2\",,Lyon,69001,jean@exemple.fr,Maire\r\n"
                   "Anne,Roy,,,,,,,\r\n")
            << QStringList{QStringLiteral(
                               "|Dupont, dit \"Jeannot\"|Jean|1 rue A\nEscalier 2||69001|Lyon|Maire|jean@exemple.fr||"),
                           QStringLiteral("|Roy|Anne||||||||")};
        // A French spreadsheet: semicolons, UTF-8 with its mark, titles
        // mapped to ours or kept, a blank line, a row without any name.
        QTest::newRow("points-virgules")
            << QByteArray("\xEF\xBB\xBF"
                          "Civilit\xC3\xA9;Nom;Pr\xC3\xA9nom;Adresse;Code postal;Ville;T\xC3\xA9l\xC3\xA9phone\n"
                          "Mme;\xC3\x89tienne;Chlo\xC3\xA9;2 rue B;75002;Paris;01\n\n"
                          "Ma\xC3\xAEtre;Blanc;Luc;;;;\n;;;3 rue C;;;\n")
            << QStringList{QStringLiteral("Madame|Étienne|Chloé|2 rue B||75002|Paris|||01|"),
                           QStringLiteral("Maître|Blanc|Luc||||||||"), QStringLiteral("illisible 5: contact sans nom")};
        QTest::newRow("tabulations UTF-16")
            << utf16le(QStringLiteral("Nom\tPrénom\tE-mail\r\nGarçon\tÉmile\te@x.fr\r\n"))
            << QStringList{QStringLiteral("|Garçon|Émile||||||e@x.fr||")};
        // Windows code page: bytes that are not UTF-8.
        QTest::newRow("Windows-1252") << QByteArray("Nom;Pr\xE9nom;Ville\nLef\xE8vre;\x8C"
                                                    "dile;S\xE8te\n")
                                      << QStringList{QStringLiteral("|Lefèvre|Œdile||||Sète||||")};
        // A quote never closed: that row only is unreadable, the next one
        // is read.
        QTest::newRow("guillemet non fermé")
            << QByteArray("Nom,Prénom\nMartin,\"Paul\nDurand,Zoé\n")
            << QStringList{QStringLiteral("illisible 2: guillemet non fermé"), QStringLiteral("|Durand|Zoé||||||||")};
        QTest::newRow("ligne de 10 Mo") << QByteArray("Nom,Prénom\n") + QByteArray(10 * 1024 * 1024, 'x')
                + QByteArray(",y\nRoux,Léa\n")
                                        << QStringList{QStringLiteral("illisible 2: champ trop long"),
                                                       QStringLiteral("|Roux|Léa||||||||")};
    }

    void lecture()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, attendu);
        QTemporaryDir dossier;
        QFile f(dossier.filePath(QStringLiteral("contacts.csv")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
        f.close();
        FichierContacts fichier;
        QCOMPARE(lireFichierContacts(f.fileName(), fichier), QString());
        QCOMPARE(enLignes(fichier.contacts), attendu);
    }

    // The user maps an unrecognised column by hand.
    void correspondanceChangee()
    {
        TableauCsv tableau;
        QCOMPARE(lireCsv(QStringLiteral("Nom;Surnom\nDupont;Jeannot\n"), tableau), QString());
        FichierContacts fichier;
        fichier.format = FichierContacts::Format::Csv;
        fichier.tableau = tableau;
        fichier.correspondance = correspondanceParDefaut(tableau.entetes);
        QCOMPARE(fichier.correspondance, (std::vector<Champ>{Champ::Nom, Champ::Aucun}));
        fichier.correspondance[1] = Champ::Prenom;
        fichier.appliquerCorrespondance();
        QCOMPARE(enLignes(fichier.contacts), QStringList{QStringLiteral("|Dupont|Jeannot||||||||")});
    }

    void refus_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<qint64>("taille");
        QTest::addColumn<QString>("message");

        QTest::newRow("binaire renommé") << "photo.vcf" << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << qint64(0)
                                         << QStringLiteral("n'est ni une carte de visite (vCard) ni un tableau CSV");
        QTest::newRow("texte ordinaire") << "lettre.csv" << QByteArray("Cher ami,\nje vous écris.\n") << qint64(0)
                                         << QStringLiteral("Aucune colonne de la première ligne n'est reconnue");
        QTest::newRow("million de colonnes")
            << "large.csv" << QByteArray("Nom") + QByteArray(1000000, ',') << qint64(0)
            << QStringLiteral("La ligne d'en-tête ne peut pas être lue (plus de 1000 colonnes)");
        QTest::newRow("200 Mo") << "gros.csv" << QByteArray("Nom\n") << qint64(200) * 1024 * 1024
                                << QStringLiteral("est trop volumineux (200 Mo)");
    }

    void refus()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, octets);
        QFETCH(qint64, taille);
        QFETCH(QString, message);
        QTemporaryDir dossier;
        QFile f(dossier.filePath(nom));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
        if (taille > 0)
            QVERIFY(f.resize(taille));
        f.close();
        FichierContacts fichier;
        const QString erreur = lireFichierContacts(f.fileName(), fichier);
        QVERIFY2(erreur.contains(message), qPrintable(erreur));
        QVERIFY(fichier.contacts.empty());
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
