#pragma once

#include <QStringList>

namespace pondra {

// The 79 words offered, in this order, in every characteristic name list.
const QStringList& CharacteristicVocabulary();

} // namespace pondra
