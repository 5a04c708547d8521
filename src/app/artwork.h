#pragma once
// The window's pictures, drawn by the program: the glyphs of the two buttons (an enabled
// and a greyed image of GlyphSize pixels each) and the logo.

#include <QIcon>
#include <QPixmap>

namespace app {

inline constexpr int GlyphSize = 26;
inline constexpr int LogoSize = 256;

// An open folder with a magnifier: "choose a file".
QIcon GlyphLocalizar();
// A sheet of paper with an eye: "show the document".
QIcon GlyphVisualizar();
// A document with the letters XML over a round badge, LogoSize x LogoSize.
QPixmap Logo();

} // namespace app
