#pragma once
// The core values as numbers, one per run in the column of its item: 1037 コア採取率
// (RecoveryTable), 1038 最大コア長 and 1039 ＲＱＤ (CoreLengthTable), 1040 コア質量
// (CoreMassTable). Each table is layer-style: a run ends at its bottom depth and starts at
// the previous run's bottom.

#include <vector>

#include "render/ColumnFramework.h"

namespace stracol::render {

class ColumnRegistry;

// The walks of the four items (a layer-style walk over the value column of each table).
const std::vector<IntervalTextDef>& CoreNumberDefs();

// Registers 1037, 1038, 1039 and 1040.
void RegisterCoreNumbers(ColumnRegistry& registry);

}  // namespace stracol::render
