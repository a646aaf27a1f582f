#include "geology/MasterEdit.h"

#include "core/Messages.h"

#include <gtest/gtest.h>

#include <string>

namespace stracol::geology {
namespace {

using core::MessageId;
using core::MessageText;

MasterRowInput Input(const char* name, const char* pattern, const char* symbol = "X") {
    return MasterRowInput{std::string(name), std::string(symbol), false, false, std::string(pattern), std::string()};
}

NameMaster FullMaster() {
    NameMaster m;
    for (int i = 0; i < kMasterCapacity; ++i) {
        MasterRow r;
        r.name = std::string("n").append(std::to_string(i));
        r.patternNumber = 100;
        m.rows.push_back(r);
    }
    return m;
}

struct CheckCase {
    const char* what;
    MasterRowInput input;
    int answer;             // -1: no question expected, 0 No, 1 Yes
    const char* message;    // nullptr: accepted
    MasterField focus;
};

TEST(MasterEdit, ChecksBeforeInsert) {
    const std::string force = MessageText(MessageId::NoDataForce);
    const CheckCase cases[] = {
        {"heading taken without checks", Input("[新分類]", ""), -1, nullptr, MasterField::Name},
        {"empty name", Input("", "100"), -1, "データがありません", MasterField::Name},
        {"blank name", Input("  ", "100"), -1, "データがありません", MasterField::Name},
        {"empty number refused", Input("新土", ""), 0, nullptr, MasterField::Name},
        {"empty number forced", Input("新土", ""), 1, nullptr, MasterField::Name},
        {"empty number forced skips the 質 check", Input("新質", ""), 1, nullptr, MasterField::Name},
        {"negative number", Input("新土", "-1"), -1, "数値が異常です", MasterField::PatternNumber},
        {"number too large", Input("新土", "1000000"), -1, "数値が異常です", MasterField::PatternNumber},
        {"largest number", Input("新土", "999999"), -1, nullptr, MasterField::Name},
        {"number not numeric", Input("新土", "abc"), -1, "数値が異常です", MasterField::PatternNumber},
        {"mixture with 3", Input("新混じり", "3"), -1, nullptr, MasterField::Name},
        {"mixture with 30", Input("新混じり", "30"), -1, "入力データが不適当です", MasterField::PatternNumber},
        {"ish with 10", Input("新質", "10"), -1, nullptr, MasterField::Name},
        {"ish with 90", Input("新質", "90"), -1, nullptr, MasterField::Name},
        {"ish with 5", Input("新質", "5"), -1, "入力データが不適当です", MasterField::PatternNumber},
        {"ish with 95", Input("新質", "95"), -1, "入力データが不適当です", MasterField::PatternNumber},
        {"same name", Input("砂", "300"), -1, "同じ登録名があります", MasterField::Name},
        {"comma in name", Input("a,b", "300"), -1, "入力データが不適当です", MasterField::Name},
        {"quote in symbol", Input("新土", "300", "\"S"), -1, "入力データが不適当です", MasterField::Name},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        NameMaster m = BuiltInNameMaster();
        const std::size_t before = m.rows.size();
        core::RecordingMessages messages;
        if (c.answer >= 0) messages.answers.push_back(c.answer == 1);
        const MasterEditResult r = InsertMasterRow(m, 1, c.input, messages);
        const bool accepted = c.message == nullptr && c.answer != 0;
        EXPECT_EQ(r.done, accepted);
        EXPECT_EQ(r.focus, c.focus);
        EXPECT_EQ(m.rows.size(), before + (accepted ? 1 : 0));
        EXPECT_EQ(messages.Count(force), c.answer >= 0 ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(messages.Count(c.message), 1);
        }
        if (accepted) {
            EXPECT_EQ(m.rows[1].name, c.input.name);
            EXPECT_EQ(m.rows[1].patternNumber.has_value(), !c.input.patternText.empty());
        }
        if (!c.message && c.answer < 0) {
            EXPECT_TRUE(messages.Empty());
        }
    }
}

TEST(MasterEdit, InsertIntoFullListRefused) {
    NameMaster m = FullMaster();
    core::RecordingMessages messages;
    EXPECT_FALSE(InsertMasterRow(m, 3, Input("新土", "300"), messages).done);
    EXPECT_EQ(messages.Count("これ以上データを扱えません"), 1);
    EXPECT_EQ(m.rows.size(), 256u);
    EXPECT_FALSE(InsertMasterRow(m, 3, Input("[見出し]", ""), messages).done);
    EXPECT_EQ(m.rows.size(), 256u);

    // Overwriting a row of a full list adds nothing and is allowed.
    EXPECT_TRUE(OverwriteMasterRow(m, 3, Input("新土", "300"), messages).done);
    EXPECT_EQ(m.rows[3].name, "新土");
}

TEST(MasterEdit, RowPositionRequired) {
    for (int selected : {-1, 117}) {
        SCOPED_TRACE(selected);
        NameMaster m = BuiltInNameMaster();
        core::RecordingMessages messages;
        EXPECT_FALSE(InsertMasterRow(m, selected, Input("新土", "300"), messages).done);
        EXPECT_EQ(messages.Count("データの位置（行）を指定して下さい"), 1);
        EXPECT_FALSE(OverwriteMasterRow(m, selected, Input("新土", "300"), messages).done);
        EXPECT_EQ(messages.Count("データの位置（行）を指定して下さい"), 2);
        EXPECT_EQ(m.rows.size(), 116u);
    }
}

TEST(MasterEdit, InsertGoesBeforeTheSelectedRowOrAtTheEnd) {
    NameMaster m = BuiltInNameMaster();
    core::RecordingMessages messages;
    MasterRowInput in = Input("新土", "1300");
    in.density = true;
    in.consistency = true;
    in.bitmapText = "";
    ASSERT_TRUE(InsertMasterRow(m, 8, in, messages).done);
    EXPECT_EQ(m.rows[8].name, "新土");
    EXPECT_EQ(m.rows[9].name, "砂");
    EXPECT_EQ(MasterLine(m.rows[8]), "新土,X,1300.3,1300.3");

    ASSERT_TRUE(InsertMasterRow(m, static_cast<int>(m.rows.size()), Input("末尾", "5"), messages).done);
    EXPECT_EQ(m.rows.back().name, "末尾");
}

TEST(MasterEdit, OverwriteKeepsItsOwnNameButNotAnother) {
    NameMaster m = BuiltInNameMaster();
    core::RecordingMessages messages;
    MasterRowInput in = EditFieldsOf(m.rows[8]);  // 砂
    EXPECT_EQ(in.patternText, "300");
    EXPECT_EQ(in.bitmapText, "300");
    EXPECT_TRUE(in.density);
    in.symbol = "S2";
    in.bitmapText = "10020";
    ASSERT_TRUE(OverwriteMasterRow(m, 8, in, messages).done);
    EXPECT_EQ(MasterLine(m.rows[8]), "砂,S2,300.1,10020.1");

    EXPECT_FALSE(OverwriteMasterRow(m, 9, in, messages).done);  // 粗砂's row would become a second 砂
    EXPECT_EQ(messages.Count("同じ登録名があります"), 1);
    EXPECT_EQ(m.rows[9].name, "粗砂");
}

TEST(MasterEdit, DeleteAndMove) {
    NameMaster m = BuiltInNameMaster();
    EXPECT_FALSE(DeleteMasterRow(m, -1));
    EXPECT_FALSE(DeleteMasterRow(m, 116));
    ASSERT_TRUE(DeleteMasterRow(m, 8));
    EXPECT_EQ(m.rows.size(), 115u);
    EXPECT_EQ(m.rows[8].name, "粗砂");

    EXPECT_EQ(MoveMasterRow(m, 0, -1), 0);
    EXPECT_EQ(MoveMasterRow(m, 114, 1), 114);
    EXPECT_EQ(MoveMasterRow(m, 8, 1), 9);
    EXPECT_EQ(m.rows[8].name, "中砂");
    EXPECT_EQ(m.rows[9].name, "粗砂");
    EXPECT_EQ(MoveMasterRow(m, 9, -1), 8);
    EXPECT_EQ(m.rows[8].name, "粗砂");
}

}  // namespace
}  // namespace stracol::geology
