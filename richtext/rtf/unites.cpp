#include "unites.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace rtf {

namespace {

// Same resolution as the one Qt's text layout takes for "one logical inch".
double resolutionLogique()
{
    const auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96.0;
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        return std::round(ecran->logicalDotsPerInchY());
    return 96.0;
}

} // namespace

Unites::Unites() : m_pixelsParTwip(resolutionLogique() / 1440.0)
{
}

int Unites::twips(double pixels) const
{
    const double t = std::round(pixels / m_pixelsParTwip);
    if (!(t > -1e9 && t < 1e9))
        return 0;
    return int(t);
}

} // namespace rtf
