#include "render/columns/PatternGallery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/Messages.h"
#include "support/GuiTestEnvironment.h"
#include "support/TempDir.h"

using namespace stracol;
using namespace stracol::render;

namespace {

[[maybe_unused]] ::testing::Environment* const kGui = stracol::testing::AddGuiTestEnvironment("PatternGalleryTest");

int CountPages(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    return pages;
}

TEST(PatternGallery, WritesTheListThenTheNamesInColourAndBlack) {
    stracol::testing::TempDir dir;
    core::RecordingMessages messages;
    ASSERT_TRUE(WritePatternGallery(dir.File("gallery.pdf"), {}, &messages));
    const std::string pdf = dir.Read("gallery.pdf");
    ASSERT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    // The built-in list (79 patterns under 4 headings, and 4 more) takes 4 pages of 4 × 6
    // cells; the 24 default names one page in colour and one in black.
    EXPECT_EQ(CountPages(pdf), 6);
    EXPECT_TRUE(messages.entries.empty());
}

TEST(PatternGallery, PagesFollowTheListAndTheNames) {
    stracol::testing::TempDir dir;
    core::RecordingMessages messages;
    PatternGalleryOptions options;
    options.list.rows = {geology::ParsePatternLine("[第１分類 A], ,1000,,"),
                         geology::ParsePatternLine("300,0x4080ff,0x4080ff,・.・.・,砂"),
                         geology::ParsePatternLine("[終了],,,,")};
    options.compoundNames = {"砂", "粘土"};
    ASSERT_TRUE(WritePatternGallery(dir.File("small.pdf"), options, &messages));
    // One list page (with the four graph fills), one page of names in colour, one in black.
    EXPECT_EQ(CountPages(dir.Read("small.pdf")), 3);
    // 30 names take two pages in each of the two name sections.
    options.compoundNames.assign(30, "礫混じり砂");
    ASSERT_TRUE(WritePatternGallery(dir.File("more.pdf"), options, &messages));
    EXPECT_EQ(CountPages(dir.Read("more.pdf")), 5);
    EXPECT_TRUE(messages.entries.empty());
}

TEST(PatternGallery, UnwritableTargetIsReportedAndLeavesNothing) {
    stracol::testing::TempDir dir;
    core::RecordingMessages messages;
    const std::string path = dir.File("no/such/folder/gallery.pdf");
    EXPECT_FALSE(WritePatternGallery(path, {}, &messages));
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, core::MessageText(core::MessageId::SaveFailed));
}

}  // namespace
