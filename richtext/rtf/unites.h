#pragma once

namespace rtf {

// Lengths in a QTextDocument (margins, indents, tab stops, image sizes) are
// in pixels of the logical resolution that Qt's text layout scales from when
// it lays the document out for a printer. RTF lengths are in twips (1/20 pt).
class Unites {
public:
    Unites();
    double pixels(double twips) const { return twips * m_pixelsParTwip; }
    int twips(double pixels) const;

private:
    double m_pixelsParTwip;
};

} // namespace rtf
