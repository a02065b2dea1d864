#pragma once

namespace pondra {

// What the user chose once and the program remembers, in the user's settings (organisation and
// application "Pondra").

// Whether the estimate report carries section C, the chart and the solidity of the ranking.
// Off until the user asks for it.
bool reportIncludesRobustness();
void setReportIncludesRobustness(bool include);

} // namespace pondra
