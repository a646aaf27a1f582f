#pragma once
// The document: owns the act of loading a borehole data file into the workspace (the Open
// command and the framework load of the command line, the recent-file list and dropped
// files) and the new, empty document. It holds no borehole data of its own; the record is
// the workspace's. After a change it asks its views to update.

#include <QStringList>

#include <functional>
#include <string>

#include "borehole/DocumentOpen.h"

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

class CSkDoc {
public:
    CSkDoc(app::Workspace& workspace, core::Messages& messages);

    // 開く: the Open command's load of a chosen file (seven lines examined for the format,
    // exchange XML with over-long lines reformatted). True when the file is now on screen.
    bool OpenCommand(const std::string& path);
    // The framework load (command line, recent files, dropped files): six lines examined, an
    // unknown DTD version warned about, over-long lines refused. True when loaded.
    bool OnOpenDocument(const std::string& path);
    // The same with the load's messages going to messages (the command line gathers them).
    bool OnOpenDocument(const std::string& path, core::Messages& messages);
    // 新規作成: clears the borehole record and the style's display items.
    void OnNewDocument();

    // The loaded file; empty for a new document.
    const std::string& PathName() const;
    // The document's name for the window title: the file name, empty for a new document.
    std::string Title() const;
    // The result of the last load attempt.
    const borehole::OpenResult& LastResult() const { return m_lastResult; }

    // The folder the Open dialog starts in: line 1 of FileV.ndx in the install folder
    // (empty when the file is missing).
    std::string LastOpenFolder() const;

    // The Open dialog's filters, in the order the dialog offers them: "Tessel v1(*.tlw)
    // XML(*.xml)", "JACIC版 岩盤 地すべり 港湾 Pillarbook", "すべて(*.*)". Each entry is
    // "<caption> (<patterns>)" for Qt; the patterns are matched in either letter case.
    static QStringList OpenFilters();
    // Default extension of the Open dialog.
    static constexpr const char* kDefaultExtension = "tlw";

    // Called after every change of the document (load, new): the views update.
    void SetUpdateViews(std::function<void()> update) { m_updateViews = std::move(update); }
    // Called with the path of every file that loaded (the recent-file list).
    void SetLoaded(std::function<void(const std::string&)> loaded) { m_loaded = std::move(loaded); }

private:
    bool Load(const std::string& path, borehole::OpenRoute route, core::Messages& messages);

    app::Workspace& m_workspace;
    core::Messages& m_messages;
    borehole::OpenResult m_lastResult;
    std::function<void()> m_updateViews;
    std::function<void(const std::string&)> m_loaded;
};

}  // namespace stracol::gui
