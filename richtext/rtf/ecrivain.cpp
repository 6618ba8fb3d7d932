#include "codepages.h"
#include "rtf.h"
#include "unites.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <cmath>

namespace rtf {

namespace {

constexpr char kHexa[] = "0123456789abcdef";

void ajouterNombre(QByteArray& s, const char* mot, qint64 n)
{
    s += mot;
    s += QByteArray::number(n);
}

// Text as 7-bit RTF: \'hh for code page 1252, \uN? for the rest.
void ajouterTexte(QByteArray& s, QStringView texte)
{
    for (const QChar qc : texte) {
        const char16_t c = qc.unicode();
        if (c >= 0x20 && c < 0x80) {
            if (c == '\\' || c == '{' || c == '}')
                s += '\\';
            s += char(c);
            continue;
        }
        switch (c) {
        case '\t': s += "\\tab "; continue;
        case 0x2028: s += "\\line "; continue;
        case 0x00A0: s += "\\~"; continue;
        case 0x00AD: s += "\\-"; continue;
        case 0x2011: s += "\\_"; continue;
        default: break;
        }
        if (c < 0x20 || c == 0xFFFC || c == 0x2029)
            continue;
        const int octet = octet1252(c);
        if (octet >= 0) {
            s += "\\'";
            s += kHexa[octet >> 4];
            s += kHexa[octet & 15];
        } else {
            ajouterNombre(s, "\\u", qint16(c));
            s += '?';
        }
    }
}

class Ecrivain
{
public:
    explicit Ecrivain(const QTextDocument& document) : m_document(document) {}
    QString ecrire();

private:
    QByteArray proprietesCaractere(const QTextBlock& bloc, int indexFormat);
    void ecrireParagraphe(const QTextBlock& bloc, const QTextBlock& suivant);
    void ecrireProprietesParagraphe(const QTextBlockFormat& f);
    void ecrireImage(const QTextImageFormat& f);
    int indexPolice(const QString& famille);
    int indexCouleur(QRgb couleur);

    const QTextDocument& m_document;
    Unites m_unites;
    QByteArray m_corps;
    QByteArray m_morceau; // one run's text, escaped
    QStringList m_polices;
    QHash<QString, int> m_indexPolices;
    QList<QRgb> m_couleurs;
    QHash<QRgb, int> m_indexCouleurs;
    QHash<int, QByteArray> m_proprietes; // by index of the document's formats
};

int Ecrivain::indexPolice(const QString& famille)
{
    const auto it = m_indexPolices.constFind(famille);
    if (it != m_indexPolices.constEnd())
        return it.value();
    m_polices.append(famille);
    m_indexPolices.insert(famille, int(m_polices.size()) - 1);
    return int(m_polices.size()) - 1;
}

int Ecrivain::indexCouleur(QRgb couleur)
{
    const auto it = m_indexCouleurs.constFind(couleur);
    if (it != m_indexCouleurs.constEnd())
        return it.value();
    m_couleurs.append(couleur);
    m_indexCouleurs.insert(couleur, int(m_couleurs.size())); // 0 is the automatic colour
    return int(m_couleurs.size());
}

// Full character properties, starting from \plain, so that a run never
// depends on what comes before it.
QByteArray Ecrivain::proprietesCaractere(const QTextBlock& bloc, int indexFormat)
{
    auto it = m_proprietes.find(indexFormat);
    if (it != m_proprietes.end())
        return it.value();
    const QTextCharFormat f = bloc.document()->allFormats().value(indexFormat).toCharFormat();
    QByteArray s = "\\plain";
    QString famille = f.property(QTextFormat::FontFamilies).toStringList().value(0);
    if (famille.isEmpty())
        famille = m_document.defaultFont().family();
    ajouterNombre(s, "\\f", indexPolice(famille));
    double points = f.fontPointSize();
    if (points <= 0)
        points = m_document.defaultFont().pointSizeF();
    if (points <= 0)
        points = 12;
    ajouterNombre(s, "\\fs", std::lround(points * 2));
    if (f.fontWeight() >= QFont::DemiBold)
        s += "\\b";
    if (f.fontItalic())
        s += "\\i";
    if (f.fontUnderline())
        s += "\\ul";
    if (f.fontStrikeOut())
        s += "\\strike";
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        s += "\\super";
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        s += "\\sub";
    if (f.foreground().style() != Qt::NoBrush)
        ajouterNombre(s, "\\cf", indexCouleur(f.foreground().color().rgb()));
    if (f.background().style() != Qt::NoBrush)
        ajouterNombre(s, "\\highlight", indexCouleur(f.background().color().rgb()));
    return m_proprietes.insert(indexFormat, s).value();
}

void Ecrivain::ecrireProprietesParagraphe(const QTextBlockFormat& f)
{
    m_corps += "\\pard";
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        m_corps += "\\qc";
    else if ((a & Qt::AlignJustify) == Qt::AlignJustify)
        m_corps += "\\qj";
    else if (a & (Qt::AlignRight | Qt::AlignTrailing))
        m_corps += "\\qr";
    const auto longueur = [this](const char* mot, double pixels) {
        const int t = m_unites.twips(pixels);
        if (t != 0)
            ajouterNombre(m_corps, mot, t);
    };
    longueur("\\li", f.leftMargin());
    longueur("\\ri", f.rightMargin());
    longueur("\\fi", f.textIndent());
    longueur("\\sb", f.topMargin());
    longueur("\\sa", f.bottomMargin());
    switch (f.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (std::lround(f.lineHeight() * 240 / 100) != 240) {
            ajouterNombre(m_corps, "\\sl", std::lround(f.lineHeight() * 240 / 100));
            m_corps += "\\slmult1";
        }
        break;
    case QTextBlockFormat::FixedHeight:
        ajouterNombre(m_corps, "\\sl", -m_unites.twips(f.lineHeight()));
        m_corps += "\\slmult0";
        break;
    case QTextBlockFormat::MinimumHeight:
        ajouterNombre(m_corps, "\\sl", m_unites.twips(f.lineHeight()));
        m_corps += "\\slmult0";
        break;
    default:
        break;
    }
    for (const QTextOption::Tab& t : f.tabPositions()) {
        if (t.type == QTextOption::RightTab)
            m_corps += "\\tqr";
        else if (t.type == QTextOption::CenterTab)
            m_corps += "\\tqc";
        else if (t.type == QTextOption::DelimiterTab)
            m_corps += "\\tqdec";
        ajouterNombre(m_corps, "\\tx", m_unites.twips(t.position));
    }
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        m_corps += "\\pagebb";
}

void Ecrivain::ecrireImage(const QTextImageFormat& f)
{
    const QVariant ressource = m_document.resource(QTextDocument::ImageResource, QUrl(f.name()));
    QImage image;
    if (ressource.userType() == QMetaType::QImage)
        image = ressource.value<QImage>();
    else if (ressource.userType() == QMetaType::QPixmap)
        image = ressource.value<QPixmap>().toImage();
    else if (ressource.userType() == QMetaType::QByteArray)
        image.loadFromData(ressource.toByteArray());
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    if (!image.save(&tampon, "PNG"))
        return;
    const double largeur = f.width() > 0 ? f.width() : image.width();
    const double hauteur = f.height() > 0 ? f.height() : image.height();
    m_corps += "{\\pict\\pngblip";
    ajouterNombre(m_corps, "\\picw", image.width());
    ajouterNombre(m_corps, "\\pich", image.height());
    ajouterNombre(m_corps, "\\picwgoal", m_unites.twips(largeur));
    ajouterNombre(m_corps, "\\pichgoal", m_unites.twips(hauteur));
    for (qsizetype i = 0; i < png.size(); ++i) {
        if (i % 64 == 0)
            m_corps += '\n';
        const auto o = static_cast<unsigned char>(png[i]);
        m_corps += kHexa[o >> 4];
        m_corps += kHexa[o & 15];
    }
    m_corps += "}";
}

// One paragraph: its properties, the formatting of its mark, then each run
// of uniform formatting in a group of its own.
void Ecrivain::ecrireParagraphe(const QTextBlock& bloc, const QTextBlock& suivant)
{
    ecrireProprietesParagraphe(bloc.blockFormat());
    const QTextBlock& marque = suivant.isValid() ? suivant : bloc;
    m_corps += proprietesCaractere(bloc, marque.charFormatIndex());
    QByteArray ouvert; // properties of the run being written, empty when none
    for (auto it = bloc.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            if (!ouvert.isEmpty())
                m_corps += '}';
            ouvert.clear();
            for (qsizetype i = 0; i < fragment.length(); ++i)
                ecrireImage(format.toImageFormat());
            continue;
        }
        m_morceau.clear();
        ajouterTexte(m_morceau, fragment.text());
        if (m_morceau.isEmpty())
            continue; // nothing but characters that RTF cannot carry
        const QByteArray proprietes = proprietesCaractere(bloc, fragment.charFormatIndex());
        if (ouvert != proprietes) {
            if (!ouvert.isEmpty())
                m_corps += '}';
            m_corps += '{';
            m_corps += proprietes;
            m_corps += ' ';
            ouvert = proprietes;
        }
        m_corps += m_morceau;
    }
    if (!ouvert.isEmpty())
        m_corps += '}';
    if (suivant.isValid())
        m_corps += "\\par\n";
}

QString Ecrivain::ecrire()
{
    m_corps.reserve(qsizetype(m_document.characterCount()) * 2 + 1024);
    for (QTextBlock bloc = m_document.begin(); bloc.isValid();) {
        const QTextBlock suivant = bloc.next();
        ecrireParagraphe(bloc, suivant);
        bloc = suivant;
    }
    if (m_polices.isEmpty())
        indexPolice(m_document.defaultFont().family());

    QByteArray s = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036\\uc1{\\fonttbl";
    for (qsizetype i = 0; i < m_polices.size(); ++i) {
        ajouterNombre(s, "{\\f", i);
        s += "\\fnil\\fcharset0 ";
        QString nom = m_polices.at(i);
        nom.replace(u';', u',');
        ajouterTexte(s, nom);
        s += ";}";
    }
    s += "}\n{\\colortbl;";
    for (const QRgb c : m_couleurs) {
        ajouterNombre(s, "\\red", qRed(c));
        ajouterNombre(s, "\\green", qGreen(c));
        ajouterNombre(s, "\\blue", qBlue(c));
        s += ';';
    }
    s += "}\n";
    const double tab = m_document.defaultTextOption().tabStopDistance();
    ajouterNombre(s, "\\deftab", tab > 0 ? m_unites.twips(tab) : 720);
    s += '\n';
    s += m_corps;
    s += "}\n";
    return QString::fromLatin1(s);
}

} // namespace

QString ecrireRtf(const QTextDocument& document)
{
    return Ecrivain(document).ecrire();
}

} // namespace rtf
