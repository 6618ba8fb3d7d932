#pragma once

#include "rtf.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>

namespace essais {

// One line per paragraph, as rtfcat prints it.
inline QString texte(const QTextDocument& document)
{
    QString t;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        t += b.text() + u'\n';
    return t;
}

inline QString dossierDonneesEssai()
{
    return qEnvironmentVariable("TILVO_TEST_DATA");
}

inline QByteArray lireOctets(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Document pixels in one twip, as the layout counts them.
inline double pixelsParTwip()
{
    return std::round(QGuiApplication::primaryScreen()->logicalDotsPerInchY()) / 1440.0;
}

// The format of the character at `position` (the one after the cursor).
inline QTextCharFormat formatEn(QTextDocument& document, int position)
{
    QTextCursor c(&document);
    c.setPosition(position + 1);
    return c.charFormat();
}

inline int positionDe(const QTextDocument& document, const QString& mot)
{
    return document.find(mot).selectionStart();
}

} // namespace essais
