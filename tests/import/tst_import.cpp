// Import of the organiser's people into the recipients.
#include "app/mdgeneral.h"
#include "import/frmimport.h"
#include "import/organiseur.h"

#include "platform/connexion.h"
#include "platform/erreurbase.h"
#include "platform/recordset.h"
#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QtTest>

namespace {

// An organiser installation folder holding Save/Tilvo.mdb.
class Organiseur {
public:
    Organiseur()
    {
        QDir(m_dossier.path()).mkdir(QStringLiteral("Save"));
        executer(QStringLiteral(
            "CREATE TABLE Personne (Num_Personne INTEGER, Nom_Personne TEXT, Prenom_Personne TEXT,"
            " Adresse1_Personne TEXT, Adresse2_Personne TEXT, CP_Personne TEXT, Ville_Personne TEXT, Tel_Personne TEXT);"
            "CREATE TABLE Mail (Num_Mail INTEGER PRIMARY KEY, Num_Personne INTEGER, Adresse_Mail TEXT);"
            "INSERT INTO Personne VALUES (7, 'Dupont', 'Marie', '1 rue A', 'Bât. 2', '69001', 'Lyon', '04');"
            "INSERT INTO Personne VALUES (3, 'Lefèvre', 'Paul', '2 rue B', NULL, NULL, 'Paris', NULL);"
            "INSERT INTO Personne VALUES (5, NULL, NULL, NULL, NULL, NULL, NULL, NULL);"
            "INSERT INTO Mail VALUES (1, 7, 'marie@premier.fr');"
            "INSERT INTO Mail VALUES (2, 7, 'marie@second.fr');"
            "INSERT INTO Mail VALUES (3, 5, NULL);"));
    }
    void executer(const QString& sql) const { executerSurFichier(CheminBaseOrganiseur(dossier()), sql); }
    QString dossier() const { return m_dossier.path(); }
    QByteArray empreinte() const
    {
        QFile f(CheminBaseOrganiseur(dossier()));
        f.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }
    QStringList fichiersSave() const { return QDir(dossier() + QStringLiteral("/Save")).entryList(QDir::Files); }

private:
    QTemporaryDir m_dossier;
};

// Every recipient as "nom|prenom|adr1|adr2|cp|ville|titre|fonction|mail", null shown as "NULL".
QStringList destinataires()
{
    QStringList lignes;
    QSqlQuery q(cnLettre().base());
    q.exec(QStringLiteral(
        "SELECT Nom_Destinataire, Prenom_Destinataire, Adresse1_Destinataire, Adresse2_Destinataire,"
        " CP_Destinataire, Ville_Destinataire, Titre_Destinataire, Fonction_Destinataire, Mail_Destinataire"
        " FROM Destinataire ORDER BY Numero_Destinataire"));
    while (q.next()) {
        QStringList champs;
        for (int i = 0; i < 9; ++i)
            champs << (q.isNull(i) ? QStringLiteral("NULL") : q.value(i).toString());
        lignes << champs.join(QLatin1Char('|'));
    }
    return lignes;
}

const QString kDupont = QStringLiteral("Dupont|Marie|1 rue A|Bât. 2|69001|Lyon|||marie@premier.fr");
const QString kLefevre = QStringLiteral("Lefèvre|Paul|2 rue B|||Paris|||");

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private:
    QTreeWidget* liste(FrmImport& f) { return f.findChild<QTreeWidget*>(QStringLiteral("lsvContact")); }
    void cliquer(FrmImport& f, const char* nom) { f.findChild<QPushButton*>(QLatin1String(nom))->click(); }
    void cocher(FrmImport& f, int ligne) { liste(f)->topLevelItem(ligne)->setCheckState(0, Qt::Checked); }

private slots:
    void lectureSeuleRefuseLesEcritures()
    {
        Organiseur org;
        const QByteArray avant = org.empreinte();
        Connexion c(QStringLiteral("essai-lecture-seule"));
        c.ouvrir(CheminBaseOrganiseur(org.dossier()), Connexion::Acces::LectureSeule);
        Recordset rs(c);
        rs.open(QStringLiteral("SELECT * From Personne"));
        QCOMPARE(rs.text(QStringLiteral("Nom_Personne")), QStringLiteral("Dupont"));
        rs.close();
        QSqlQuery q(c.base());
        QVERIFY(!q.exec(QStringLiteral("UPDATE Personne SET Nom_Personne = 'X'")));
        QVERIFY(q.lastError().databaseText().contains(QStringLiteral("readonly")));
        c.fermer();
        QCOMPARE(org.empreinte(), avant);
    }

    void parcourirDeuxFoisPuisImporterDeuxFois()
    {
        BaseTemporaire base;
        Organiseur org;
        const QByteArray avant = org.empreinte();
        auto& d = installerDialoguesScriptes();
        FrmImport f;
        QCOMPARE(f.objectName(), QStringLiteral("FrmImport"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Importation des contacts de Tilvo - Organiseur"));
        QSignalSpy importes(&f, &FrmImport::contactsImportes);

        d.textes << org.dossier() << org.dossier();
        cliquer(f, "cmdParcourir");
        cliquer(f, "cmdParcourir");
        QCOMPARE(d.demandes,
                 (QStringList{QStringLiteral("dossier: Ouvrir Dossier"), QStringLiteral("dossier: Ouvrir Dossier")}));
        QCOMPARE(f.findChild<QLineEdit*>(QStringLiteral("txtChemin"))->text(), org.dossier());
        QTreeWidget* lsv = liste(f);
        QCOMPARE(lsv->topLevelItemCount(), 3);
        QCOMPARE(lsv->headerItem()->text(0), QStringLiteral("Nom"));
        QCOMPARE(lsv->headerItem()->text(1), QStringLiteral("Prénom"));
        QVERIFY(lsv->isColumnHidden(2));
        QCOMPARE(lsv->topLevelItem(1)->text(0), QStringLiteral("Lefèvre"));
        QCOMPARE(lsv->topLevelItem(1)->text(2), QStringLiteral("3"));
        QCOMPARE(lsv->topLevelItem(2)->text(0), QString());
        QCOMPARE(lsv->topLevelItem(0)->checkState(0), Qt::Unchecked);

        cocher(f, 0);
        cocher(f, 1);
        cliquer(f, "cmdImporter");
        QCOMPARE(destinataires(), (QStringList{kDupont, kLefevre}));
        QCOMPARE(importes.size(), 1);
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].texte, QStringLiteral("Importation terminée."));
        QCOMPARE(d.messages[0].titre, QStringLiteral("Confirmation"));
        QCOMPARE(d.messages[0].icone, Icone::Information);

        cliquer(f, "cmdImporter"); // ticks stay: the same people once more
        QCOMPARE(destinataires(), (QStringList{kDupont, kLefevre, kDupont, kLefevre}));
        QCOMPARE(importes.size(), 2);

        // A person with no value at all: name and e-mail copied as stored.
        lsv->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        lsv->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        cocher(f, 2);
        cliquer(f, "cmdImporter");
        QCOMPARE(destinataires().last(), QStringLiteral("NULL|NULL|||||||NULL"));

        QCOMPARE(org.empreinte(), avant);
        QCOMPARE(org.fichiersSave(), QStringList{QStringLiteral("Tilvo.mdb")});
    }

    void organiseurProposeACoteDesDonnees()
    {
        BaseTemporaire base;
        Organiseur org;
        installerDialoguesScriptes();
        mdGeneral::DefinirDossierApplication(org.dossier()); // both programs in one folder
        FrmImport f;
        QCOMPARE(f.findChild<QLineEdit*>(QStringLiteral("txtChemin"))->text(), org.dossier());
        QCOMPARE(liste(f)->topLevelItemCount(), 3);
    }

    void dossierTapeSansParcourir()
    {
        BaseTemporaire base;
        Organiseur org;
        auto& d = installerDialoguesScriptes();
        FrmImport f;
        f.findChild<QLineEdit*>(QStringLiteral("txtChemin"))->setText(org.dossier());
        cliquer(f, "cmdImporter");
        QCOMPARE(liste(f)->topLevelItemCount(), 0);
        QVERIFY(destinataires().isEmpty());
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].texte, QStringLiteral("Importation terminée."));
    }

    void echecsSignalesSansRienPerdre()
    {
        BaseTemporaire base;
        auto& d = installerDialoguesScriptes();
        FrmImport f;
        QSignalSpy importes(&f, &FrmImport::contactsImportes);
        QTemporaryDir vide;

        // No organiser database in the chosen folder.
        d.textes << vide.path();
        cliquer(f, "cmdParcourir");
        QCOMPARE(liste(f)->topLevelItemCount(), 0);
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY(d.messages[0].texte.contains(CheminBaseOrganiseur(vide.path())));

        // Cancelling the folder dialog changes nothing.
        Organiseur org;
        d.textes << org.dossier();
        cliquer(f, "cmdParcourir");
        cliquer(f, "cmdParcourir");
        QCOMPARE(liste(f)->topLevelItemCount(), 3);

        // The second ticked person disappeared from the organiser meanwhile.
        org.executer(QStringLiteral("DELETE FROM Personne WHERE Num_Personne = 3"));
        cocher(f, 0);
        cocher(f, 1);
        cocher(f, 2);
        cliquer(f, "cmdImporter");
        QCOMPARE(destinataires(), QStringList{kDupont});
        QCOMPARE(importes.size(), 1);
        QCOMPARE(d.messages.size(), 2);
        QCOMPARE(d.messages[1].titre, QStringLiteral("Erreur"));
        QVERIFY(d.messages[1].texte.contains(QStringLiteral("n° 3 n'existe plus")));
        QVERIFY(d.messages[1].texte.contains(QStringLiteral("Contacts importés avant l'interruption : 1.")));
    }

    void exactementLesLignesCocheesQuelsQueSoientLeursNumeros()
    {
        BaseTemporaire base;
        Organiseur org;
        org.executer(QStringLiteral("INSERT INTO Personne VALUES (1, 'Un', '', '', '', '', '', ''),"
                                    " ('2 OR 1=1', 'Injection', '', '', '', '', '', ''),"
                                    " ('1; DROP TABLE Personne', 'Point-virgule', '', '', '', '', '', ''),"
                                    " (7, 'Homonyme', 'Jean', '', '', '', 'Nice', '');"));
        const QByteArray avant = org.empreinte();
        auto& d = installerDialoguesScriptes();
        FrmImport f;
        d.textes << org.dossier();
        cliquer(f, "cmdParcourir");
        QTreeWidget* lsv = liste(f);
        QCOMPARE(lsv->topLevelItemCount(), 7);

        cliquer(f, "cmdToutCocher");
        for (int i = 0; i < lsv->topLevelItemCount(); ++i)
            QCOMPARE(lsv->topLevelItem(i)->checkState(0), Qt::Checked);
        cliquer(f, "cmdToutDecocher");
        for (int i = 0; i < lsv->topLevelItemCount(); ++i)
            QCOMPARE(lsv->topLevelItem(i)->checkState(0), Qt::Unchecked);

        cocher(f, 4); // '2 OR 1=1'
        cocher(f, 5); // '1; DROP TABLE Personne'
        cocher(f, 6); // the second person numbered 7
        cliquer(f, "cmdImporter");
        QCOMPARE(destinataires(),
                 (QStringList{QStringLiteral("Injection||||||||"), QStringLiteral("Point-virgule||||||||"),
                              QStringLiteral("Homonyme|Jean||||Nice|||marie@premier.fr")}));
        QCOMPARE(org.empreinte(), avant);
    }

    void ecritureRefuseeSignalee()
    {
        BaseTemporaire base;
        Organiseur org;
        base.executer(QStringLiteral("CREATE TRIGGER refus BEFORE INSERT ON Destinataire "
                                     "BEGIN SELECT RAISE(ABORT, 'disque plein'); END"));
        const BilanImport bilan = ImporterContacts(org.dossier(), LireContactsOrganiseur(org.dossier()).mid(0, 1));
        QCOMPARE(bilan.importes, 0);
        QVERIFY(bilan.erreur.contains(QStringLiteral("disque plein")));
        QVERIFY(destinataires().isEmpty());
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
