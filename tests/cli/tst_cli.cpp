// tilvo-lettres-cli's commands: what they print, write and their exit
// statuses.
#include "store/destinataires.h"
#include "support/basetemporaire.h"
#include "support/execution.h"
#include "support/pdfmots.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

Execution lancer(const QStringList& arguments)
{
    return executer(QStringLiteral(TILVO_CLI), arguments);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void commandes()
    {
        BaseTemporaire base;
        const QString vcf = base.dossier() + QStringLiteral("/a.vcf");
        QFile f(vcf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BEGIN:VCARD\nVERSION:3.0\nN:Lefèvre;Anaïs;;;\nEND:VCARD\nBEGIN:VCARD\nVERSION:3.0\nEND:VCARD\n");
        f.close();
        const QString binaire = base.dossier() + QStringLiteral("/photo.vcf");
        QFile b(binaire);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write(QByteArray("\x89PNG\0\0\0\0", 8));
        b.close();
        const QStringList importer{QStringLiteral("importer"), QStringLiteral("--base"), base.cheminBase()};

        Execution r = lancer({QStringLiteral("--help")});
        QCOMPARE(r.statut, 0);
        QVERIFY(r.sortie.contains(QStringLiteral("importer --base"))
                && r.sortie.contains(QStringLiteral("exporter --base")));

        r = lancer(importer + QStringList{vcf});
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, QStringLiteral("1 contact importé, 0 doublon ignoré, 1 illisible (ligne 5)."));
        r = lancer(importer + QStringList{vcf});
        QCOMPARE(r.sortie, QStringLiteral("0 contact importé, 1 doublon ignoré, 1 illisible (ligne 5)."));
        r = lancer(importer + QStringList{QStringLiteral("--doublons"), QStringLiteral("importer"), vcf});
        QVERIFY(r.sortie.startsWith(QStringLiteral("1 contact importé")));

        r = lancer(importer + QStringList{binaire});
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains(QStringLiteral("n'est ni une carte de visite (vCard) ni un tableau CSV")),
                 qPrintable(r.erreurs));
        QCOMPARE(tousLesDestinataires().size(), std::size_t(2));

        const QStringList exporter{QStringLiteral("exporter"), QStringLiteral("--base"), base.cheminBase(),
                                   QStringLiteral("--format"), QStringLiteral("csv"),    QStringLiteral("--sortie")};
        r = lancer(exporter + QStringList{base.dossier() + QStringLiteral("/absent/carnet.csv")});
        QCOMPARE(r.statut, 2);
        QVERIFY(r.erreurs.startsWith(QStringLiteral("Le fichier « ")));
        r = lancer(exporter + QStringList{base.dossier() + QStringLiteral("/carnet.csv")});
        QCOMPARE(r.statut, 0);
        QVERIFY(QFile::exists(base.dossier() + QStringLiteral("/carnet.csv")));
    }

    // Letters to PDF: one file, a folder of files, or one file of every
    // letter; an unknown id refuses, a file that cannot be written fails.
    void pdf()
    {
        BaseTemporaire base;
        base.executer(QStringLiteral(
            "INSERT INTO Expediteur (Numero_Expediteur, Nom_Expediteur, Prenom_Expediteur) VALUES (7, 'Martin', 'Jean');"
            "INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire, Prenom_Destinataire, Ville_Destinataire) "
            "VALUES (1, 'Dupont', 'Anne', 'Troyes'), (2, 'Evrard', 'Luc', 'Bordeaux')"));
        const QStringList pdf{QStringLiteral("pdf"),      QStringLiteral("--base"),  base.cheminBase(),
                              QStringLiteral("--modele"), QStringLiteral("0"),       QStringLiteral("--expediteur"),
                              QStringLiteral("7"),        QStringLiteral("--objet"), QStringLiteral("Relance"),
                              QStringLiteral("--sortie")};
        const QString un = base.dossier() + QStringLiteral("/un.pdf");

        Execution r = lancer(pdf + QStringList{un, QStringLiteral("--destinataires"), QStringLiteral("1")});
        QCOMPARE(r.statut, 0);
        QVERIFY(lirePdf(un).texte(0).contains(QStringLiteral("Dupont Anne Troyes")));
        const QString dossier = base.dossier() + QStringLiteral("/lettres");
        r = lancer(pdf + QStringList{dossier, QStringLiteral("--destinataires"), QStringLiteral("1,2")});
        QCOMPARE(r.statut, 0);
        QCOMPARE(QDir(dossier).entryList(QDir::Files).size(), 2);
        r = lancer(pdf
                   + QStringList{un, QStringLiteral("--destinataires"), QStringLiteral("1,2"),
                                 QStringLiteral("--un-fichier")});
        QCOMPARE(r.statut, 0);
        QCOMPARE(lirePdf(un).pages.size(), 2);

        r = lancer(pdf + QStringList{un, QStringLiteral("--destinataires"), QStringLiteral("1,9")});
        QCOMPARE(r.statut, 1);
        QCOMPARE(r.erreurs.split(QLatin1Char('\n')).last(), QStringLiteral("Aucun destinataire ne porte le numéro 9."));
        r = lancer(pdf
                   + QStringList{base.dossier() + QStringLiteral("/absent/un.pdf"), QStringLiteral("--destinataires"),
                                 QStringLiteral("2")});
        QCOMPARE(r.statut, 2);
        QVERIFY2(r.erreurs.contains(QStringLiteral("n'a pas pu être enregistré")), qPrintable(r.erreurs));
    }

    // One envelope a page on envelope paper, labels on A4 sheets; an
    // unknown recipient writes nothing.
    void enveloppesEtEtiquettes()
    {
        BaseTemporaire base;
        base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, Adresse1_Destinataire, "
            "CP_Destinataire, Ville_Destinataire) VALUES (1, 'Madame', 'Arnaud', '1 place Nette', '69001', 'Lyon'), "
            "(2, 'Monsieur', 'Bernard', '2 quai Sud', '13002', 'Marseille')"));
        const QString enveloppes = base.dossier() + QStringLiteral("/enveloppes.pdf");
        const QStringList commune{QStringLiteral("--base"), base.cheminBase(), QStringLiteral("--destinataires")};
        Execution r = lancer(QStringList{QStringLiteral("enveloppes")} + commune
                             + QStringList{QStringLiteral("2,1"), QStringLiteral("--format"), QStringLiteral("1"),
                                           QStringLiteral("--sortie"), enveloppes});
        QCOMPARE(r.statut, 0);
        ContenuPdf pdf = lirePdf(enveloppes);
        QCOMPARE(pdf.pages.size(), 2);
        QVERIFY(qAbs(pdf.pages[0].width() - 22.0) < 0.05 && qAbs(pdf.pages[0].height() - 11.0) < 0.05);
        QVERIFY2(pdf.texte(0).contains(QStringLiteral("13002 MARSEILLE")), qPrintable(pdf.texte(0)));

        const QString etiquettes = base.dossier() + QStringLiteral("/etiquettes.pdf");
        r = lancer(QStringList{QStringLiteral("etiquettes")} + commune
                   + QStringList{QStringLiteral("1,2"), QStringLiteral("--planche"), QStringLiteral("3x8"),
                                 QStringLiteral("--debut"), QStringLiteral("4"), QStringLiteral("--sortie"),
                                 etiquettes});
        QCOMPARE(r.statut, 0);
        pdf = lirePdf(etiquettes);
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(qAbs(pdf.trouver(QStringLiteral("Madame"))->boite.top() - (0.05 + 3.7 + 0.25)) < 0.05);

        r = lancer(QStringList{QStringLiteral("etiquettes")} + commune
                   + QStringList{QStringLiteral("7"), QStringLiteral("--planche"), QStringLiteral("2x7"),
                                 QStringLiteral("--sortie"), base.dossier() + QStringLiteral("/rien.pdf")});
        QCOMPARE(r.statut, 1);
        QCOMPARE(r.erreurs, QStringLiteral("Le destinataire n° 7 n'existe plus dans la base."));
        QVERIFY(!QFile::exists(base.dossier() + QStringLiteral("/rien.pdf")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
