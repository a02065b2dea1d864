#pragma once

namespace pondra {

// Every printout is laid out on A4 with the same margins, on paper, in PDF, in DOCX and on the
// web page. Lengths are in twips (a twentieth of a point), the unit of a word processor's file,
// so the DOCX holds exactly the numbers the page layout works with.
constexpr int TwipsPerPoint = 20;
constexpr int PageWidthTwips = 11906;  // 210 mm
constexpr int PageHeightTwips = 16838; // 297 mm
constexpr int PageMarginTwips = 1134;  // 20 mm
constexpr int TextWidthTwips = PageWidthTwips - 2 * PageMarginTwips;
constexpr int TextHeightTwips = PageHeightTwips - 2 * PageMarginTwips;

// Table cells keep their text this far from their left and right sides and add nothing above
// or below it, as a word processor does by default.
constexpr int CellPaddingTwips = 108;
// The rules between the cells of a table: white on the shaded look, grey on a plain table.
constexpr int RuleTwips = 10;

constexpr double points(int twips)
{
    return double(twips) / TwipsPerPoint;
}

// The font the documents name, and the one laid out in its place where it is not installed,
// so that every machine counts the same pages.
inline constexpr char DocumentFont[] = "Century Gothic";
inline constexpr char LayoutFont[] = "URW Gothic";
inline constexpr char FallbackFont[] = "DejaVu Sans";

} // namespace pondra
