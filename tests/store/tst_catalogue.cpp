// The delivered catalogue: loaded as the build loads it, then checked the way
// a user meets it (lists in French order, no empty sub-category, working
// sheet links, bodies that read cleanly and compose into letters).

#include "output/composition.h"
#include "output/impressionlettre.h"
#include "output/impressionrtf.h"
#include "platform/collationfrancaise.h"
#include "platform/connexion.h"
#include "platform/imprimante.h"
#include "platform/recordset.h"
#include "richtext/richtextbox.h"
#include "richtext/rtf/rtf.h"
#include "store/requetes.h"
#include "support/basetemporaire.h"
#include "support/pdfmots.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

namespace {

const QString kCatalogue = QStringLiteral(TILVO_SOURCE_DIR "/store/catalogue");

struct Modele {
    QString id, libelle, corps, fiche;
};

bool enOrdreFrancais(const QStringList& libelles)
{
    for (int i = 1; i < libelles.size(); ++i) {
        if (comparerFrancais(libelles[i - 1], libelles[i]) > 0)
            return false;
    }
    return true;
}

QString texteDe(const QString& rtfTexte)
{
    QTextDocument document;
    rtf::lireRtf(rtfTexte, document);
    return document.toPlainText();
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_base = std::make_unique<BaseTemporaire>(BaseTemporaire::Contenu::Catalogue); }

    void cleanupTestCase() { m_base.reset(); }

    void listesCompletesEtEnOrdreFrancais()
    {
        const QStringList categories = colonne(requetes::listeCategories(), QStringLiteral("Libelle_Cat_Modele"));
        QVERIFY(categories.size() >= 8);
        QVERIFY(enOrdreFrancais(categories));
        int sousCategories = 0;
        int modeles = 0;
        for (const QString& libelle : categories) {
            Recordset cat;
            cat.open(requetes::categorieParLibelle(libelle));
            QVERIFY2(!cat.eof(), qPrintable(libelle));
            const RecordId idCat = cat.value(QStringLiteral("Numero_Cat_Modele")).toInt();
            const QStringList sous = colonne(requetes::sousCategories(idCat),
                                             QStringLiteral("Libelle_Sous_Cat_Modele"));
            QVERIFY2(!sous.isEmpty(), qPrintable(libelle));
            QVERIFY2(enOrdreFrancais(sous), qPrintable(libelle));
            for (const QString& s : sous) {
                Recordset sc;
                sc.open(requetes::sousCategorieParLibelle(idCat, s));
                QVERIFY2(!sc.eof(), qPrintable(s));
                const RecordId idSous = sc.value(QStringLiteral("Numero_Sous_Cat_Modele")).toInt();
                const QStringList libelles = colonne(requetes::modelesDeSousCategorie(idSous),
                                                     QStringLiteral("Libelle_Modele"));
                QVERIFY2(!libelles.isEmpty(), qPrintable(s));
                QVERIFY2(enOrdreFrancais(libelles), qPrintable(s));
                QCOMPARE(QSet<QString>(libelles.begin(), libelles.end()).size(), libelles.size());
                modeles += libelles.size();
            }
            sousCategories += sous.size();
        }
        QVERIFY(sousCategories >= 20);
        QVERIFY(modeles >= 40);
    }

    void fichesPresentes()
    {
        int fiches = 0;
        Recordset rs;
        rs.open(requetes::tousModeles());
        for (; !rs.eof(); rs.moveNext()) {
            const QString lien = rs.text(QStringLiteral("Lien_Fiche_Modele"));
            if (lien.isEmpty())
                continue;
            ++fiches;
            QVERIFY2(lien.startsWith(QLatin1String("Save/fiches/")), qPrintable(lien));
            QVERIFY2(QFile::exists(kCatalogue + QStringLiteral("/fiches/") + lien.mid(12)), qPrintable(lien));
        }
        QVERIFY(fiches >= 10);
    }

    void corpsLisiblesEtComposables()
    {
        SaisieLettre saisie;
        saisie.titreExp = QStringLiteral("Madame");
        saisie.nomExp = QStringLiteral("Lefèvre");
        saisie.prenomExp = QStringLiteral("Hélène");
        saisie.titreDest = QStringLiteral("Monsieur");
        saisie.nomDest = QStringLiteral("Durand");
        saisie.formuleLettre = QStringLiteral(
            "Veuillez agréer, <TitreDest>, l'expression de ma considération distinguée.");

        Recordset rs;
        rs.open(requetes::tousModeles());
        int lus = 0;
        for (; !rs.eof(); rs.moveNext(), ++lus) {
            const QString libelle = rs.text(QStringLiteral("Libelle_Modele"));
            const QString corps = rs.text(QStringLiteral("Corps_Modele"));
            QTextDocument document;
            QString erreur;
            QVERIFY2(rtf::lireRtf(corps, document, &erreur), qPrintable(libelle + QStringLiteral(" : ") + erreur));
            const QString texte = document.toPlainText().trimmed();
            QVERIFY2(texte.size() > 200, qPrintable(libelle));
            // Nothing of the RTF syntax shows through as text.
            QVERIFY2(!texte.contains(QLatin1Char('\\')) && !texte.contains(QLatin1Char('{'))
                         && !texte.contains(QLatin1Char('}')),
                     qPrintable(libelle));
            // The body stands whole inside the composed letter, in both modes.
            const QString premiereLigne = texte.section(QLatin1Char('\n'), 0, 0).left(40);
            const QString individuelle = texteDe(TexteLettreIndividuelle(saisie, corps));
            QVERIFY2(individuelle.contains(premiereLigne), qPrintable(libelle));
            QVERIFY2(!individuelle.contains(QStringLiteral("<TitreDest>")), qPrintable(libelle));
            const QString enNombre = texteDe(TexteLettreEnNombre(saisie, corps));
            QVERIFY2(enNombre.contains(premiereLigne), qPrintable(libelle));
        }
        QVERIFY(lus >= 40);
    }

    void chaqueLettreTientSurUneOuDeuxPages()
    {
        QTemporaryDir papier;
        auto* imprimante = new ImprimantePdf(papier.path());
        installerImprimantes(imprimante);
        SaisieLettre saisie;
        saisie.titreExp = QStringLiteral("Madame");
        saisie.nomExp = QStringLiteral("Lefèvre");
        saisie.prenomExp = QStringLiteral("Hélène");
        saisie.adresse1Exp = QStringLiteral("12 avenue des Tilleuls");
        saisie.adresse2Exp = QStringLiteral("Bâtiment B");
        saisie.cpExp = QStringLiteral("69003");
        saisie.villeExp = QStringLiteral("Lyon");
        saisie.tel1Exp = QStringLiteral("04 78 00 00 00");
        saisie.titreDest = QStringLiteral("Monsieur");
        saisie.nomDest = QStringLiteral("Durand");
        saisie.adresse1Dest = QStringLiteral("3 rue des Lilas");
        saisie.cpDest = QStringLiteral("75011");
        saisie.villeDest = QStringLiteral("Paris");
        saisie.dateLettre = QStringLiteral("7 décembre 2026");
        saisie.villeLettre = QStringLiteral("Lyon");
        saisie.objetLettre = QStringLiteral("Demande");
        saisie.pieceLettre = QStringLiteral("copie du contrat");
        saisie.formuleLettre = QStringLiteral(
            "Je vous prie d'agréer, <TitreDest>, l'expression de mes sentiments respectueux et dévoués.");

        RichTextBox lettre;
        QStringList libelles;
        Recordset rs;
        rs.open(requetes::tousModeles());
        for (; !rs.eof(); rs.moveNext()) {
            libelles << rs.text(QStringLiteral("Libelle_Modele"));
            lettre.setTextRTF(TexteLettreIndividuelle(saisie, rs.text(QStringLiteral("Corps_Modele"))));
            const Reussite imprimee = ImprimerRTF(*lettre.document(), kMargeGaucheLettre, kMargeHautLettre,
                                                  kMargeDroiteLettre, kMargeBasLettre);
            QVERIFY2(imprimee.ok(), qPrintable(imprimee.raison()));
        }
        QCOMPARE(imprimante->fichiers().size(), libelles.size());
        for (int i = 0; i < libelles.size(); ++i) {
            const ContenuPdf pdf = lirePdf(imprimante->fichiers()[i]);
            QVERIFY2(pdf.erreur.isEmpty(), qPrintable(pdf.erreur));
            QVERIFY2(pdf.pages.size() >= 1 && pdf.pages.size() <= 2, qPrintable(libelles[i]));
        }
    }

private:
    std::unique_ptr<BaseTemporaire> m_base;
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
