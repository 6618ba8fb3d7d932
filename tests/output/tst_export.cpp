// Saving the letter area to an RTF file.
#include "output/composition.h"
#include "output/export.h"

#include "richtext/richtextbox.h"
#include "support/banc.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString texteDuFichier(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    RichTextBox relu;
    relu.setTextRTF(QString::fromLatin1(f.readAll()));
    return relu.toPlainText();
}

const QString kDemande = QStringLiteral("enregistrer: Enregistrer sous ...|Rtf (*.rtf)|lettre.rtf");

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void annulerNEcritRien()
    {
        auto& d = installerDialoguesScriptes();
        RichTextBox txtText;
        txtText.setPlainText(QStringLiteral("x"));
        ExporterLettre(txtText);
        QCOMPARE(d.demandes, QStringList{kDemande});
        QVERIFY(d.messages.isEmpty());
    }

    void lettreEnNombreAvecSesModifications()
    {
        QTemporaryDir dossier;
        BancEssai banc; // where the files written are recorded
        SaisieLettre s;
        s.depuisModele = false;
        s.lignesDestinataires = 1;
        s.nomExp = QStringLiteral("Lefèvre");
        RichTextBox txtText;
        const std::optional<QString> lettre = ComposerLettreEnNombre(s);
        QVERIFY(lettre);
        txtText.setTextRTF(*lettre);
        txtText.moveCursor(QTextCursor::End);
        txtText.insertPlainText(QStringLiteral(" ajouté après coup"));

        const QString premier = dossier.filePath(QStringLiteral("lettre.rtf"));
        const QString second = dossier.filePath(QStringLiteral("autre.rtf"));
        banc.dialogues.textes << premier << second;
        ExporterLettre(txtText);
        ExporterLettre(txtText);
        QCOMPARE(banc.dialogues.demandes, (QStringList{kDemande, kDemande}));
        QVERIFY(banc.dialogues.messages.isEmpty());

        const QString relu = texteDuFichier(premier);
        QCOMPARE(relu, txtText.toPlainText());
        for (const char* repere : {"<TitreDest>", "<NomDest>", "<PrenomDest>", "<Adr1Dest>", "<CPDest>", "<VilleDest>"})
            QVERIFY2(relu.contains(QLatin1String(repere)), repere);
        QVERIFY(relu.contains(QStringLiteral("Lefèvre")));
        QVERIFY(relu.endsWith(QStringLiteral(" ajouté après coup")));
        QCOMPARE(texteDuFichier(second), relu);

        // A word processor opens it on the letter's paper and margins, the
        // recipient block hanging from its edge.
        QFile fichier(premier);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        const QByteArray rtf = fichier.readAll();
        QVERIFY(rtf.contains("\\paperw11906\\paperh16838\\margl1200\\margr1200\\margt1500\\margb1500"));
        QVERIFY(rtf.contains("\\li5040\\fi-5040\\tx720\\tx1440\\tx2160\\tx2880\\tx3600\\tx4320\\tx5040"));
    }

    void cheminImpossibleSignale()
    {
        QTemporaryDir dossier;
        auto& d = installerDialoguesScriptes();
        RichTextBox txtText;
        txtText.setPlainText(QStringLiteral("x"));
        const QString chemin = dossier.filePath(QStringLiteral("absent/lettre.rtf"));
        d.textes << chemin;
        ExporterLettre(txtText);
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].titre, QStringLiteral("Erreur"));
        QCOMPARE(d.messages[0].icone, Icone::Exclamation);
        QVERIFY(d.messages[0].texte.startsWith(QStringLiteral("La lettre n'a pas été enregistrée.")));
        QVERIFY(d.messages[0].texte.contains(chemin));
        QVERIFY(!QFile::exists(chemin));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
