// Style files (.tls): split into lines, read by the document reader and the editor reader,
// written back, and a small log drawn with the style that was read.

#include "style/LogStyle.h"
#include "style/StyleReader.h"
#include "style/StyleWriter.h"
#include "FuzzSupport.h"

using namespace stracol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = style::StyleLinesOfBytes(fuzz::BytesOf(data, size));
    style::StyleEditorTable table;
    style::StyleReader editor(table);
    for (const std::string& line : lines) editor.Feed(line);
    editor.Finish();

    app::Workspace w = fuzz::SampleWorkspace();
    style::LogStyle read;
    style::StyleReader reader(read);
    for (const std::string& line : lines) reader.Feed(line);
    reader.Finish();
    if (reader.ItemRowsRead() == 0) return 0;
    (void)style::StyleFileLines(read);
    w.style = read;
    fuzz::PaintPage(w, 1);
    return 0;
}
