#pragma once

#include "value.h"

namespace pondra {

// How an evaluation stands against the half-way mark: above 50 % positive, below negative.
enum class Standing { Positive, Negative, Neither };

// Judged on the whole part of the evaluation as the windows show it, so 50 to 50,9 and anything
// under 1 (or no evaluation at all) is neither; 56,99999999999999 shows as 57 and is positive.
Standing standingOf(const Value& evaluation);

} // namespace pondra
