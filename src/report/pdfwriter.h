#pragma once
// Prepared pages written straight to PDF: content streams from the display lists, the
// TrueType faces the measurer measured with embedded as subsets of the glyphs drawn.
// Qt's PDF engine does the same job but pays for every font it embeds (it maps the whole
// Unicode plane through the face each time), which made exporting a one-page document
// cost several times more than laying it out.
//
// Only what it can reproduce faithfully is written here; anything else (a face without
// TrueType outlines or with a style the font system would synthesize, a character the
// face has no glyph for, translucent colours, an image cut at a fraction of a pixel)
// makes it give up, and the caller draws that document through Qt instead, which falls
// back to other fonts and blends colours.

#include "report/prepared.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>
#include <string>
#include <string_view>

namespace report::pdf {

struct DocumentInfo {
    std::string title;
    std::string creator;
    std::string keywords; // empty: none written
    // Written with its own offset from UTC; nullopt: the time of writing. Nothing else
    // in the file changes from one write of the same pages to the next, so a fixed date
    // makes them the same bytes. Must be valid.
    std::optional<QDateTime> creationDate = std::nullopt;
};

// A PDF text string (document information): hex UTF-16BE with a byte-order mark, so that
// nothing in it needs escaping.
std::string textString(std::string_view text);

// The whole PDF file, or nullopt when something on the pages needs Qt's engine.
// report.pages is not empty.
std::optional<QByteArray> writeDocument(const PreparedReport &report, const DocumentInfo &info);

} // namespace report::pdf
