#pragma once

#include <QStringList>

class QTextCursor;
class QTextDocument;

// Rich text pasted from other programs.
namespace collage {

// The MIME types under which other programs put RTF on the clipboard.
const QStringList& typesRtf();
// What our own boxes add to what they copy: their text needs no cleaning.
inline constexpr char kTypeTilvo[] = "application/x-tilvo-lettres";

// Inserts the whole of `source` at the cursor (replacing its selection),
// keeping of each run only what prints as the user sees it: bold, italic,
// underline, strike-through, raised or lowered text, size and colour; the
// font and the rest are those of the insertion point. Paragraphs keep their
// alignment and take the margins of the paragraph they are pasted into.
// Background colours, links and foreign styles are left behind. Pictures
// are copied with their data.
void insererNettoye(const QTextDocument& source, QTextCursor& curseur);

} // namespace collage
