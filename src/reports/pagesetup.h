#pragma once

namespace pondra {

// Every printout is laid out on A4 with the same margins, on screen, in PDF and in DOCX.
constexpr double PageWidthMm = 210.0;
constexpr double PageHeightMm = 297.0;
constexpr double PageMarginMm = 20.0;

// The font the documents name, and the one laid out in its place where it is not installed,
// so that every machine counts the same pages.
inline constexpr char DocumentFont[] = "Century Gothic";
inline constexpr char LayoutFont[] = "URW Gothic";
inline constexpr char FallbackFont[] = "DejaVu Sans";

} // namespace pondra
