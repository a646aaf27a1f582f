// The help file: written from the built-in text when missing or older, shown unchanged when
// it is current.

#include "app/HelpText.h"

#include <gtest/gtest.h>

#include "app/InstallFolder.h"
#include "core/Messages.h"
#include "support/TempDir.h"

namespace stracol::app {
namespace {

TEST(HelpText, TheBuiltInTextHasItsVersionHeadingsAndEnd) {
    const auto& lines = BuiltInHelpLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "6000");
    EXPECT_EQ(lines.back(), "EOF");
    for (const char* heading : {"本ソフトの概要", "メニュー「様式」", "メニュー「データ」", "メニュー「システム設定」",
                                "メニュー「ファイル」", "見出し", "その他一覧", "縮尺と表示深度", "柱状図模様",
                                "線描パターン設定", "用紙の初期設定", "印刷"}) {
        bool found = false;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            found = found || (lines[i] == heading && lines[i + 1].find_first_not_of("=-") == std::string::npos);
        EXPECT_TRUE(found) << heading << " is not an underlined heading";
    }
}

TEST(HelpText, AMissingOrOlderFileIsWrittenFromTheBuiltInText) {
    for (const char* old : {static_cast<const char*>(nullptr), "5000\r\n古いヘルプ\r\nEOF\r\n", "x\r\n"}) {
        testing::TempDir dir;
        if (old) dir.Write(kHelpFile, old);
        InstallFolder folder(dir.Path());
        core::RecordingMessages messages;
        const auto list = HelpListLines(folder, messages);
        EXPECT_EQ(list, BuiltInHelpLines());
        const std::string written = dir.Read(kHelpFile);
        EXPECT_EQ(written.substr(0, 6), "6000\r\n");
        EXPECT_EQ(written.substr(written.size() - 5), "EOF\r\n");
        EXPECT_TRUE(messages.Empty());
    }
}

TEST(HelpText, ACurrentFileIsShownWithABlankInFrontAndNeverWritten) {
    testing::TempDir dir;
    const std::string bytes = "7000\r\n\x8e\xa9\x95\xaa\x82\xcc\x83\x77\x83\x8b\x83\x76\r\nEOF\r\n";  // 自分のヘルプ
    dir.Write(kHelpFile, bytes);
    InstallFolder folder(dir.Path());
    core::RecordingMessages messages;
    const auto list = HelpListLines(folder, messages);
    EXPECT_EQ(list, (std::vector<std::string>{" 7000", " 自分のヘルプ", " EOF"}));
    EXPECT_EQ(dir.Read(kHelpFile), bytes);
}

TEST(HelpText, AListFullAt999LinesSaysSoAndStops) {
    testing::TempDir dir;
    std::string bytes = "6000\r\n";
    for (int i = 0; i < 1200; ++i) bytes += "line\r\n";
    dir.Write(kHelpFile, bytes);
    InstallFolder folder(dir.Path());
    core::RecordingMessages messages;
    EXPECT_EQ(HelpListLines(folder, messages).size(), static_cast<std::size_t>(kHelpMaxLines));
    EXPECT_EQ(messages.Count("これ以上データを扱えません"), 1);
}

}  // namespace
}  // namespace stracol::app
