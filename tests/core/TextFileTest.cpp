#include "core/Cp932.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace stracol::core;
using stracol::testing::TempDir;

TEST(TextFile, ReadsCrLfAndLfLinesAndKeepsALastLineWithoutEnd) {
    TempDir dir;
    dir.Write("a.txt", Utf8ToCp932("一行目\r\n二\nthree\r\n\r\nlast"));
    auto lines = ReadCp932Lines(dir.File("a.txt"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"一行目", "二", "three", "", "last"}));
}

TEST(TextFile, LineLimitCountsCp932BytesWithoutSplittingACharacter) {
    TempDir dir;
    dir.Write("a.txt", Utf8ToCp932("ab粘土質\r\nｼﾙﾄｼﾙﾄ\r\n"));
    auto lines = ReadCp932Lines(dir.File("a.txt"), 5);
    ASSERT_TRUE(lines);
    EXPECT_EQ((*lines)[0], "ab粘");   // 2 + 2 bytes; 土 would make 6
    EXPECT_EQ((*lines)[1], "ｼﾙﾄｼﾙ");  // half-width katakana count one byte each
}

TEST(TextFile, MissingFileAndDirectoryFailToRead) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(ReadFileBytes(dir.File("none.txt"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ReadFileBytes(dir.Path(), &error));
    EXPECT_EQ(error, "is a directory");
    dir.Write("big.txt", std::string(100, 'x'));
    EXPECT_FALSE(ReadFileBytes(dir.File("big.txt"), &error, 50));
}

TEST(TextFile, WritesCp932WithCrLf) {
    TempDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(WriteCp932Lines(dir.File("out.ndx"), {"500", "自沈", ""}, &messages));
    EXPECT_EQ(dir.Read("out.ndx"), "500\r\n" + Utf8ToCp932("自沈") + "\r\n\r\n");
    EXPECT_TRUE(messages.Empty());
    // No temporary file is left beside it.
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir.Path())) { (void)entry; ++files; }
    EXPECT_EQ(files, 1);
}

TEST(TextFile, FailedWriteReportsAndKeepsTheOldFile) {
    if (::geteuid() == 0) {
        // root ignores folder permissions; write into a folder that does not exist instead.
        TempDir dir;
        RecordingMessages messages;
        EXPECT_FALSE(WriteCp932Lines(dir.File("missing/out.ndx"), {"x"}, &messages));
        EXPECT_EQ(messages.Count("保存できませんでした"), 1);
    }
    TempDir dir;
    dir.Write("ro/keep.ndx", "old\r\n");
    RecordingMessages messages;
    if (::geteuid() != 0) {
        ::chmod(dir.File("ro").c_str(), 0555);
        EXPECT_FALSE(WriteCp932Lines(dir.File("ro/keep.ndx"), {"new"}, &messages));
        EXPECT_EQ(messages.Count("保存できませんでした"), 1);
        ::chmod(dir.File("ro").c_str(), 0755);
    }
    // The target being a directory makes the final rename fail after the data was written.
    std::filesystem::create_directories(dir.File("ro/adir/inner"));
    EXPECT_FALSE(WriteCp932Lines(dir.File("ro/adir"), {"new"}, &messages));
    EXPECT_GE(messages.Count("保存できませんでした"), 1);
    EXPECT_EQ(dir.Read("ro/keep.ndx"), "old\r\n");
    EXPECT_TRUE(IsDirectory(dir.File("ro/adir/inner")));
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir.File("ro"))) { (void)entry; ++files; }
    EXPECT_EQ(files, 2);  // keep.ndx and adir: no temporary file left behind
}

TEST(TextFile, ReplacesAnExistingFileKeepingItsPermissions) {
    TempDir dir;
    std::string path = dir.Write("s.ndx", "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomic(path, "new"));
    EXPECT_EQ(dir.Read("s.ndx"), "new");
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}
