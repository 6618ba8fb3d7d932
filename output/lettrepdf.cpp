#include "output/lettrepdf.h"

#include "output/impressionrtf_pages.h"
#include "output/pagelettre.h"
#include "rtf.h"
#include "version.h"

#include <QBuffer>
#include <QDateTime>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

namespace {

// PDF writes at this resolution (dots per inch): the drawing is exact to
// 1/1200 inch, as on a good printer.
constexpr int kResolution = 1200;

PageImprimante pageA4()
{
    PageImprimante page;
    page.largeurPage = page.largeurImprimable = kPageLettre.largeur;
    page.hauteurPage = page.hauteurImprimable = kPageLettre.hauteur;
    return page;
}

// A PDF text string: UTF-16BE with its byte order mark, in hexadecimal.
QByteArray chainePdf(const QString& texte)
{
    QByteArray octets("\xFE\xFF", 2);
    for (const QChar c : texte) {
        octets += char(c.unicode() >> 8);
        octets += char(c.unicode() & 0xFF);
    }
    return '<' + octets.toHex() + '>';
}

QByteArray datePdf(const QDateTime& moment)
{
    const int decalage = moment.offsetFromUtc() / 60;
    return "(D:" + moment.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + (decalage >= 0 ? "+" : "-")
        + QByteArray::number(std::abs(decalage) / 60).rightJustified(2, '0') + '\''
        + QByteArray::number(std::abs(decalage) % 60).rightJustified(2, '0') + "')";
}

QString echapperXml(const QString& texte)
{
    return texte.toHtmlEscaped();
}

// The archive format wants the file's metadata stream to say what its
// document information says; Qt's own stream names neither the author nor
// this program as producer.
QByteArray metadonneesXmp(const ProprietesPdf& p, const QString& createur, const QDateTime& moment)
{
    const QString date = moment.toString(Qt::ISODate);
    return QStringLiteral(
               "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
               "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
               "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
               "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>"
               "<dc:creator><rdf:Seq><rdf:li>%2</rdf:li></rdf:Seq></dc:creator></rdf:Description>\n"
               "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmp:CreatorTool=\"%3\" "
               "xmp:CreateDate=\"%4\" xmp:ModifyDate=\"%4\"/>\n"
               "<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\" pdf:Producer=\"%3\"/>\n"
               "<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\" "
               "pdfaid:part=\"1\" pdfaid:conformance=\"B\"/>\n"
               "</rdf:RDF></x:xmpmeta>\n<?xpacket end='w'?>")
        .arg(echapperXml(p.titre), echapperXml(p.auteur), echapperXml(createur), date)
        .toUtf8();
}

// Qt's writer cannot name the author: the document information is written
// again, complete, as an update appended to the file (the way PDF editors
// amend a file), which readers take in place of the first one.
bool ajouterInformations(QByteArray& pdf, const ProprietesPdf& proprietes, const QString& createur,
                         const QDateTime& moment)
{
    static const QRegularExpression taille(QStringLiteral("/Size (\\d+)"));
    static const QRegularExpression racine(QStringLiteral("/Root (\\d+ \\d+ R)"));
    static const QRegularExpression debutXref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const QString fin = QString::fromLatin1(pdf.right(600));
    const auto mTaille = taille.match(fin);
    const auto mRacine = racine.match(fin);
    const auto mXref = debutXref.match(fin);
    if (!mTaille.hasMatch() || !mRacine.hasMatch() || !mXref.hasMatch())
        return false;
    const int numero = mTaille.captured(1).toInt();
    if (!pdf.endsWith('\n'))
        pdf += '\n';
    const qsizetype position = pdf.size();
    pdf += QByteArray::number(numero) + " 0 obj\n<<\n/Title " + chainePdf(proprietes.titre) + "\n/Author "
        + chainePdf(proprietes.auteur) + "\n/Creator " + chainePdf(createur) + "\n/Producer " + chainePdf(createur)
        + "\n/CreationDate " + datePdf(moment) + "\n>>\nendobj\n";
    const qsizetype xref = pdf.size();
    pdf += "xref\n" + QByteArray::number(numero) + " 1\n" + QByteArray::number(position).rightJustified(10, '0')
        + " 00000 n \ntrailer\n<<\n/Size " + QByteArray::number(numero + 1) + "\n/Root "
        + mRacine.captured(1).toLatin1() + "\n/Info " + QByteArray::number(numero) + " 0 R\n/Prev "
        + mXref.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return true;
}

} // namespace

std::unique_ptr<QTextDocument> documentLettre(const QString& rtf, QString& raison)
{
    auto document = std::make_unique<QTextDocument>();
    if (!rtf::lireRtf(rtf, *document, &raison))
        return nullptr;
    return document;
}

struct DocumentPdf::Etat {
    QString chemin;
    ProprietesPdf proprietes;
    QBuffer tampon;
    QPdfWriter ecrivain{&tampon};
    QPainter peintre;
    QDateTime moment = QDateTime::currentDateTimeUtc();
    bool vide = true;
    bool echec = false;
};

DocumentPdf::DocumentPdf(const QString& chemin, const ProprietesPdf& proprietes) : m_etat(std::make_unique<Etat>())
{
    m_etat->chemin = chemin;
    m_etat->proprietes = proprietes;
    m_etat->tampon.open(QIODevice::WriteOnly);
    QPdfWriter& ecrivain = m_etat->ecrivain;
    ecrivain.setResolution(kResolution);
    ecrivain.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    ecrivain.setTitle(proprietes.titre);
    ecrivain.setCreator(QStringLiteral("Tilvo - Lettres " TILVO_VERSION_TEXT));
    if (proprietes.archivage) {
        ecrivain.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        ecrivain.setDocumentXmpMetadata(metadonneesXmp(proprietes, ecrivain.creator(), m_etat->moment));
    }
}

DocumentPdf::~DocumentPdf() = default;

std::unique_ptr<MiseEnPage> lettreDisposee(const QTextDocument& lettre)
{
    const PageImprimante page = pageA4();
    const auto dessin = rectangleDessin(page, kMargeGaucheLettre, kMargeHautLettre, kMargeDroiteLettre,
                                        kMargeBasLettre);
    return std::make_unique<MiseEnPage>(lettre, kResolution, *dessin, page);
}

int DocumentPdf::ajouterLettre(const QTextDocument& lettre)
{
    return ajouterLettre(*lettreDisposee(lettre));
}

int DocumentPdf::ajouterLettre(const MiseEnPage& lettre)
{
    Etat& e = *m_etat;
    if (e.echec)
        return 0;
    if (e.vide) {
        if (!e.peintre.begin(&e.ecrivain)) {
            e.echec = true;
            return 0;
        }
    } else if (!e.ecrivain.newPage()) {
        e.echec = true;
        return 0;
    }
    e.vide = false;
    const std::optional<int> pages = lettre.etat() == MiseEnPage::Etat::Prete
        ? lettre.dessinerTout(e.peintre, [&e] { return e.ecrivain.newPage(); })
        : std::nullopt;
    if (!pages) {
        e.echec = true;
        return 0;
    }
    return *pages;
}

bool DocumentPdf::terminer(QString& raison)
{
    Etat& e = *m_etat;
    if (e.vide && !e.echec && !e.peintre.begin(&e.ecrivain))
        e.echec = true;
    if (e.peintre.isActive() && !e.peintre.end())
        e.echec = true;
    QByteArray pdf = e.tampon.data();
    if (e.echec || !ajouterInformations(pdf, e.proprietes, e.ecrivain.creator(), e.moment)) {
        raison = QStringLiteral("le document PDF n'a pas pu être produit.");
        return false;
    }
    QSaveFile fichier(e.chemin);
    if (!fichier.open(QIODevice::WriteOnly) || fichier.write(pdf) != pdf.size() || !fichier.commit()) {
        raison = QStringLiteral("il n'a pas pu être écrit (dossier absent ou protégé, ou disque plein).");
        return false;
    }
    return true;
}

QString nomFichierLettre(const QString& dateIso, const QString& nom, const QString& prenom, const QString& objet)
{
    QStringList parties{dateIso};
    const QString personne = QStringList{nom.trimmed(), prenom.trimmed()}.join(QLatin1Char(' ')).trimmed();
    if (!personne.isEmpty())
        parties << personne;
    if (!objet.trimmed().isEmpty())
        parties << objet.trimmed();
    QString nomFichier = parties.join(QStringLiteral(" - "));
    static const QRegularExpression interdits(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1F\\x7F]"));
    nomFichier.replace(interdits, QStringLiteral("_"));
    // A name cannot hide the file or step out of its folder.
    while (nomFichier.startsWith(QLatin1Char('.')))
        nomFichier[0] = QLatin1Char('_');
    return nomFichier.left(200) + QStringLiteral(".pdf");
}
