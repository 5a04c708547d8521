#pragma once
// HTML export: one self-contained UTF-8 file showing the pages one below the other. CSS
// pixels are layout pixels; every text run is a positioned block in its own box, lines
// and rectangles are bordered blocks, images are inline PNG data and barcodes inline SVG,
// so the file needs nothing beside it.

#include "report/prepared.h"

#include <string>

namespace report {

// The document, UTF-8. The page title is the report's title.
std::string htmlDocument(const PreparedReport &report);

// Writes htmlDocument to fileName, replacing the file at once (see exportPdf).
void exportHtml(const PreparedReport &report, const std::string &fileName);

} // namespace report
