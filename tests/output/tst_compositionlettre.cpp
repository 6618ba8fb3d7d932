// Composition into the letter area, with the model read from the database.
#include "output/composition.h"

#include "platform/erreurbase.h"
#include "richtext/richtextbox.h"
#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"

#include <QSqlQuery>
#include <QTextBlock>
#include <QtTest>

namespace {

// The letter composed, put in the letter area as the main window does.
bool dansLaZone(const std::optional<QString>& lettre, RichTextBox& txtText)
{
    if (lettre)
        txtText.setTextRTF(*lettre);
    return lettre.has_value();
}

SaisieLettre saisie()
{
    SaisieLettre s;
    s.titreExp = QStringLiteral("M.");
    s.nomExp = QStringLiteral("Martin");
    s.prenomExp = QStringLiteral("Jean");
    s.fonctionExp = QStringLiteral("G\u00e9rant");
    s.adresse1Exp = QStringLiteral("B\u00e2t. {A}");
    s.titreDest = QStringLiteral("Madame");
    s.nomDest = QStringLiteral("Durand");
    s.adresse1Dest = QStringLiteral("C:\\dossier");
    s.dateLettre = QStringLiteral("7 d\u00e9cembre 2026");
    s.villeLettre = QStringLiteral("Lyon");
    s.formuleLettre = QStringLiteral("Veuillez agr\u00e9er, <TitreDest>, mes salutations.");
    s.lignesDestinataires = 2;
    s.lignesModeles = 1;
    return s;
}

QStringList paragraphes(const RichTextBox& boite)
{
    return boite.toPlainText().split(QLatin1Char('\n'));
}

} // namespace

class TestCompositionLettre : public QObject {
    Q_OBJECT

private:
    QString ajouterModele(BaseTemporaire& base, const QString& corps)
    {
        base.executer(QStringLiteral("INSERT INTO Modele (Libelle_Modele, Corps_Modele) VALUES ('Essai', '%1')")
                          .arg(QString(corps).replace(QLatin1Char('\''), QStringLiteral("''"))));
        QSqlQuery q(cnLettre().base());
        q.exec(QStringLiteral("SELECT max(Numero_Modele) FROM Modele"));
        q.next();
        return q.value(0).toString();
    }

private slots:
    void refusSansModeleNiDestinataire()
    {
        auto& d = installerDialoguesScriptes();
        RichTextBox txtText;
        txtText.setPlainText(QStringLiteral("ancienne lettre"));
        SaisieLettre s = saisie();
        s.lignesModeles = 0;
        QVERIFY(!dansLaZone(ComposerLettreIndividuelle(s), txtText));
        s.lignesDestinataires = 0;
        QVERIFY(!dansLaZone(ComposerLettreEnNombre(s), txtText));
        QCOMPARE(d.messages.size(), 2);
        QCOMPARE(d.messages[0].texte, QStringLiteral("Attention ! Vous n'avez pas s\u00e9lectionn\u00e9 de mod\u00e8le de lettre."));
        QCOMPARE(d.messages[1].texte, QStringLiteral("Attention ! Vous n'avez pas s\u00e9lectionn\u00e9 de destinataire."));
        for (const auto& m : d.messages) {
            QCOMPARE(m.titre, QStringLiteral("Erreur"));
            QCOMPARE(m.icone, Icone::Exclamation);
            QCOMPARE(m.boutons, Boutons::Ok);
        }
        QCOMPARE(txtText.toPlainText(), QStringLiteral("ancienne lettre"));
    }

    void lettreIndividuelleDepuisUnModele()
    {
        BaseTemporaire base;
        auto& d = installerDialoguesScriptes();
        SaisieLettre s = saisie();
        s.idModeleCourant = ajouterModele(base, QStringLiteral(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\fs20 Cher <NomDest>, \\'e0 <TitreDest>.\\par}"));
        RichTextBox txtText;
        txtText.setPlainText(QStringLiteral("modifications de l'utilisateur"));
        QVERIFY(dansLaZone(ComposerLettreIndividuelle(s), txtText));
        QVERIFY(d.messages.isEmpty());

        const QStringList p = paragraphes(txtText);
        QCOMPARE(p.value(0), QStringLiteral("M. Martin Jean "));
        QCOMPARE(p.value(1), QStringLiteral("G\u00e9rant "));
        QCOMPARE(p.value(2), QStringLiteral("B\u00e2t. {A} "));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tMadame Durand  ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tC:\\dossier ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tLe 7 d\u00e9cembre 2026 ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tÀ Lyon ")));
        QVERIFY(txtText.toPlainText().contains(QStringLiteral("Cher <NomDest>, \u00e0 Madame.")));
        QVERIFY(p.contains(QStringLiteral("Veuillez agr\u00e9er, Madame, mes salutations. ")));
        QCOMPARE(p.last(), QStringLiteral("\t\t\t\t\t\t\tJean Martin"));
        QVERIFY(!txtText.toPlainText().contains(QStringLiteral("modifications")));

        // The letter and the body are set at 11 points.
        for (QTextBlock b = txtText.document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                QCOMPARE(it.fragment().charFormat().fontPointSize(), 11.0);
    }

    void modeleDisparuLaisseLaLettre()
    {
        BaseTemporaire base;
        installerDialoguesScriptes();
        SaisieLettre s = saisie();
        s.idModeleCourant = QStringLiteral("999");
        RichTextBox txtText;
        txtText.setPlainText(QStringLiteral("lettre"));
        QVERIFY_THROWS_EXCEPTION(ErreurBase, dansLaZone(ComposerLettreIndividuelle(s), txtText));
        QCOMPARE(txtText.toPlainText(), QStringLiteral("lettre"));
    }

    void lettreEnNombrePuisPersonnalisee()
    {
        BaseTemporaire base;
        installerDialoguesScriptes();
        base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, Prenom_Destinataire, "
            "Adresse1_Destinataire, Adresse2_Destinataire, CP_Destinataire, Ville_Destinataire, Fonction_Destinataire) VALUES "
            "(1, 'Ma\u00eetre', 'Roux', 'Paul', '1 rue {x}', NULL, '75001', 'Paris', NULL), "
            "(2, 'Madame', 'Blanc', NULL, '2 av.', 'BP 3', NULL, 'Nantes', 'Notaire')"));
        SaisieLettre s = saisie();
        s.depuisModele = false;
        RichTextBox txtText;
        QVERIFY(dansLaZone(ComposerLettreEnNombre(s), txtText));
        QVERIFY(txtText.toPlainText().contains(QStringLiteral("\t<TitreDest> <NomDest> <PrenomDest> ")));
        QVERIFY(txtText.toPlainText().contains(QStringLiteral("Veuillez agr\u00e9er, <TitreDest>, mes salutations.")));

        // The user edits the mass letter: the first name goes, a word in bold comes.
        QTextCursor c = txtText.document()->find(QStringLiteral("<PrenomDest>"));
        c.removeSelectedText();
        c = txtText.document()->find(QStringLiteral("<TitreDest>,"));
        c.movePosition(QTextCursor::StartOfBlock);
        QTextCharFormat gras;
        gras.setFontWeight(QFont::Bold);
        c.insertText(QStringLiteral("Important : "), gras);
        const QString lettreEnNombre = txtText.toPlainText();

        RichTextBox personnalisee;
        personnalisee.setTextRTF(TextePersonnalise(txtText.TextRTF(), lireDestinataire(1)));
        QStringList p = paragraphes(personnalisee);
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tMa\u00eetre Roux  ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\t1 rue {x} ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\t75001 Paris ")));
        QVERIFY(p.contains(QStringLiteral("Important : Ma\u00eetre, ")));
        QVERIFY(p.contains(QStringLiteral("Veuillez agr\u00e9er, Ma\u00eetre, mes salutations. ")));
        QCOMPARE(txtText.toPlainText(), lettreEnNombre);

        personnalisee.setTextRTF(TextePersonnalise(txtText.TextRTF(), lireDestinataire(2)));
        p = paragraphes(personnalisee);
        const auto i = p.indexOf(QStringLiteral("\t\t\t\t\t\t\tMadame Blanc  "));
        QVERIFY(i > 0);
        QCOMPARE(p.mid(i + 1, 3), (QStringList{QStringLiteral("\t\t\t\t\t\t\t2 av. "), QStringLiteral("\t\t\t\t\t\t\tBP 3 "),
                                                QStringLiteral("\t\t\t\t\t\t\t Nantes ")}));
        QVERIFY(!personnalisee.toPlainText().contains(QStringLiteral("Notaire")));   // its placeholder was deleted
        QVERIFY(!personnalisee.toPlainText().contains(QLatin1Char('<')));
    }
};

QTEST_MAIN(TestCompositionLettre)
#include "tst_compositionlettre.moc"
