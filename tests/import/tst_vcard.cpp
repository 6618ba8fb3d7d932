// Reading address-book cards in the shapes phones and mail programs write.
#include "import/vcard.h"
#include "outilscontacts.h"

#include <QtTest>

class TestVCard : public QObject {
    Q_OBJECT

private slots:
    void lecture_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("attendu");

        // 3.0 from a desktop program: folded line, two addresses (home
        // wins, its two-line street split), preferred e-mail, escapes.
        QTest::newRow("3.0") << QStringLiteral(
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:d'Arc\\, Dupont;Jeanne;Marie;Mme;\r\nFN:Jeanne d'Arc\r\n"
            "ADR;TYPE=work:;;1 rue du Bureau;Paris;;75001;France\r\n"
            "ADR;TYPE=home,postal:;;12 rue des Lilas\\nBât. B;Lyon;;69003;France\r\n"
            "EMAIL;TYPE=work:jeanne@travail.fr\r\nEMAIL;TYPE=home,pref:jeanne@maison.fr\r\n"
            "TITLE:Ingénieure en\r\n  chef\r\nTEL;TYPE=cell:06 01 02 03 04\r\nTEL;TYPE=home,pref:04 78 00 00 00\r\n"
            "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQ\r\n AAAQABAAD\r\nX-CUSTOM:ignoré\r\nEND:VCARD\r\n")
                             << QStringList{QStringLiteral(
                                    "Madame|d'Arc, Dupont|Jeanne|12 rue des Lilas|Bât. B|69003|Lyon|Ingénieure en chef|"
                                    "jeanne@maison.fr|04 78 00 00 00|06 01 02 03 04")};
        // 2.1 from an old phone: bare parameters, quoted-printable in
        // Latin-1 with a soft line break, no TYPE=home (first address).
        QTest::newRow("2.1") << QStringLiteral(
            "BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Lef=E8vre;Ren=\n=E9e;;Ma=EEtre\n"
            "ADR;WORK;ENCODING=QUOTED-PRINTABLE:;;3 place d'Arm=\nes;Metz;;57000\nTEL;CELL;PREF:0611\nTEL;HOME:0387\n"
            "ROLE:Avocat\nEND:VCARD\n")
                             << QStringList{QStringLiteral(
                                    "Maître|Lefèvre|Renée|3 place d'Armes||57000|Metz|Avocat||0611|0387")};
        // 4.0 with property groups, a tel: URI, the name only in FN, then
        // a card without any name and one never closed.
        QTest::newRow("4.0") << QStringLiteral(
            "BEGIN:VCARD\nVERSION:4.0\nFN:Jean-Paul Martin\nitem1.ADR;TYPE=\"home\":;Résidence Les Pins;5 allée B;Nice;;06000;\n"
            "item1.X-ABLabel:maison\nTEL;VALUE=uri;TYPE=\"voice,home\":tel:+33-4-93\nEND:VCARD\n"
            "BEGIN:VCARD\nVERSION:4.0\nEMAIL:personne@exemple.fr\nEND:VCARD\n"
            "BEGIN:VCARD\nVERSION:4.0\nN:Ouvert;Resté;;;\n")
                             << QStringList{
                                    QStringLiteral(
                                        "|Martin|Jean-Paul|5 allée B|Résidence Les Pins|06000|Nice|||+33-4-93|"),
                                    QStringLiteral("illisible 8: contact sans nom"),
                                    QStringLiteral("illisible 12: carte non terminée")};
    }

    void lecture()
    {
        QFETCH(QString, texte);
        QFETCH(QStringList, attendu);
        QVERIFY(estVCard(texte));
        std::vector<ContactLu> contacts;
        QVERIFY(lireVCards(texte, contacts));
        QCOMPARE(enLignes(contacts), attendu);
    }

    // Our own cards: long values folded without cutting a character, and
    // read back field for field.
    void ecritureRelue()
    {
        Contact c;
        c.titre = QStringLiteral("Madame, Monsieur");
        c.nom = QStringLiteral("L'Héritier; \"Dit\" \\ le Grand");
        c.prenom = QStringLiteral("Éloïse");
        c.adresse1 = QStringLiteral("Appartement 3\n") + QString(40, QChar(0x00E9)) + QStringLiteral(", rue");
        c.adresse2 = QStringLiteral("Bâtiment C");
        c.cp = QStringLiteral("75011");
        c.ville = QStringLiteral("Paris");
        c.fonction = QStringLiteral("Trésorière, adjointe");
        c.mail = QStringLiteral("e@exemple.fr");
        const QByteArray octets = ecrireVCards({c});
        for (const QByteArray& ligne : octets.split('\n'))
            QVERIFY2(ligne.size() <= 76, ligne.constData());
        QVERIFY(QString::fromUtf8(octets).indexOf(QChar::ReplacementCharacter) < 0);
        std::vector<ContactLu> relus;
        QVERIFY(lireVCards(QString::fromUtf8(octets), relus));
        QCOMPARE(relus.size(), std::size_t(1));
        QCOMPARE(relus[0].contact, c);
    }
};

QTEST_GUILESS_MAIN(TestVCard)
#include "tst_vcard.moc"
