// The contact import window: preview, duplicates left unticked, column
// choice, the import and its end message, a reading cancelled, an export
// of the selection.
#include "app/frmaccueil.h"
#include "import/frmcontacts.h"
#include "import/modeleapercu.h"
#include "platform/fenetres.h"
#include "store/destinataires.h"
#include "support/banc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

namespace {

QString ecrire(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
        return {};
    return chemin;
}

void cliquer(const QWidget& fenetre, const char* nom)
{
    fenetre.findChild<QPushButton*>(QLatin1String(nom))->click();
}

} // namespace

class TestFrmContacts : public QObject {
    Q_OBJECT

private slots:
    void importer()
    {
        BancEssai banc;
        ecrireDestinataire(
            kAucunEnregistrement,
            {{}, QStringLiteral("Dupont"), QStringLiteral("Jean"), {}, {}, QStringLiteral("69001"), {}, {}, {}});
        banc.dialogues.textes << ecrire(
            banc.base.dossier() + QStringLiteral("/membres.csv"),
            "Nom;Surnom;CP\nDUPONT;Jérôme;69001\nDUPONT;Jean;69001\nMartin;Zoé;75001\n;;\"\n");
        FrmContacts fenetre;
        QSignalSpy importes(&fenetre, &FrmContacts::contactsImportes);
        cliquer(fenetre, "cmdParcourir");
        auto* apercu = static_cast<ModeleApercu*>(fenetre.findChild<QTreeView*>(QStringLiteral("lsvApercu"))->model());
        QCOMPARE(apercu->rowCount(), 4);

        // "Surnom" is the first name: choosing it makes row 2 a duplicate.
        auto* colonne = fenetre.findChild<QComboBox*>(QStringLiteral("cboColonne1"));
        colonne->setCurrentIndex(colonne->findText(QStringLiteral("Prénom")));
        QCOMPARE(apercu->index(1, ModeleApercu::Etat).data().toString(), QStringLiteral("déjà présent"));
        QCOMPARE(apercu->index(1, ModeleApercu::Ligne).data(Qt::CheckStateRole), QVariant(Qt::Unchecked));
        QCOMPARE(apercu->index(0, ModeleApercu::Ligne).data(Qt::CheckStateRole), QVariant(Qt::Checked));
        QCOMPARE(apercu->index(3, ModeleApercu::Etat).data().toString(),
                 QStringLiteral("illisible : guillemet non fermé"));

        cliquer(fenetre, "cmdImporter");
        QCOMPARE(banc.dialogues.messages.last().texte,
                 QStringLiteral(
                     "Importation terminée : 2 contacts importés, 1 doublon ignoré, 1 illisible (ligne 5)."));
        QCOMPARE(importes.size(), 1);
        QCOMPARE(tousLesDestinataires().size(), std::size_t(3));
        QCOMPARE(apercu->index(0, ModeleApercu::Etat).data().toString(), QStringLiteral("déjà présent"));
    }

    // A large file shows its progress; "Annuler" leaves an empty preview
    // and no message.
    void lectureAnnulee()
    {
        BancEssai banc;
        banc.dialogues.arreterApres = 0;
        QByteArray octets("Nom\n");
        while (octets.size() <= kTailleProgression)
            octets += "Dupont\n";
        FrmContacts fenetre;
        fenetre.chargerFichier(ecrire(banc.base.dossier() + QStringLiteral("/gros.csv"), octets));
        QCOMPARE(banc.dialogues.progressions.first(), QStringLiteral("début: Lecture de « gros.csv » (1000)"));
        QCOMPARE(banc.dialogues.progressions.last(), QStringLiteral("fin"));
        QVERIFY(banc.dialogues.messages.isEmpty());
        QCOMPARE(fenetre.findChild<QTreeView*>(QStringLiteral("lsvApercu"))->model()->rowCount(), 0);
    }

    // From the main window: the recipients list takes the imported contacts
    // in, and the export takes the recipients selected there.
    void depuisLaFenetrePrincipale()
    {
        BancEssai banc;
        ecrireDestinataire(kAucunEnregistrement, {{}, QStringLiteral("Arnaud"), {}, {}, {}, {}, {}, {}, {}});
        FrmAccueil accueil;
        accueil.findChild<QToolButton*>(QStringLiteral("cmdImportContacts"))->click();
        auto* fenetre = qobject_cast<FrmContacts*>(fenetreOuverte(QStringLiteral("FrmContacts")));
        QVERIFY(fenetre);
        fenetre->chargerFichier(
            ecrire(banc.base.dossier() + QStringLiteral("/a.vcf"), "BEGIN:VCARD\nN:Bastide;Zoé;;;\nEND:VCARD\n"));
        cliquer(*fenetre, "cmdImporter");
        auto* liste = accueil.findChild<QTreeView*>(QStringLiteral("lsvDest"));
        QCOMPARE(liste->model()->rowCount(), 2);

        liste->selectionModel()->select(liste->model()->index(1, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        fenetre->findChild<QCheckBox*>(QStringLiteral("chkSelection"))->setChecked(true);
        const QString chemin = banc.base.dossier() + QStringLiteral("/choisis.csv");
        banc.dialogues.textes << chemin;
        cliquer(*fenetre, "cmdExporter");
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString texte = QString::fromUtf8(f.readAll());
        QVERIFY2(texte.contains(QStringLiteral("Bastide;Zoé")) && !texte.contains(QStringLiteral("Arnaud")),
                 qPrintable(texte));
        fenetre->close();
    }

    void exporterLaSelection()
    {
        BancEssai banc;
        ecrireDestinataire(kAucunEnregistrement, {{}, QStringLiteral("Arnaud"), {}, {}, {}, {}, {}, {}, {}});
        const RecordId choisi = ecrireDestinataire(kAucunEnregistrement,
                                                   {{}, QStringLiteral("Bastide"), {}, {}, {}, {}, {}, {}, {}});
        const QString chemin = banc.base.dossier() + QStringLiteral("/choisis.csv");
        banc.dialogues.textes << chemin;
        FrmContacts fenetre([choisi] { return QList<RecordId>{choisi}; });
        fenetre.findChild<QCheckBox*>(QStringLiteral("chkSelection"))->setChecked(true);
        cliquer(fenetre, "cmdExporter");
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString texte = QString::fromUtf8(f.readAll());
        QVERIFY(texte.contains(QStringLiteral("Bastide")));
        QVERIFY(!texte.contains(QStringLiteral("Arnaud")));
    }
};

QTEST_MAIN(TestFrmContacts)
#include "tst_frmcontacts.moc"
