#pragma once

class QWidget;

namespace pondra {

class ModuloPondra;

// The help page of the "Pesi a confronto" window.
constexpr int PairwiseHelpTopic = 8;

// Opens "Pesi a confronto" on the shown hypothesis, beside the Data window; when its
// characteristics cannot be compared, says why instead.
void ShowPairwiseComparison(ModuloPondra& module, QWidget* parent);

// Asks first, then gives every other named hypothesis the shown one's characteristics and
// weights.
void CopyCharacteristicsToOthers(ModuloPondra& module, QWidget* parent);

} // namespace pondra
