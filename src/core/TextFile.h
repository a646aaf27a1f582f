#pragma once
// Reading and writing the program's text files: CP932 on disk, CR LF written, CR LF or LF read,
// line limits counted in CP932 bytes, and writes that never leave a half-written file behind.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {

class Messages;

// The whole content of a regular file. Fails (with a reason in *error) for a missing or
// unreadable file, a directory or anything that is not a regular file, or a file larger
// than maxBytes.
std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error = nullptr,
                                         std::size_t maxBytes = static_cast<std::size_t>(-1));

// Splits text at LF, dropping a CR before each LF; a last line without LF is kept.
std::vector<std::string> SplitLines(std::string_view text);
// The same lines as views into text.
std::vector<std::string_view> SplitLineViews(std::string_view text);

// Reads a CP932 text file as UTF-8 lines, each cut to at most maxLineBytes CP932 bytes
// (the rest of a longer line is dropped; a character is never split). 0 means no limit.
std::optional<std::vector<std::string>> ReadCp932Lines(const std::string& path, std::size_t maxLineBytes = 0);

// Writes bytes to a temporary file in the target's folder and renames it over the target
// once everything is on disk. On failure the old file is untouched and *error says why.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Writes UTF-8 lines as CP932, each ended by CR LF, through WriteFileAtomic. On failure
// shows message 4005 "保存できませんでした" (when messages is given) and returns false.
bool WriteCp932Lines(const std::string& path, const std::vector<std::string>& lines, Messages* messages);

bool FileExists(const std::string& path);
bool IsDirectory(const std::string& path);

// Joins a folder and a relative name with one "/".
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace stracol::core
