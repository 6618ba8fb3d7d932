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

#include <algorithm>
#include <cmath>

namespace rtf {

namespace {

constexpr char kHexa[] = "0123456789abcdef";

void ajouterNombre(QByteArray& s, const char* mot, qint64 n)
{
    s += mot;
    s += QByteArray::number(n);
}

// Text as 7-bit RTF: \'hh for code page 1252, \uN? for the rest. Written
// straight into the array's memory: this loop carries every character.
void ajouterTexte(QByteArray& s, QStringView texte)
{
    constexpr qsizetype kPireCas = 9; // "\u-12345?"
    const qsizetype debut = s.size();
    s.resize(debut + texte.size() * kPireCas);
    char* d = s.data() + debut;
    for (const QChar qc : texte) {
        const char16_t c = qc.unicode();
        if (c >= 0x20 && c < 0x80) {
            if (c == '\\' || c == '{' || c == '}')
                *d++ = '\\';
            *d++ = char(c);
            continue;
        }
        const char* mot = nullptr;
        switch (c) {
        case '\t': mot = "\\tab "; break;
        case 0x2028: mot = "\\line "; break;
        case 0x00A0: mot = "\\~"; break;
        case 0x00AD: mot = "\\-"; break;
        case 0x2011: mot = "\\_"; break;
        default: break;
        }
        if (mot) {
            while (*mot)
                *d++ = *mot++;
            continue;
        }
        if (c < 0x20 || c == 0xFFFC || c == 0x2029)
            continue;
        const int octet = octet1252(c);
        if (octet >= 0) {
            *d++ = '\\';
            *d++ = '\'';
            *d++ = kHexa[octet >> 4];
            *d++ = kHexa[octet & 15];
        } else {
            *d++ = '\\';
            *d++ = 'u';
            int n = qint16(c);
            if (n < 0) {
                *d++ = '-';
                n = -n;
            }
            char chiffres[6];
            int k = 0;
            do {
                chiffres[k++] = char('0' + n % 10);
                n /= 10;
            } while (n > 0);
            while (k > 0)
                *d++ = chiffres[--k];
            *d++ = '?';
        }
    }
    s.resize(d - s.constData());
}

// Character properties as the writer states them (fonts and colours by
// their number in the tables being written).
struct Caracteres {
    bool image = false;      // a picture, written as such
    bool numeroPage = false; // a page number, written as \chpgn
    int police = 0;
    int demiPoints = 24;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    QTextCharFormat::VerticalAlignment position = QTextCharFormat::AlignNormal;
    int couleur = 0;
    int fond = 0;
    bool operator==(const Caracteres&) const = default;
};

// Every property, from \plain: the formatting of a paragraph mark.
void ecrireComplet(QByteArray& s, const Caracteres& c)
{
    s += "\\plain";
    ajouterNombre(s, "\\f", c.police);
    ajouterNombre(s, "\\fs", c.demiPoints);
    if (c.gras)
        s += "\\b";
    if (c.italique)
        s += "\\i";
    if (c.souligne)
        s += "\\ul";
    if (c.barre)
        s += "\\strike";
    if (c.position == QTextCharFormat::AlignSuperScript)
        s += "\\super";
    else if (c.position == QTextCharFormat::AlignSubScript)
        s += "\\sub";
    if (c.couleur)
        ajouterNombre(s, "\\cf", c.couleur);
    if (c.fond)
        ajouterNombre(s, "\\highlight", c.fond);
}

// What a run changes from the paragraph mark it sits in: its group starts
// from the mark's formatting.
void ecrireDifference(QByteArray& s, const Caracteres& c, const Caracteres& marque)
{
    if (c.police != marque.police)
        ajouterNombre(s, "\\f", c.police);
    if (c.demiPoints != marque.demiPoints)
        ajouterNombre(s, "\\fs", c.demiPoints);
    if (c.gras != marque.gras)
        s += c.gras ? "\\b" : "\\b0";
    if (c.italique != marque.italique)
        s += c.italique ? "\\i" : "\\i0";
    if (c.souligne != marque.souligne)
        s += c.souligne ? "\\ul" : "\\ulnone";
    if (c.barre != marque.barre)
        s += c.barre ? "\\strike" : "\\strike0";
    if (c.position != marque.position) {
        if (c.position == QTextCharFormat::AlignSuperScript)
            s += "\\super";
        else if (c.position == QTextCharFormat::AlignSubScript)
            s += "\\sub";
        else
            s += "\\nosupersub";
    }
    if (c.couleur != marque.couleur)
        ajouterNombre(s, "\\cf", c.couleur);
    if (c.fond != marque.fond)
        ajouterNombre(s, "\\highlight", c.fond);
}

class Ecrivain {
public:
    Ecrivain(const QTextDocument& document, const std::optional<PageRtf>& page) : m_document(document), m_page(page) {}
    QString ecrire();

private:
    const Caracteres& caracteres(const QTextBlock& bloc, int indexFormat);
    void ecrireParagraphe(const QTextBlock& bloc, const QTextBlock& suivant);
    void ecrireProprietesParagraphe(const QTextBlock& bloc);
    QByteArray proprietesParagraphe(const QTextBlockFormat& f) const;
    void ecrireImage(const QTextImageFormat& f);
    int indexPolice(const QString& famille);
    int indexCouleur(QRgb couleur);

    const QTextDocument& m_document;
    const std::optional<PageRtf> m_page;
    Unites m_unites;
    QByteArray m_corps;
    QByteArray m_morceau; // one run's text, escaped
    QStringList m_polices;
    QHash<QString, int> m_indexPolices;
    QList<QRgb> m_couleurs;
    QHash<QRgb, int> m_indexCouleurs;
    QHash<int, Caracteres> m_caracteres;  // by index of the document's formats
    QHash<int, QByteArray> m_paragraphes; // likewise, for paragraph formats
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

const Caracteres& Ecrivain::caracteres(const QTextBlock& bloc, int indexFormat)
{
    auto it = m_caracteres.constFind(indexFormat);
    if (it != m_caracteres.constEnd())
        return it.value();
    const QTextCharFormat f = bloc.document()->allFormats().value(indexFormat).toCharFormat();
    Caracteres c;
    c.image = f.isImageFormat();
    c.numeroPage = f.objectType() == kObjetNumeroPage;
    QString famille = f.property(QTextFormat::FontFamilies).toStringList().value(0);
    if (famille.isEmpty())
        famille = m_document.defaultFont().family();
    c.police = indexPolice(famille);
    double points = f.fontPointSize();
    if (points <= 0)
        points = m_document.defaultFont().pointSizeF();
    if (points <= 0)
        points = 12;
    c.demiPoints = int(std::lround(std::clamp(points, 1.0, 1638.0) * 2));
    c.gras = f.fontWeight() >= QFont::DemiBold;
    c.italique = f.fontItalic();
    c.souligne = f.fontUnderline();
    c.barre = f.fontStrikeOut();
    c.position = f.verticalAlignment();
    if (c.position != QTextCharFormat::AlignSuperScript && c.position != QTextCharFormat::AlignSubScript)
        c.position = QTextCharFormat::AlignNormal;
    if (f.foreground().style() != Qt::NoBrush)
        c.couleur = indexCouleur(f.foreground().color().rgb());
    if (f.background().style() != Qt::NoBrush)
        c.fond = indexCouleur(f.background().color().rgb());
    return m_caracteres.insert(indexFormat, c).value();
}

QByteArray Ecrivain::proprietesParagraphe(const QTextBlockFormat& f) const
{
    QByteArray s = "\\pard";
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        s += "\\qc";
    else if ((a & Qt::AlignJustify) == Qt::AlignJustify)
        s += "\\qj";
    else if (a & (Qt::AlignRight | Qt::AlignTrailing))
        s += "\\qr";
    const auto longueur = [this, &s](const char* mot, double pixels) {
        const int t = m_unites.twips(pixels);
        if (t != 0)
            ajouterNombre(s, mot, t);
    };
    longueur("\\li", f.leftMargin());
    longueur("\\ri", f.rightMargin());
    longueur("\\fi", f.textIndent());
    longueur("\\sb", f.topMargin());
    longueur("\\sa", f.bottomMargin());
    switch (f.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (std::lround(f.lineHeight() * 240 / 100) != 240) {
            ajouterNombre(s, "\\sl", std::lround(f.lineHeight() * 240 / 100));
            s += "\\slmult1";
        }
        break;
    case QTextBlockFormat::FixedHeight:
        ajouterNombre(s, "\\sl", -m_unites.twips(f.lineHeight()));
        s += "\\slmult0";
        break;
    case QTextBlockFormat::MinimumHeight:
        ajouterNombre(s, "\\sl", m_unites.twips(f.lineHeight()));
        s += "\\slmult0";
        break;
    default: break;
    }
    for (const QTextOption::Tab& t : f.tabPositions()) {
        if (t.type == QTextOption::RightTab)
            s += "\\tqr";
        else if (t.type == QTextOption::CenterTab)
            s += "\\tqc";
        else if (t.type == QTextOption::DelimiterTab)
            s += "\\tqdec";
        ajouterNombre(s, "\\tx", m_unites.twips(t.position));
    }
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        s += "\\pagebb";
    return s;
}

void Ecrivain::ecrireProprietesParagraphe(const QTextBlock& bloc)
{
    const int index = bloc.blockFormatIndex();
    auto it = m_paragraphes.constFind(index);
    if (it == m_paragraphes.constEnd())
        it = m_paragraphes.insert(index, proprietesParagraphe(bloc.blockFormat()));
    m_corps += it.value();
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
    ecrireProprietesParagraphe(bloc);
    const Caracteres marque = caracteres(bloc, (suivant.isValid() ? suivant : bloc).charFormatIndex());
    ecrireComplet(m_corps, marque);
    Caracteres ouvert; // the run being written, when enCours
    bool enCours = false;
    for (auto it = bloc.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const Caracteres& c = caracteres(bloc, fragment.charFormatIndex());
        if (c.image) {
            if (enCours)
                m_corps += '}';
            enCours = false;
            const QTextImageFormat format = fragment.charFormat().toImageFormat();
            for (qsizetype i = 0; i < fragment.length(); ++i)
                ecrireImage(format);
            continue;
        }
        m_morceau.truncate(0); // keeps the memory for the next run
        if (c.numeroPage) {
            // Text typed after the number may carry its format: it stays text.
            for (const QString& morceau : fragment.text().split(QChar::ObjectReplacementCharacter)) {
                ajouterTexte(m_morceau, morceau);
                m_morceau += "\\chpgn ";
            }
            m_morceau.chop(7);
        } else {
            ajouterTexte(m_morceau, fragment.text());
        }
        if (m_morceau.isEmpty())
            continue; // nothing but characters that RTF cannot carry
        if (!enCours || !(ouvert == c)) {
            if (enCours)
                m_corps += '}';
            m_corps += '{';
            const qsizetype avant = m_corps.size();
            ecrireDifference(m_corps, c, marque);
            if (m_corps.size() > avant)
                m_corps += ' '; // ends the last control word
            ouvert = c;
            enCours = true;
        }
        m_corps += m_morceau;
    }
    if (enCours)
        m_corps += '}';
    if (suivant.isValid())
        m_corps += "\\par\n";
}

QString Ecrivain::ecrire()
{
    m_corps.reserve(qsizetype(m_document.characterCount()) * 3 + 1024);
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
    if (m_page) {
        ajouterNombre(s, "\\paperw", m_page->largeur);
        ajouterNombre(s, "\\paperh", m_page->hauteur);
        ajouterNombre(s, "\\margl", m_page->gauche);
        ajouterNombre(s, "\\margr", m_page->droite);
        ajouterNombre(s, "\\margt", m_page->haut);
        ajouterNombre(s, "\\margb", m_page->bas);
    }
    s += '\n';
    // Both parts go straight into the result, converted once.
    QString resultat;
    resultat.reserve(s.size() + m_corps.size() + 2);
    resultat += QLatin1StringView(s);
    resultat += QLatin1StringView(m_corps);
    resultat += QLatin1StringView("}\n");
    return resultat;
}

} // namespace

QString ecrireRtf(const QTextDocument& document, const std::optional<PageRtf>& page)
{
    return Ecrivain(document, page).ecrire();
}

} // namespace rtf
