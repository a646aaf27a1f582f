#include "style/LogStyle.h"

namespace stracol::style {

int LogStyle::ItemCount() const {
    int count = 0;
    while (count < kMaxItemRows && !items[count].IsEmpty()) ++count;
    return count;
}

const DisplayItem* LogStyle::FindItem(int code) const {
    int count = ItemCount();
    for (int i = 0; i < count; ++i)
        if (items[i].ItemCode() == code) return &items[i];
    return nullptr;
}

}  // namespace stracol::style
