// The open road of the older data formats from their bytes: Tessel v1 with its style part,
// the token formats, TPJ and GTJ, their post-load steps, the JSON dump of the record, the
// style the file carries, and the Tessel v1 file written back from what was read.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/TesselExport.h"
#include "borehole/BoreholeRecord.h"
#include "borehole/DocumentOpen.h"
#include "borehole/RecordJson.h"
#include "core/Messages.h"
#include "geology/NameTable.h"
#include "style/StyleApplication.h"
#include "FuzzSupport.h"

using namespace stracol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const geology::NameTable names = geology::BuiltInNameTable(0);
    const std::string bytes(fuzz::BytesOf(data, size));
    borehole::OpenOptions options;
    options.rememberFolder = false;
    options.writeReformatFile = false;
    // The input's length picks whether Tessel v1 layers keep or recompute their patterns.
    options.recomputeLayerPatterns = size % 2 == 1;
    borehole::BoreholeRecord record;
    core::RecordingMessages messages;
    const borehole::OpenResult result =
        borehole::OpenDocumentBytes(bytes, "fuzz.tlw", record, names, ".", messages, nullptr, options);
    if (result.loaded) {
        (void)borehole::RecordJson("fuzz.tlw", result.formatCode, record);
        const style::LogStyle style = style::StyleOfLines(record.styleLines);
        (void)app::TesselLines(record, style);
    }
    return 0;
}
