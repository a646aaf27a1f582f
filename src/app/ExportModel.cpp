#include "app/ExportModel.h"

#include "app/TesselExport.h"
#include "app/Workspace.h"
#include "core/Messages.h"

#include <algorithm>
#include <cctype>

namespace stracol::app {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The extension of the file name (after the last "." of the last path part), without the dot;
// empty when it has none.
std::string_view ExtensionOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

}  // namespace

bool ExportWordAccepted(std::string_view word) { return word == "kelp"; }

std::string SuggestedExportPath(const std::string& documentPath) {
    for (std::string_view ending : {".xml", ".jdw", ".gdw"}) {
        if (documentPath.size() >= ending.size() &&
            Lower(std::string_view(documentPath).substr(documentPath.size() - ending.size())) == ending) {
            return documentPath.substr(0, documentPath.size() - ending.size()) + ".tlw";
        }
    }
    return documentPath;
}

ExportTarget CheckExportPath(std::string chosen) {
    ExportTarget target;
    if (!chosen.empty() && chosen.back() == '.') chosen.pop_back();
    const std::string_view extension = ExtensionOf(chosen);
    if (extension.empty()) {
        chosen += ".tlw";
    } else if (Lower(extension) != "tlw") {
        target.message = core::MessageText(core::MessageId::NotStandardExtension);
        return target;
    }
    target.ok = !chosen.empty();
    target.path = std::move(chosen);
    return target;
}

bool ExportTessel(Workspace& w, const std::string& path, core::Messages& messages) {
    if (!WriteTessel(path, w.record, w.style, &messages)) return false;
    w.documentPath = path;
    return true;
}

void EndExportDialog(Workspace& w) { w.record.SetHeading(102, ""); }

}  // namespace stracol::app
