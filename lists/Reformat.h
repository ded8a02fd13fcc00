#pragma once

#include "lists/Integer.h"
#include "lists/ResultTables.h"

namespace zorbic {

// Rewrites field 1 of every history and storage row in use from its raw value text (field 4):
// Normal mode -> field 4 trimmed (so 1/4 becomes "0.25", not ".25"); Fixed mode -> the Fixed text
// of the number read back from field 4 with `decimals` decimals (negative decimals count as 0).
// Fields 2, 3 and 4 stay, so a Normal-mode history line keeps the text made at evaluation.
void ReformatResults(ResultTables &tables, bool fixedMode, Integer decimals);

} // namespace zorbic
