#include "UnshownData.h"

#include "borehole/BoreholeRecord.h"
#include "core/Messages.h"
#include "style/LogStyle.h"
#include "style/StyleApplication.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace stracol;
using borehole::TableId;

namespace {

style::LogStyle BuiltIn(int number) {
    stracol::testing::TempDir home;
    core::RecordingMessages messages;
    style::LogStyle s;
    EXPECT_TRUE(style::ApplyBuiltInStyle(s, number, home.Path(), messages));
    return s;
}

void Fill(borehole::BoreholeRecord& r, TableId id, int rows) {
    for (int row = 1; row <= rows; ++row) r.Table(id).SetCell(row, 0, std::to_string(row));
}

}  // namespace

TEST(UnshownData, DataWithoutAColumnInTheStyleIsNamedWithItsRows) {
    borehole::BoreholeRecord r;
    Fill(r, TableId::Layer, 3);
    Fill(r, TableId::Spt, 20);
    Fill(r, TableId::Lugeon, 10);
    Fill(r, TableId::Water, 1);
    struct Case {
        int style;
        bool spt;     // whether the style has a penetration-test column
        bool lugeon;  // whether it has a Lugeon column
    } cases[] = {{1, false, true}, {3, true, false}};  // the rock log and a penetration-test log
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        const style::LogStyle s = BuiltIn(c.style);
        ASSERT_EQ(s.FindItem(3101) != nullptr, c.spt);
        ASSERT_EQ(s.FindItem(3403) != nullptr, c.lugeon);
        const auto unshown = tools::DataTheStyleDoesNotShow(s, r);
        auto rowsOf = [&](const std::string& kind) {
            for (const auto& u : unshown)
                if (u.kind == kind) return u.rows;
            return 0;
        };
        EXPECT_EQ(rowsOf("標準貫入試験"), c.spt ? 0 : 20);
        EXPECT_EQ(rowsOf("ルジオン試験"), c.lugeon ? 0 : 10);
        EXPECT_EQ(rowsOf("土質・岩種区分"), 0);
        EXPECT_EQ(rowsOf("孔内水位"), s.FindItem(1027) || s.FindItem(3602) ? 0 : 1);
        EXPECT_EQ(rowsOf("コア質量"), 0);  // no rows, nothing to tell
    }
    EXPECT_EQ(tools::UnshownDataText({{"標準貫入試験", 20}, {"孔内水位", 1}}), "標準貫入試験 20 rows, 孔内水位 1 row");
    EXPECT_TRUE(tools::DataTheStyleDoesNotShow(BuiltIn(1), borehole::BoreholeRecord()).empty());
}
