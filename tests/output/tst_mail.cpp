// The mailto: link, its encoding, and what reaches the desktop.
#include "output/mail.h"

#include "platform/erreurbase.h"
#include "support/banc.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

class TestMail : public QObject {
    Q_OBJECT

private slots:
    void encodage_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("vide") << ""
                              << "";
        QTest::newRow("lettres et chiffres") << "azAZ09Relance"
                                             << "azAZ09Relance";
        QTest::newRow("tabulation et tiret") << "\t-"
                                             << "%09%2D";
        QTest::newRow("accents en UTF-8") << QStringLiteral("Bonjour à tous") << "Bonjour%20%C3%A0%20tous";
        QTest::newRow("reserves") << "&?#%=+;"
                                  << "%26%3F%23%25%3D%2B%3B";
        QTest::newRow("hors BMP") << QStringLiteral("😀") << "%F0%9F%98%80";
    }

    void encodage()
    {
        QFETCH(QString, texte);
        QFETCH(QString, attendu);
        QCOMPARE(EncoderURL(texte), attendu);
    }

    void grammaireDuLien()
    {
        QCOMPARE(LienMail("A;B", "", "", "Relance", ""), QStringLiteral("mailto:?to=A&to=B&Subject=Relance"));
        QCOMPARE(LienMail("A;B", "", "", "", ""), QStringLiteral("mailto:?to=A&to=B"));
        QCOMPARE(LienMail(";A;;C;", "", "", "", ""), QStringLiteral("mailto:?to=A&to=C"));
        QCOMPARE(LienMail("a b@x", "C;", "D", "Loyer & charges décembre", "Ligne 1\nfin"),
                 QStringLiteral(
                     "mailto:?to=a b@x&cc=C&bcc=D&Subject=Loyer%20%26%20charges%20d%C3%A9cembre&Body=Ligne%201%0Afin"));
        // Without a to-list nothing is opened, whatever else is given.
        QCOMPARE(LienMail("", "C", "D", "Objet", "x"), QString());
        QCOMPARE(LienMail(";;", "", "", "Objet", ""), QString());
    }

    void individuelOuvreLeLien()
    {
        BancEssai banc; // where the message opened is recorded
        EnvoyerMail({true, QStringLiteral("A;B"), {}, QStringLiteral("Relance"), 0});
        EnvoyerMail({true, QStringLiteral(" ; "), {}, QStringLiteral("Relance"), 0});
        QCOMPARE(banc.bureau.cibles, QStringList{QStringLiteral("mailto:?to=A&to=B&Subject=Relance")});
        QCOMPARE(banc.dialogues.messages.size(), 1);
        QVERIFY(banc.dialogues.messages[0].texte.startsWith(QStringLiteral("Aucune adresse électronique")));
    }

    void enNombreAdressesDesLignesChoisies()
    {
        BancEssai banc;
        banc.base.executer(
            QStringLiteral("INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire, Mail_Destinataire) VALUES "
                           "(1, 'a', 'a@x.fr'), (2, 'b', NULL), (3, 'c', 'c@x.fr'), (4, 'd', '')"));
        EnvoyerMail({false, QStringLiteral("ignore@x.fr"), {3, 2, 1}, QStringLiteral("Objet"), 4});
        EnvoyerMail({false, QString(), {2, 4}, QString(), 4}); // nobody has an address
        EnvoyerMail({false, QString(), {}, QString(), 4});     // rows, none selected
        QCOMPARE(banc.bureau.cibles, QStringList{QStringLiteral("mailto:?to=c@x.fr&to=a@x.fr&Subject=Objet")});
        QCOMPARE(banc.dialogues.messages.size(), 3);
        QCOMPARE(banc.dialogues.messages[0].texte,
                 QStringLiteral("1 des 3 destinataires sélectionnés n'a pas d'adresse électronique : "
                                "il ne figure pas dans le message."));
        QCOMPARE(banc.dialogues.messages[1].texte,
                 QStringLiteral("Aucune adresse électronique : aucun des 2 destinataires sélectionnés n'en a."));
        QVERIFY(banc.dialogues.messages[2].texte.startsWith(QStringLiteral("Aucune adresse électronique")));
        banc.dialogues.messages.clear();

        EnvoyerMail({false, QString(), {}, QString(), 0});
        QCOMPARE(banc.dialogues.messages.size(), 1);
        QCOMPARE(banc.dialogues.messages[0].texte,
                 QStringLiteral("Attention ! Vous n'avez pas sélectionné de destinataire."));
        QCOMPARE(banc.dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QCOMPARE(banc.dialogues.messages[0].icone, Icone::Exclamation);

        // A recipient deleted meanwhile stops the command before anything opens.
        QVERIFY_THROWS_EXCEPTION(ErreurBase, EnvoyerMail({false, QString(), {1, 99}, QString(), 4}));
        QCOMPARE(banc.bureau.cibles.size(), 1);
    }

    void sansProgrammeDeMessagerie()
    {
        auto& bureau = installerBureauEnregistreur();
        auto& d = installerDialoguesScriptes();
        QGuiApplication::clipboard()->setText(QStringLiteral("avant"));
        const QString lien = QStringLiteral("mailto:?to=A&Subject=Relance");

        bureau.resultats.enqueue(false);
        d.reponses.enqueue(Reponse::Non);
        ExecuterShell(lien);
        QCOMPARE(bureau.cibles.size(), 1);
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].texte.contains(QStringLiteral("Aucun programme de messagerie")));
        QVERIFY(d.messages[0].texte.contains(lien));
        QCOMPARE(d.messages[0].boutons, Boutons::OuiNon);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("avant"));

        bureau.resultats.enqueue(false);
        d.reponses.enqueue(Reponse::Oui);
        ExecuterShell(lien);
        QCOMPARE(bureau.cibles.size(), 2);
        QCOMPARE(d.messages.size(), 2);
        QCOMPARE(QGuiApplication::clipboard()->text(), lien);

        ExecuterShell(lien); // opened: nothing to say
        QCOMPARE(d.messages.size(), 2);
    }
};

QTEST_MAIN(TestMail)
#include "tst_mail.moc"
