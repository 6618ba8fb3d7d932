#include "rtf.h"

#include <QTextCharFormat>

namespace rtf {

namespace {
constexpr int kFamilleSimple = QTextFormat::UserProperty + 1;
} // namespace

void donnerFamille(QTextCharFormat& format, const QString& famille)
{
    format.setFontFamilies({famille});
    format.setProperty(kFamilleSimple, famille);
}

} // namespace rtf
