#include "core/TextFile.h"

#include "core/Cp932.h"
#include "core/Messages.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stracol::core {
namespace {

void SetError(std::string* error, const std::string& what) {
    if (error) *error = what;
}

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error, std::size_t maxBytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetError(error, std::strerror(errno));
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        SetError(error, S_ISDIR(st.st_mode) ? "is a directory" : "not a regular file");
        ::close(fd);
        return std::nullopt;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        SetError(error, "file too large");
        ::close(fd);
        return std::nullopt;
    }
    std::string data;
    data.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    for (;;) {
        ssize_t n;
        if (got < data.size()) {
            n = ::read(fd, data.data() + got, data.size() - got);
            if (n > 0) got += static_cast<std::size_t>(n);
        } else {
            // All fstat promised is read; a file that grows while read gives more through a
            // small buffer, so the usual end-of-file check costs no allocation.
            char more[4096];
            n = ::read(fd, more, sizeof more);
            if (n > 0) {
                data.append(more, static_cast<std::size_t>(n));
                got += static_cast<std::size_t>(n);
            }
        }
        if (n < 0) {
            if (errno == EINTR) continue;
            SetError(error, std::strerror(errno));
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        if (got > maxBytes) {
            SetError(error, "file too large");
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    data.resize(got);
    return data;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string_view line : SplitLineViews(text)) lines.emplace_back(line);
    return lines;
}

std::vector<std::string_view> SplitLineViews(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t lf = text.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.emplace_back(text.substr(start, stop - start));
        if (lf == std::string_view::npos) break;
        start = lf + 1;
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadCp932Lines(const std::string& path, std::size_t maxLineBytes) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    const std::string text = Cp932ToUtf8(*bytes);
    bytes.reset();
    std::vector<std::string> lines;
    // Each line is cut while it is copied, so a huge line is never held twice.
    for (std::string_view line : SplitLineViews(text)) {
        if (maxLineBytes > 0 && line.size() > maxLineBytes) lines.push_back(Cp932Truncate(line, maxLineBytes));
        else lines.emplace_back(line);
    }
    return lines;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    std::string tmpl = path + ".tmpXXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) {
        SetError(error, std::string("cannot create a file in ") + FolderOf(path) + ": " + std::strerror(errno));
        return false;
    }
    auto fail = [&](const char* what) {
        int saved = errno;
        ::close(fd);
        ::unlink(tmpl.c_str());
        SetError(error, std::string(what) + ": " + std::strerror(saved));
        return false;
    };
    // Keep the permissions of the file being replaced; a new file gets the usual 0644 less umask.
    struct stat old {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &old) == 0) mode = old.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("write failed");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return fail("sync failed");
    if (::close(fd) != 0) {
        int saved = errno;
        ::unlink(tmpl.c_str());
        SetError(error, std::string("close failed: ") + std::strerror(saved));
        return false;
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        int saved = errno;
        ::unlink(tmpl.c_str());
        SetError(error, std::string("rename failed: ") + std::strerror(saved));
        return false;
    }
    return true;
}

bool WriteCp932Lines(const std::string& path, const std::vector<std::string>& lines, Messages* messages) {
    std::string utf8;
    for (const auto& line : lines) {
        utf8 += line;
        utf8 += "\r\n";
    }
    std::string error;
    if (!WriteFileAtomic(path, Utf8ToCp932(utf8), &error)) {
        if (messages) messages->Show(MessageKind::Error, MessageText(MessageId::SaveFailed));
        return false;
    }
    return true;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/') out.push_back('/');
    out.append(name);
    return out;
}

}  // namespace stracol::core
