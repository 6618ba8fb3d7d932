// Letters saved as PDF files: drawn as they print, described by their
// metadata, one file per recipient or all in one.
#include "support/pdfmots.h"

#include "output/enregistrementpdf.h"
#include "output/impressionlettre.h"
#include "output/mailpdf.h"
#include "richtext/richtextbox.h"
#include "store/journal.h"
#include "support/banc.h"
#include "support/lettreessai.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString sortieDe(const QString& programme, const QStringList& arguments)
{
    QProcess p;
    p.start(programme, arguments);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A subject made of characters a file name cannot hold.
SaisieLettre saisie()
{
    SaisieLettre s = saisieComplete();
    s.objetLettre = QStringLiteral("Résiliation: contrat n°4/2");
    return s;
}

// A mail program that records each call's arguments in a file of its own,
// and a desktop that says whether it has one.
void faussesCommandes(const QString& dossier, bool messagerie)
{
    const auto ecrire = [&](const QString& nom, const QByteArray& script) {
        QFile f(QDir(dossier).filePath(nom));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(script);
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeUser);
    };
    ecrire(QStringLiteral("xdg-email"),
           "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$0.$$\"\n"
           "mv \"$0.$$\" \"$0.appel-$$\"\n");
    ecrire(QStringLiteral("xdg-mime"), messagerie ? "#!/bin/sh\necho thunderbird.desktop\n" : "#!/bin/sh\n");
    qputenv("PATH", dossier.toLocal8Bit() + ':' + qgetenv("PATH"));
}

// The journal's entries of one channel, oldest first, as "town:pages".
QStringList envois(const QString& canal)
{
    QStringList liste;
    for (const EntreeJournal& e : lireJournal()) {
        if (e.canal == canal)
            liste.prepend(QStringLiteral("%1:%2").arg(e.destinataire.ville).arg(e.pages));
    }
    return liste;
}

QList<QStringList> appels(const QString& dossier)
{
    QList<QStringList> liste;
    for (const QString& nom : QDir(dossier).entryList({QStringLiteral("xdg-email.appel-*")}, QDir::Files)) {
        QFile f(QDir(dossier).filePath(nom));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        QStringList arguments = QString::fromUtf8(f.readAll()).split(QChar(0));
        arguments.removeLast();
        liste << arguments;
    }
    return liste;
}

} // namespace

class TestLettrePdf : public QObject {
    Q_OBJECT

private:
    std::optional<BancEssai> m_banc;
    std::unique_ptr<RichTextBox> m_txtText;

private slots:
    void init()
    {
        m_banc.emplace();
        m_txtText = std::make_unique<RichTextBox>();
    }

    void cleanup() { m_banc.reset(); }

    // The saved letter is the printed letter: every word at the same place
    // on the sheet (the printer's own margins do not move it), in an
    // embedded font, under the name, title, author and creator expected.
    void commeImprimee()
    {
        ImprimanteEssai& imprimante = m_banc->imprimante(QPageSize(QPageSize::A4), QMarginsF(4, 4, 4, 4));
        m_txtText->setTextRTF(TexteLettreIndividuelle(saisie(), QString()));
        ImprimerLettre({true, {}}, *m_txtText->document());
        const QString chemin = QDir(m_banc->dossierPapier()).filePath(QStringLiteral("lettre.pdf"));
        m_banc->dialogues.textes << chemin;
        EnregistrerLettrePdf({true, {}, saisie(), false, QStringLiteral("2026-12-08")}, *m_txtText->document());

        QCOMPARE(m_banc->dialogues.demandes.last(),
                 QStringLiteral("enregistrer: Enregistrer la lettre en PDF|Documents PDF (*.pdf)|"
                                "2026-12-08 - Durand Claire - Résiliation_ contrat n°4_2.pdf"));
        QCOMPARE(envois(canal::impression), QStringList{QStringLiteral(":1")});
        QCOMPARE(envois(canal::pdf), QStringList{QStringLiteral(":1")});
        QVERIFY(texteEnvoye(lireJournal().value(0).numero).contains(QStringLiteral("Durand")));
        const ContenuPdf imprime = lirePdf(imprimante.fichiers().value(0));
        const ContenuPdf enregistre = lirePdf(chemin);
        QVERIFY2(enregistre.erreur.isEmpty(), qPrintable(enregistre.erreur));
        QCOMPARE(enregistre.mots.size(), imprime.mots.size());
        for (qsizetype i = 0; i < imprime.mots.size(); ++i) {
            QCOMPARE(enregistre.mots[i].texte, imprime.mots[i].texte);
            QVERIFY2((enregistre.mots[i].boite.topLeft() - imprime.mots[i].boite.topLeft()).manhattanLength() < 0.01,
                     qPrintable(imprime.mots[i].texte));
        }
        const QString infos = sortieDe(QStringLiteral("pdfinfo"), {chemin});
        QVERIFY2(infos.contains(QStringLiteral("Title:           Résiliation: contrat n°4/2\n"))
                     && infos.contains(QStringLiteral("Author:          Jean Martin\n"))
                     && infos.contains(QStringLiteral("Creator:         Tilvo - Lettres ")),
                 qPrintable(infos));
        const QStringList polices = sortieDe(QStringLiteral("pdffonts"), {chemin})
                                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(polices.size() > 2);
        const qsizetype colonne = polices[0].indexOf(QLatin1String(" emb ")) + 1;
        for (const QString& police : polices.mid(2))
            QVERIFY2(police.mid(colonne, 3) == QLatin1String("yes"), qPrintable(police));
    }

    // Mass letters: one file per recipient (homonyms apart, nothing replaced
    // without a question), or all in one archive file; a stopped run leaves
    // no file behind. The journal holds one entry per letter written, with
    // its pages, and no other.
    void enNombre()
    {
        m_banc->base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, Prenom_Destinataire, "
            "Adresse1_Destinataire, CP_Destinataire, Ville_Destinataire) VALUES "
            "(1, 'Madame', 'Dupont', 'Jeanne', '1 rue Une', '10000', 'Troyes'),"
            "(2, 'Madame', 'Dupont', 'Jeanne', '2 quai Sud', '13002', 'Marseille'),"
            "(3, 'Monsieur', 'Evrard', 'Luc', '3 cours Est', '33000', 'Bordeaux')"));
        m_txtText->setTextRTF(TexteLettreEnNombre(saisie(), QString()));
        const SaisiePdf enNombre{false, {1, 2, 3}, saisie(), true, QStringLiteral("2026-12-08")};
        const QString dossier = QDir(m_banc->dossierPapier()).filePath(QStringLiteral("lettres"));
        QVERIFY(QDir().mkpath(dossier));

        m_banc->dialogues.reponses << Reponse::Oui;
        m_banc->dialogues.textes << dossier;
        EnregistrerLettrePdf(enNombre, *m_txtText->document());
        const QStringList fichiers = QDir(dossier).entryList(QDir::Files, QDir::Name);
        QCOMPARE(fichiers,
                 (QStringList{QStringLiteral("2026-12-08 - Dupont Jeanne - Résiliation_ contrat n°4_2 (2).pdf"),
                              QStringLiteral("2026-12-08 - Dupont Jeanne - Résiliation_ contrat n°4_2.pdf"),
                              QStringLiteral("2026-12-08 - Evrard Luc - Résiliation_ contrat n°4_2.pdf")}));
        QVERIFY(lirePdf(QDir(dossier).filePath(fichiers[0])).texte(0).contains(QStringLiteral("Marseille")));
        QVERIFY(lirePdf(QDir(dossier).filePath(fichiers[1])).texte(0).contains(QStringLiteral("Troyes")));
        const QStringList troisLettres{QStringLiteral("Troyes:1"), QStringLiteral("Marseille:1"),
                                       QStringLiteral("Bordeaux:1")};
        QCOMPARE(envois(canal::pdf), troisLettres);

        m_banc->dialogues.messages.clear();
        m_banc->dialogues.reponses << Reponse::Oui << Reponse::Non;
        m_banc->dialogues.textes << dossier;
        QFile::remove(QDir(dossier).filePath(fichiers[2]));
        EnregistrerLettrePdf(enNombre, *m_txtText->document());
        QCOMPARE(m_banc->dialogues.messages.value(1).texte,
                 QStringLiteral("2 fichier(s) de ce dossier portent déjà le nom d'une de ces lettres. "
                                "Voulez-vous les remplacer ?"));
        QCOMPARE(QDir(dossier).entryList(QDir::Files).size(), 2);

        const QString tous = QDir(m_banc->dossierPapier()).filePath(QStringLiteral("tous.pdf"));
        m_banc->dialogues.reponses << Reponse::Non;
        m_banc->dialogues.textes << tous;
        m_banc->dialogues.arreterApres = 2;
        EnregistrerLettrePdf(enNombre, *m_txtText->document());
        QVERIFY(!QFile::exists(tous));
        QVERIFY(QDir(m_banc->dossierPapier()).entryList(QDir::Files).isEmpty());
        QCOMPARE(envois(canal::pdf), troisLettres);

        m_banc->dialogues.reponses << Reponse::Non;
        m_banc->dialogues.textes << tous;
        m_banc->dialogues.arreterApres = -1;
        EnregistrerLettrePdf(enNombre, *m_txtText->document());
        const ContenuPdf pdf = lirePdf(tous);
        QCOMPARE(pdf.pages.size(), 3);
        QCOMPARE(envois(canal::pdf), troisLettres + troisLettres);
        QVERIFY(pdf.texte(2).contains(QStringLiteral("Bordeaux")));
        const QString infos = sortieDe(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), tous});
        QVERIFY2(infos.contains(QStringLiteral("pdfaid:part=\"1\" pdfaid:conformance=\"B\""))
                     && infos.contains(QStringLiteral("<rdf:li>Jean Martin</rdf:li>")),
                 qPrintable(infos));
    }

    // A run stopped midway: the letters under way are finished, and the
    // journal names exactly the recipients whose files are there.
    void enNombreInterrompu()
    {
        QList<RecordId> ids;
        for (int i = 1; i <= 40; ++i) {
            m_banc->base.executer(
                QStringLiteral("INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire, Ville_Destinataire) "
                               "VALUES (%1, 'Nom%1', 'Ville%1')")
                    .arg(i));
            ids << i;
        }
        m_txtText->setTextRTF(TexteLettreEnNombre(saisie(), QString()));
        m_banc->dialogues.reponses << Reponse::Oui;
        m_banc->dialogues.textes << m_banc->dossierPapier();
        m_banc->dialogues.arreterApres = 3;
        EnregistrerLettrePdf({false, ids, saisie(), false, QStringLiteral("2026-12-08")}, *m_txtText->document());

        QStringList villes;
        for (const QString& fichier : QDir(m_banc->dossierPapier()).entryList({QStringLiteral("*.pdf")}, QDir::Files))
            villes << QStringLiteral("Ville") + fichier.section(QStringLiteral(" - "), 1, 1).mid(3).trimmed()
                    + QStringLiteral(":1");
        QVERIFY(villes.size() >= 3 && villes.size() < 40);
        QStringList notees = envois(canal::pdf);
        villes.sort();
        notees.sort();
        QCOMPARE(notees, villes);
        QCOMPARE(m_banc->dialogues.messages.last().texte,
                 QStringLiteral("Enregistrement interrompu : %1 fichier(s) ont été écrits.").arg(villes.size()));
    }

    // The letter reaches the mail program attached, every value one argument
    // that no shell reads; in mass mode one message per recipient with an
    // address, then the others' letters may be printed; with no mail program
    // the folder holding the letter is offered.
    void parMessagerie()
    {
        const QByteArray chemin = qgetenv("PATH");
        QTemporaryDir fausses;
        faussesCommandes(fausses.path(), true);
        BureauEnregistreur& bureau = m_banc->bureau;
        ImprimanteEssai& imprimante = m_banc->imprimante();
        SaisieLettre lettre = saisie();
        lettre.objetLettre = QStringLiteral("L'\"offre\" ; $(touch %1/pris)\n`id` fin").arg(fausses.path());
        m_txtText->setTextRTF(TexteLettreIndividuelle(lettre, QString()));
        const QString adresse = QStringLiteral("claire@exemple.fr");

        EnvoyerLettrePdf({true, adresse, {}, lettre, false, QStringLiteral("2026-12-08")}, *m_txtText->document());
        QTRY_COMPARE(appels(fausses.path()).size(), 1);
        const QStringList argv = appels(fausses.path()).first();
        QCOMPARE(argv.size(), 6);
        QCOMPARE(argv.mid(0, 2), (QStringList{QStringLiteral("--utf8"), QStringLiteral("--attach")}));
        QCOMPARE(argv.mid(3), (QStringList{QStringLiteral("--subject"), lettre.objetLettre, adresse}));
        QVERIFY(lirePdf(argv[2]).texte(0).contains(QStringLiteral("Durand Claire")));
        QVERIFY(!QFile::exists(fausses.filePath(QStringLiteral("pris"))));

        m_banc->base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire, Ville_Destinataire, Mail_Destinataire) VALUES "
            "(1, 'Dupont', 'Troyes', 'a@exemple.fr'), (2, 'Evrard', 'Bordeaux', ''), (3, 'Colin', 'Rennes', 'c@exemple.fr')"));
        m_txtText->setTextRTF(TexteLettreEnNombre(lettre, QString()));
        m_banc->dialogues.reponses << Reponse::Oui << Reponse::Oui << Reponse::Oui;
        EnvoyerLettrePdf({false, {}, {1, 2, 3}, lettre, false, QStringLiteral("2026-12-08")}, *m_txtText->document());
        QVERIFY2(m_banc->dialogues.messages.value(0).texte.startsWith(
                     QStringLiteral("2 message(s) vont s'ouvrir, un par destinataire, chacun avec sa lettre en PDF.\n"
                                    "1 destinataire(s) sélectionné(s) n'ont pas d'adresse électronique.")),
                 qPrintable(m_banc->dialogues.messages.value(0).texte));
        QTRY_COMPARE(appels(fausses.path()).size(), 3);
        QStringList adresses;
        for (const QStringList& appel : appels(fausses.path())) {
            if (appel.last() == adresse)
                continue;
            adresses << appel.last();
            QVERIFY(lirePdf(appel[2]).texte(0).contains(
                appel.last() == QLatin1String("a@exemple.fr") ? QStringLiteral("Troyes") : QStringLiteral("Rennes")));
        }
        adresses.sort();
        QCOMPARE(adresses, (QStringList{QStringLiteral("a@exemple.fr"), QStringLiteral("c@exemple.fr")}));
        QCOMPARE(m_banc->dialogues.messages.value(1).texte,
                 QStringLiteral("Imprimer les lettres des destinataires sans adresse électronique (1) ?"));
        QCOMPARE(imprimante.fichiers().size(), 1);
        QVERIFY(lirePdf(imprimante.fichiers()[0]).texte(0).contains(QStringLiteral("Bordeaux")));
        QCOMPARE(envois(canal::mailPdf),
                 (QStringList{QStringLiteral(":1"), QStringLiteral("Troyes:1"), QStringLiteral("Rennes:1")}));

        faussesCommandes(fausses.path(), false);
        m_banc->dialogues.messages.clear();
        m_banc->dialogues.reponses << Reponse::Oui;
        m_txtText->setTextRTF(TexteLettreIndividuelle(lettre, QString()));
        EnvoyerLettrePdf({true, adresse, {}, lettre, false, QStringLiteral("2026-12-08")}, *m_txtText->document());
        qputenv("PATH", chemin);
        QVERIFY(m_banc->dialogues.messages.value(0).texte.startsWith(QStringLiteral("Aucun programme de messagerie")));
        QCOMPARE(bureau.cibles.size(), 1);
        QVERIFY(QDir(bureau.cibles[0]).entryList({QStringLiteral("*.pdf")}).size() == 1);
        QCOMPARE(appels(fausses.path()).size(), 3);
        QCOMPARE(envois(canal::mailPdf).size(), 3); // no message, no entry
    }
};

QTEST_MAIN(TestLettrePdf)
#include "tst_lettrepdf.moc"
