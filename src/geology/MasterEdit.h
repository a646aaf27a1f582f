#pragma once
// The rules of the name master editor without its widgets: the checks before a row is
// inserted or overwritten, with their messages, and deleting and moving rows.

#include "geology/NameMaster.h"

#include <string>

namespace stracol::core {
class Messages;
}

namespace stracol::geology {

// The edit fields as the user typed them.
struct MasterRowInput {
    std::string name;           // 地質名
    std::string symbol;         // 記号
    bool density = false;       // 密度
    bool consistency = false;   // 稠度
    std::string patternText;    // パタ-ンNo.
    std::string bitmapText;     // BmpNo
};

// The edit field that takes the focus after a check.
enum class MasterField { Name, PatternNumber };

struct MasterEditResult {
    bool done = false;                     // the row was written
    MasterField focus = MasterField::Name;
};

// The text shown when another row already has the name.
inline constexpr const char* kSameNameText = "同じ登録名があります";

// The edit fields of a row (↑編集).
MasterRowInput EditFieldsOf(const MasterRow& row);

// Inserts the edited row before row `selected` (0-based; rows.size() appends after the last
// row). Checks, in order: a group heading is taken without the content checks; an empty name
// "データがありません"; an empty pattern number asks "データがありませんが強行しますか" (No
// stops, Yes skips the number checks); a pattern number outside 0-999999 "数値が異常です"; a
// name ending in "り" with a number of 10 or more, or in "質" with one below 10 or above 90,
// "入力データが不適当です"; then 256 rows "これ以上データを扱えません", no row selected
// "データの位置（行）を指定して下さい", the same name in another row "同じ登録名があります".
MasterEditResult InsertMasterRow(NameMaster& master, int selected, const MasterRowInput& input,
                                 core::Messages& messages);

// Overwrites row `selected` with the edited row, with the checks of insert (a full list does
// not stop an overwrite; the selected row's own name is no duplicate).
MasterEditResult OverwriteMasterRow(NameMaster& master, int selected, const MasterRowInput& input,
                                    core::Messages& messages);

// Deletes row `selected`; false when no row is selected.
bool DeleteMasterRow(NameMaster& master, int selected);

// Moves row `selected` one place up (step -1) or down (step +1); returns the row's new index,
// or `selected` unchanged when it cannot move.
int MoveMasterRow(NameMaster& master, int selected, int step);

}  // namespace stracol::geology
