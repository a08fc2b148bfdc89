#pragma once

#include "modes/Pages.h"
#include "print/PagePainter.h"

#include <QString>

namespace chordalis {

struct AppState;
struct NeckPicture;

// The one-page reference sheet of a mode: a header with the item's name, formula and notes, the
// neck with the item's notes marked in black and white, the legend (chord/scale) or the chord
// descriptions (chord finder), the page's boxes filling the rest of the page (every grip of a
// chord with the one on the neck named and framed, a triad on each string group, each position
// of a scale as a small neck), a footer line and the open strings' names. Boxes too many for one
// page continue on the next.

inline constexpr const char* NothingToPrint = "There is nothing to print!";
inline constexpr const char* SheetFooter =
    "Chordalis - The Ultimate Chord, Scale and Arpeggio Reference for Guitarists";

// Where things stand on a sheet, in twips from the top left of the printable area.
namespace sheet {
inline constexpr double Left = 500; // the header lines and the picture start here
inline constexpr double Top = 500;  // the title's top
// The neck surface on paper: 753 x 183 units for the six-string neck of 15 frets; a neck of
// another size takes the same width and the height its shape asks for.
inline constexpr double PictureWidth = 13608;
inline constexpr double PictureHeight = 3307;
inline constexpr double Cell = 397;         // a marker's side
inline constexpr double HalfCell = 198.5;   // a marker's radius
inline constexpr double PaperScale = 18.07; // twips per unit of the six-string neck's surface
inline constexpr double LineGap = 20;       // after the title and after each further line
inline constexpr double NotesGap = 60;      // after the notes line
// The width the sheet covers, with the same margin on the right as on the left.
inline constexpr double Width = Left + PictureWidth + Left;
// The height the sheet may fill: a landscape A4 page inside the margins that centre the sheet
// across it (Letter is taller).
inline constexpr double Height = 9600;
// The widest a chord box is printed (about 30 mm), however few the boxes.
inline constexpr double MaxBoxWidth = 1700;
// The narrowest a chord box is printed (about 27 mm with its margins, nine across the page; its
// diagram about 20 mm), so that its caption and fingers read; boxes that would be narrower go on
// a further page.
inline constexpr double MinBoxWidth = PictureWidth / 9;

inline constexpr PageFont TitleFont{16, true, false};
inline constexpr PageFont TextFont{12, false, false}; // header lines, extras, side texts
inline constexpr PageFont MarkFont{10, false, false}; // inside markers, open strings' names
inline constexpr PageFont FooterFont{8, false, true};
inline constexpr PageFont SmallNeckFont{9, false, false}; // a position's fret and caption

// The finest outline: one device pixel, but never so fine that a printer loses it.
inline constexpr double MinimumPen = 6;
// The outline of the root's markers, clearly heavier than the others.
inline constexpr double RootPen = 30;
} // namespace sheet

// Why the mode has nothing to print (NothingToPrint), or an empty text when it has a page: a
// chord needs standard tuning and a voicing; a scale, an arpeggio, a triad and the chord/scale
// page their item; the chord finder a string; the single note always prints.
QString printRefusal(const AppState& state, Mode mode);

// The sheet's title line, as the header prints it.
QString sheetTitle(const AppState& state, const MainPages& pages, Mode mode);

// Draws page `part` of the sheet of the mode from the page models and the neck picture the last
// display left, and returns how many pages the sheet takes: one, unless its boxes (a chord's
// many grips) would print narrower than MinBoxWidth beside the neck; those that do not fit go
// on further pages headed as such. The refusal must have been checked.
int drawReferenceSheet(PagePainter& painter, const AppState& state, const MainPages& pages,
                       Mode mode, const NeckPicture& picture, int part = 0);

} // namespace chordalis
