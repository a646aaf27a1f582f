#include "render/Output.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

#include "borehole/BoreholeRecord.h"
#include "borehole/RecordJson.h"
#include "core/TextFile.h"
#include "core/Numbers.h"
#include "render/FontResolver.h"
#include "render/LogPainter.h"
#include "render/PageGeometry.h"
#include "render/PdfInfo.h"
#include "render/PdfTextMap.h"
#include "render/QPainterSurface.h"

namespace stracol::render {

namespace {

int MmToDevicePx(double mm, int dpi) { return static_cast<int>(std::lround(mm * dpi / kMmPerInch)); }

// A temporary file beside the target; removed again unless Commit renames it over the target.
class TemporaryOutput {
public:
    // The file is made with mode 0666 less the umask, as the target would be.
    explicit TemporaryOutput(const std::string& target) : m_target(target) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
            int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                m_path = name;
                return;
            }
            if (errno != EEXIST) break;
        }
        m_error = "cannot create " + target + ": " + std::strerror(errno);
    }
    ~TemporaryOutput() {
        if (!m_path.empty() && !m_committed) std::remove(m_path.c_str());
    }
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    bool Ok() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    const std::string& Error() const { return m_error; }
    bool Commit() {
        if (std::rename(m_path.c_str(), m_target.c_str()) != 0) {
            m_error = "cannot write " + m_target + ": " + std::strerror(errno);
            return false;
        }
        m_committed = true;
        return true;
    }

private:
    std::string m_target;
    std::string m_path;
    std::string m_error;
    bool m_committed = false;
};

// Draws one page through the print loop on an active painter.
void PaintPage(const LogSources& sources, FontResolver& fonts, QPainter& painter, int dpi, int page,
               const PagePaint& paint = {}) {
    QPainterSurface surface(painter, fonts, dpi, dpi);
    LogContext ctx = LogContextFor(sources, surface);
    PrintPages(sources.geometry, {page}, [&](int) {
        if (paint) paint(ctx);
        else PaintLog(ctx);
    });
}

// The requested pages that exist; every page when none was requested.
std::vector<int> ValidPages(const LogSources& sources, const std::vector<int>& pages) {
    return PagesToDraw(pages, PageCount(sources.geometry));
}

OutputResult NoPages() {
    OutputResult result;
    result.error = "no page to draw";
    return result;
}

}  // namespace

LogContext LogContextFor(const LogSources& sources, Surface& surface) {
    LogContext ctx{surface,
                      sources.geometry,
                      sources.settings,
                      sources.fonts,
                      sources.style,
                      sources.titleForm,
                      sources.record,
                      sources.patternColours,
                      sources.messages,
                      sources.patternFolder,
                      sources.documentPath,
                      sources.footer,
                      sources.freeArticles,
                      ColumnLayout{},
                      0,
                      0,
                      0,
                      0,
                      0,
                      sources.bitmapNames,
                      sources.heading};
    return ctx;
}

bool ParsePageList(const std::string& text, std::vector<int>& pages, std::string& error) {
    pages.clear();
    std::size_t pos = 0;
    auto number = [&](int& value) {
        std::size_t start = pos;
        long v = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            v = v * 10 + (text[pos] - '0');
            if (v > 1000000) v = 1000000;
            ++pos;
        }
        value = static_cast<int>(v);
        return pos > start;
    };
    while (pos < text.size()) {
        int from = 0;
        int to = 0;
        if (!number(from) || from < 1) {
            error = "bad page list \"" + text + "\" (expected numbers and ranges such as 1-3,5)";
            return false;
        }
        to = from;
        if (pos < text.size() && text[pos] == '-') {
            ++pos;
            if (!number(to) || to < from) {
                error = "bad page range in \"" + text + "\"";
                return false;
            }
        }
        if (to - from > 100000) {
            error = "page range too long in \"" + text + "\"";
            return false;
        }
        for (int p = from; p <= to; ++p) pages.push_back(p);
        if (pos < text.size()) {
            if (text[pos] != ',') {
                error = "bad page list \"" + text + "\" (expected numbers and ranges such as 1-3,5)";
                return false;
            }
            ++pos;
        }
    }
    if (pages.empty()) {
        error = "empty page list";
        return false;
    }
    return true;
}

std::vector<int> PagesToDraw(const std::vector<int>& requested, int pageCount) {
    std::vector<int> pages;
    if (requested.empty()) {
        for (int p = 1; p <= pageCount; ++p) pages.push_back(p);
        return pages;
    }
    for (int p : requested)
        if (p >= 1 && p <= pageCount) pages.push_back(p);
    return pages;
}

std::string PageFileName(const std::string& path, int page, bool severalPages) {
    if (!severalPages) return path;
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
        return path + "-" + std::to_string(page);
    return path.substr(0, dot) + "-" + std::to_string(page) + path.substr(dot);
}

// What the PDF writer leaves out: the text layer names glyphs that a font shares between two
// code points by the data's own one (see PdfTextMap.h), and the survey name goes in as the
// subject (the writer sets the title and creator only).
bool FinishPdf(const std::string& path, const borehole::BoreholeRecord& record, std::string& error) {
    std::string why;
    const auto bytes = core::ReadFileBytes(path, &why);
    if (!bytes) {
        error = "cannot read back " + path + ": " + why;
        return false;
    }
    // The data's text is only written out when the text layer names a glyph of such a pair.
    std::optional<std::string> data;
    const auto dataUses = [&](char32_t c) {
        if (!data) data = borehole::RecordJson(std::string(), 0, record);
        const QString text = QString::fromUcs4(&c, 1);
        return data->find(text.toStdString()) != std::string::npos;
    };
    std::string edited = *bytes;
    const bool renamed = PreferCp932CodePoints(edited, InstalledFontSharesGlyph, dataUses) > 0;
    std::string update;
    if (!PdfInfoUpdate(edited, {{"Subject", std::string(core::TrimBlanks(record.Heading(1)))}}, update, error))
        return false;
    if (!renamed && update.empty()) return true;
    // The renaming keeps every length, so only the bytes it changed are written over, and the
    // update goes after the end: the file is neither cut nor written anew (a file cut to
    // nothing and written again is flushed to disk at once on some file systems). Should a
    // length ever change, the whole file is written again.
    // The file is the output's own temporary file, renamed over the target only afterwards.
    const bool inPlace = edited.size() == bytes->size();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | (inPlace ? 0 : O_TRUNC));
    int failure = fd >= 0 ? 0 : errno;
    const auto writeAt = [&](const char* from, std::size_t size, off_t offset) {
        while (failure == 0 && size > 0) {
            const ssize_t n = ::pwrite(fd, from, size, offset);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                failure = n < 0 ? errno : EIO;
                break;
            }
            from += n;
            size -= static_cast<std::size_t>(n);
            offset += n;
        }
    };
    std::size_t end = bytes->size();
    if (!inPlace) {
        writeAt(edited.data(), edited.size(), 0);
        end = edited.size();
    } else if (renamed) {
        const auto first = std::mismatch(bytes->begin(), bytes->end(), edited.begin());
        const auto last = std::mismatch(bytes->rbegin(), bytes->rend(), edited.rbegin());
        const std::size_t from = static_cast<std::size_t>(first.first - bytes->begin());
        const std::size_t to = bytes->size() - static_cast<std::size_t>(last.first - bytes->rbegin());
        if (from < to) writeAt(edited.data() + from, to - from, static_cast<off_t>(from));
    }
    writeAt(update.data(), update.size(), static_cast<off_t>(end));
    if (fd >= 0 && ::close(fd) != 0 && failure == 0) failure = errno;
    if (failure != 0) {
        error = "cannot finish " + path + ": " + std::strerror(failure);
        return false;
    }
    return true;
}

OutputResult WritePdf(const LogSources& sources, FontResolver& fonts, const std::string& path,
                      const std::vector<int>& requested, int paperWidthMm, int paperLengthMm,
                      const PagePaint& paint) {
    const std::vector<int> pages = ValidPages(sources, requested);
    if (pages.empty()) return NoPages();
    OutputResult result;
    TemporaryOutput tmp(path);
    if (!tmp.Ok()) {
        result.error = tmp.Error();
        return result;
    }
    {
        QPdfWriter writer(QString::fromStdString(tmp.Path()));
        writer.setResolution(kPdfDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(paperWidthMm, paperLengthMm), QPageSize::Millimeter),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setCreator(QStringLiteral("Stracol"));
        writer.setTitle(QString::fromStdString(std::string(core::TrimBlanks(sources.record.Heading(5)))));
        QPainter painter;
        if (!painter.begin(&writer)) {
            result.error = "cannot start the PDF writer for " + path;
            return result;
        }
        bool first = true;
        for (int page : pages) {
            if (!first && !writer.newPage()) {
                result.error = "cannot add a page to " + path;
                painter.end();
                return result;
            }
            first = false;
            PaintPage(sources, fonts, painter, kPdfDpi, page, paint);
            ++result.pages;
        }
        if (!painter.end()) {
            result.error = "cannot finish " + path;
            return result;
        }
    }
    std::string finishError;
    if (!FinishPdf(tmp.Path(), sources.record, finishError)) {
        result.error = finishError;
        return result;
    }
    if (!tmp.Commit()) {
        result.error = tmp.Error();
        return result;
    }
    result.files.push_back(path);
    result.ok = true;
    return result;
}

bool RenderPageImage(const LogSources& sources, FontResolver& fonts, int page, int paperWidthMm, int paperLengthMm,
                     int dpi, QImage& image) {
    if (dpi < 1) return false;
    image = QImage(MmToDevicePx(paperWidthMm, dpi), MmToDevicePx(paperLengthMm, dpi), QImage::Format_RGB32);
    if (image.isNull()) return false;
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (!painter.isActive()) return false;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PaintPage(sources, fonts, painter, dpi, page);
    return painter.end();
}

OutputResult WritePng(const LogSources& sources, FontResolver& fonts, const std::string& path,
                      const std::vector<int>& requested, int paperWidthMm, int paperLengthMm, int dpi) {
    const std::vector<int> pages = ValidPages(sources, requested);
    if (pages.empty()) return NoPages();
    OutputResult result;
    const bool several = pages.size() > 1;
    for (int page : pages) {
        const std::string file = PageFileName(path, page, several);
        QImage image;
        if (!RenderPageImage(sources, fonts, page, paperWidthMm, paperLengthMm, dpi, image)) {
            result.error = "cannot draw page " + std::to_string(page) + " as an image";
            return result;
        }
        TemporaryOutput tmp(file);
        if (!tmp.Ok()) {
            result.error = tmp.Error();
            return result;
        }
        if (!image.save(QString::fromStdString(tmp.Path()), "PNG") || !tmp.Commit()) {
            result.error = tmp.Error().empty() ? "cannot write " + file : tmp.Error();
            return result;
        }
        result.files.push_back(file);
        ++result.pages;
    }
    result.ok = true;
    return result;
}

OutputResult WritePageDevices(const LogSources& sources, FontResolver& fonts, const std::string& path,
                              const std::vector<int>& requested, int paperWidthMm, int paperLengthMm, int dpi,
                              const PageDeviceFactory& factory) {
    const std::vector<int> pages = ValidPages(sources, requested);
    if (pages.empty()) return NoPages();
    OutputResult result;
    const bool several = pages.size() > 1;
    for (int page : pages) {
        const std::string file = PageFileName(path, page, several);
        TemporaryOutput tmp(file);
        if (!tmp.Ok()) {
            result.error = tmp.Error();
            return result;
        }
        PageDeviceDef def{tmp.Path(), MmToDevicePx(paperWidthMm, dpi), MmToDevicePx(paperLengthMm, dpi), dpi,
                            static_cast<double>(paperWidthMm), static_cast<double>(paperLengthMm)};
        {
            std::unique_ptr<QPaintDevice> device = factory(def);
            if (!device) {
                result.error = "cannot make the page device for " + file;
                return result;
            }
            QPainter painter;
            if (!painter.begin(device.get())) {
                result.error = "cannot draw into " + file;
                return result;
            }
            painter.fillRect(QRect(0, 0, def.widthPx, def.heightPx), Qt::white);
            PaintPage(sources, fonts, painter, dpi, page);
            if (!painter.end()) {
                result.error = "cannot finish " + file;
                return result;
            }
        }
        if (!tmp.Commit()) {
            result.error = tmp.Error();
            return result;
        }
        result.files.push_back(file);
        ++result.pages;
    }
    result.ok = true;
    return result;
}

}  // namespace stracol::render
