#include "geology/MasterEdit.h"

#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"

namespace stracol::geology {
namespace {

using core::MessageId;
using core::MessageText;

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

enum class Action { Insert, Overwrite };

MasterRow RowOf(const MasterRowInput& input, bool heading) {
    MasterRow row;
    row.name = input.name;
    if (heading) return row;
    row.symbol = input.symbol;
    row.density = input.density;
    row.consistency = input.consistency;
    if (HasLeadingNumber(input.patternText)) row.patternNumber = core::LeadingLong(input.patternText);
    if (HasLeadingNumber(input.bitmapText)) row.bitmapNumber = core::LeadingLong(input.bitmapText);
    return row;
}

MasterEditResult Refuse(core::Messages& messages, MessageId id, MasterField focus) {
    messages.Error(MessageText(id));
    return {false, focus};
}

MasterEditResult Edit(Action action, NameMaster& master, int selected, const MasterRowInput& input,
                      core::Messages& messages) {
    const bool heading = IsGroupHeading(input.name);
    if (!heading) {
        if (core::TrimBlanks(input.name).empty()) return Refuse(messages, MessageId::NoData, MasterField::Name);
        bool checkNumber = true;
        if (core::TrimBlanks(input.patternText).empty()) {
            if (!messages.Ask(MessageText(MessageId::NoDataForce))) return {false, MasterField::Name};
            checkNumber = false;
        }
        if (checkNumber) {
            // Text that is no number at all is as wrong as one out of range.
            const long number = core::LeadingLong(input.patternText);
            if (!HasLeadingNumber(input.patternText) || number < 0 || number > kMaxPatternNumber)
                return Refuse(messages, MessageId::BadNumber, MasterField::PatternNumber);
            if ((EndsWith(input.name, "り") && number >= 10) ||
                (EndsWith(input.name, "質") && (number < 10 || number > 90)))
                return Refuse(messages, MessageId::BadInput, MasterField::PatternNumber);
        }
        // A comma or a double quote would split or vanish when the file is read back.
        const auto unsafe = [](const std::string& t) { return t.find_first_of(",\"") != std::string::npos; };
        if (unsafe(input.name) || unsafe(input.symbol)) return Refuse(messages, MessageId::BadInput, MasterField::Name);
    }
    MasterRow row = RowOf(input, heading);
    // A longer line would be cut when the file is read back.
    if (core::Cp932Width(MasterLine(row)) > static_cast<std::size_t>(kMasterLineLimit))
        return Refuse(messages, MessageId::BadInput, MasterField::Name);

    const int size = static_cast<int>(master.rows.size());
    if (action == Action::Insert && size >= kMasterCapacity)
        return Refuse(messages, MessageId::TooMuchData, MasterField::Name);
    const int lastPosition = action == Action::Insert ? size : size - 1;
    if (selected < 0 || selected > lastPosition) return Refuse(messages, MessageId::GiveRowPosition, MasterField::Name);
    if (!heading) {
        for (int i = 0; i < size; ++i) {
            if (action == Action::Overwrite && i == selected) continue;
            if (master.rows[static_cast<std::size_t>(i)].name == row.name) {
                messages.Error(kSameNameText);
                return {false, MasterField::Name};
            }
        }
    }
    if (action == Action::Insert) master.rows.insert(master.rows.begin() + selected, std::move(row));
    else master.rows[static_cast<std::size_t>(selected)] = std::move(row);
    return {true, MasterField::Name};
}

}  // namespace

MasterRowInput EditFieldsOf(const MasterRow& row) {
    MasterRowInput input;
    input.name = row.name;
    input.symbol = row.symbol;
    input.density = row.density;
    input.consistency = row.consistency;
    if (row.patternNumber) input.patternText = core::Sprintf("%ld", *row.patternNumber);
    if (row.bitmapNumber) input.bitmapText = core::Sprintf("%ld", *row.bitmapNumber);
    return input;
}

MasterEditResult InsertMasterRow(NameMaster& master, int selected, const MasterRowInput& input,
                                 core::Messages& messages) {
    return Edit(Action::Insert, master, selected, input, messages);
}

MasterEditResult OverwriteMasterRow(NameMaster& master, int selected, const MasterRowInput& input,
                                    core::Messages& messages) {
    return Edit(Action::Overwrite, master, selected, input, messages);
}

bool DeleteMasterRow(NameMaster& master, int selected) {
    if (selected < 0 || selected >= static_cast<int>(master.rows.size())) return false;
    master.rows.erase(master.rows.begin() + selected);
    return true;
}

int MoveMasterRow(NameMaster& master, int selected, int step) {
    const int size = static_cast<int>(master.rows.size());
    if (selected < 0 || selected >= size || (step != -1 && step != 1)) return selected;
    const int target = selected + step;
    if (target < 0 || target >= size) return selected;
    std::swap(master.rows[static_cast<std::size_t>(selected)], master.rows[static_cast<std::size_t>(target)]);
    return target;
}

}  // namespace stracol::geology
