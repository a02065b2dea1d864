#pragma once

#include "documentbuilder.h"

#include "archive/pricelist.h"

#include <QString>

namespace pondra {

// The maker's catalogue as a document: the brand, where to buy, then one table row per program
// with its prices written as 1.250,00.
void printPriceList(DocumentBuilder& b, const PriceList& list, const QString& purchasePageUrl);

} // namespace pondra
