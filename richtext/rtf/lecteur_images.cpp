#include "images.h"
#include "lecteur.h"

#include <QAtomicInteger>
#include <QImage>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace rtf {

namespace {

// Pictures bigger than this are dropped rather than read.
constexpr qsizetype kDonneesImageMax = 64 * 1024 * 1024;

// Display size in twips of one side: the goal scaled, or the picture's own
// size at its resolution when no usable goal is given.
double cote(qint64 goal, qint64 echelle, int pixels, int pointsParMetre)
{
    double twips = 0;
    if (goal > 0 && goal <= kTwipsMax)
        twips = double(goal);
    else
        twips = pixels * 1440.0 / (pointsParMetre > 0 ? pointsParMetre * 0.0254 : 96.0);
    if (echelle > 0 && echelle <= 10000)
        twips = twips * double(echelle) / 100.0;
    return std::clamp(twips, 1.0, double(kTwipsMax));
}

} // namespace

QTextImageFormat ajouterImage(QTextDocument& document, const QImage& image, QSizeF taille)
{
    static QAtomicInteger<quint64> compteur = 0;
    const QString nom = QStringLiteral("tilvo-image:%1").arg(++compteur);
    document.addResource(QTextDocument::ImageResource, QUrl(nom), image);
    QTextImageFormat format;
    format.setName(nom);
    format.setWidth(taille.width());
    format.setHeight(taille.height());
    return format;
}

void LecteurRtf::commencerImage()
{
    viderTexte();
    m_image = ImageEnCours{};
    m_etat.destination = Destination::Image;
}

void LecteurRtf::ajouterOctetImage(int octet)
{
    if (m_image.donnees.size() >= kDonneesImageMax) {
        m_image.invalide = true;
        return;
    }
    m_image.donnees.append(char(octet));
}

void LecteurRtf::traiterTexteImage(QStringView texte)
{
    if (m_image.invalide)
        return;
    for (const QChar c : texte) {
        const int h = valeurHexa(c.unicode());
        if (h < 0) {
            if (c != u' ' && c != u'\t') {
                m_image.invalide = true;
                return;
            }
            continue;
        }
        if (m_image.demiOctet < 0) {
            m_image.demiOctet = h;
        } else {
            ajouterOctetImage(m_image.demiOctet * 16 + h);
            m_image.demiOctet = -1;
        }
    }
}

void LecteurRtf::terminerImage()
{
    const ImageEnCours image = std::exchange(m_image, ImageEnCours{});
    if (image.invalide || image.demiOctet >= 0 || image.donnees.isEmpty()
        || (image.genre != ImageEnCours::Png && image.genre != ImageEnCours::Jpeg))
        return;
    QImage img;
    if (!img.loadFromData(image.donnees, image.genre == ImageEnCours::Png ? "PNG" : "JPEG"))
        return;
    const double largeur = cote(image.largeurGoal, image.echelleX, img.width(), img.dotsPerMeterX());
    const double hauteur = cote(image.hauteurGoal, image.echelleY, img.height(), img.dotsPerMeterY());
    const QTextImageFormat format = ajouterImage(m_document, img,
                                                 QSizeF(m_unites.pixels(largeur), m_unites.pixels(hauteur)));
    m_curseur.insertImage(format);
}

} // namespace rtf
