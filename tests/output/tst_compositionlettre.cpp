// Composition into the letter area, with the model read from the database.
#include "output/composition.h"

#include "platform/erreurbase.h"
#include "richtext/richtextbox.h"
#include "support/banc.h"

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
    s.fonctionExp = QStringLiteral("Gérant");
    s.adresse1Exp = QStringLiteral("Bât. {A}");
    s.titreDest = QStringLiteral("Madame");
    s.nomDest = QStringLiteral("Durand");
    s.adresse1Dest = QStringLiteral("C:\\dossier");
    s.dateLettre = QStringLiteral("7 décembre 2026");
    s.villeLettre = QStringLiteral("Lyon");
    s.formuleLettre = QStringLiteral("Veuillez agréer, <TitreDest>, mes salutations.");
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
    QString creerModele(BaseTemporaire& base, const QString& corps)
    {
        base.executer(QStringLiteral("INSERT INTO Modele (Libelle_Modele, Corps_Modele) VALUES ('Essai', '%1')")
                          .arg(QString(corps).replace(QLatin1Char('\''), QStringLiteral("''"))));
        return QString::number(entier(QStringLiteral("SELECT max(Numero_Modele) FROM Modele")));
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
        QCOMPARE(d.messages[0].texte, QStringLiteral("Attention ! Vous n'avez pas sélectionné de modèle de lettre."));
        QCOMPARE(d.messages[1].texte, QStringLiteral("Attention ! Vous n'avez pas sélectionné de destinataire."));
        for (const auto& m : d.messages) {
            QCOMPARE(m.titre, QStringLiteral("Erreur"));
            QCOMPARE(m.icone, Icone::Exclamation);
            QCOMPARE(m.boutons, Boutons::Ok);
        }
        QCOMPARE(txtText.toPlainText(), QStringLiteral("ancienne lettre"));
    }

    void lettreIndividuelleDepuisUnModele()
    {
        BancEssai banc;
        SaisieLettre s = saisie();
        s.idModeleCourant = creerModele(
            banc.base,
            QStringLiteral(
                "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\fs20 Cher <NomDest>, \\'e0 <TitreDest>.\\par}"));
        RichTextBox txtText;
        txtText.setPlainText(QStringLiteral("modifications de l'utilisateur"));
        QVERIFY(dansLaZone(ComposerLettreIndividuelle(s), txtText));
        QVERIFY(banc.dialogues.messages.isEmpty());

        const QStringList p = paragraphes(txtText);
        QCOMPARE(p.value(0), QStringLiteral("M. Martin Jean "));
        QCOMPARE(p.value(1), QStringLiteral("Gérant "));
        QCOMPARE(p.value(2), QStringLiteral("Bât. {A} "));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tMadame Durand  ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tC:\\dossier ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tLe 7 décembre 2026 ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tÀ Lyon ")));
        QVERIFY(txtText.toPlainText().contains(QStringLiteral("Cher Durand, à Madame.")));
        QVERIFY(p.contains(QStringLiteral("Veuillez agréer, Madame, mes salutations. ")));
        QCOMPARE(p.last(), QStringLiteral("\t\t\t\t\t\t\tJean Martin"));
        QVERIFY(!txtText.toPlainText().contains(QStringLiteral("modifications")));

        // The letter and the body are set at 11 points.
        for (QTextBlock b = txtText.document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                QCOMPARE(it.fragment().charFormat().fontPointSize(), 11.0);
    }

    void modeleDisparuLaisseLaLettre()
    {
        BancEssai banc;
        SaisieLettre s = saisie();
        s.idModeleCourant = QStringLiteral("999");
        RichTextBox txtText;
        txtText.setPlainText(QStringLiteral("lettre"));
        QVERIFY_THROWS_EXCEPTION(ErreurBase, dansLaZone(ComposerLettreIndividuelle(s), txtText));
        QCOMPARE(txtText.toPlainText(), QStringLiteral("lettre"));
    }

    void lettreEnNombrePuisPersonnalisee()
    {
        BancEssai banc;
        banc.base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, Prenom_Destinataire, "
            "Adresse1_Destinataire, Adresse2_Destinataire, CP_Destinataire, Ville_Destinataire, Fonction_Destinataire) VALUES "
            "(1, 'Maître', 'Roux', 'Paul', '1 rue {x}', NULL, '75001', 'Paris', NULL), "
            "(2, 'Madame', 'Blanc', NULL, '2 av.', 'BP 3', NULL, 'Nantes', 'Notaire')"));
        SaisieLettre s = saisie();
        s.depuisModele = false;
        RichTextBox txtText;
        QVERIFY(dansLaZone(ComposerLettreEnNombre(s), txtText));
        QVERIFY(txtText.toPlainText().contains(QStringLiteral("\t<TitreDest> <NomDest> <PrenomDest> ")));
        QVERIFY(txtText.toPlainText().contains(QStringLiteral("Veuillez agréer, <TitreDest>, mes salutations.")));

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
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\tMaître Roux  ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\t1 rue {x} ")));
        QVERIFY(p.contains(QStringLiteral("\t\t\t\t\t\t\t75001 Paris ")));
        QVERIFY(p.contains(QStringLiteral("Important : Maître, ")));
        QVERIFY(p.contains(QStringLiteral("Veuillez agréer, Maître, mes salutations. ")));
        QCOMPARE(txtText.toPlainText(), lettreEnNombre);

        personnalisee.setTextRTF(TextePersonnalise(txtText.TextRTF(), lireDestinataire(2)));
        p = paragraphes(personnalisee);
        const auto i = p.indexOf(QStringLiteral("\t\t\t\t\t\t\tMadame Blanc  "));
        QVERIFY(i > 0);
        QCOMPARE(p.mid(i + 1, 3),
                 (QStringList{QStringLiteral("\t\t\t\t\t\t\t2 av. "), QStringLiteral("\t\t\t\t\t\t\tBP 3 "),
                              QStringLiteral("\t\t\t\t\t\t\t Nantes ")}));
        QVERIFY(!personnalisee.toPlainText().contains(QStringLiteral("Notaire"))); // its placeholder was deleted
        QVERIFY(!personnalisee.toPlainText().contains(QLatin1Char('<')));
    }
};

QTEST_MAIN(TestCompositionLettre)
#include "tst_compositionlettre.moc"
