// The open road of a borehole data file from its bytes: format detection, decoding, the
// reformat of long lines, the exchange XML reader and the post-load step, then the JSON dump
// of the record. The input's length picks the road: the Open command or a framework load.

#include <cstddef>
#include <cstdint>
#include <string>

#include "borehole/BoreholeRecord.h"
#include "borehole/DocumentOpen.h"
#include "borehole/RecordJson.h"
#include "core/Messages.h"
#include "geology/NameTable.h"
#include "FuzzSupport.h"

using namespace stracol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const geology::NameTable names = geology::BuiltInNameTable(0);
    const std::string bytes(fuzz::BytesOf(data, size));
    // The input picks its road (the Open command or a framework load) by its length, so the
    // same bytes always take the same road and each input is read once.
    {
        const borehole::OpenRoute route = size % 2 == 0 ? borehole::OpenRoute::OpenCommand : borehole::OpenRoute::FrameworkLoad;
        borehole::OpenOptions options;
        options.route = route;
        options.rememberFolder = false;
        options.writeReformatFile = false;
        borehole::BoreholeRecord record;
        core::RecordingMessages messages;
        const borehole::OpenResult result =
            borehole::OpenDocumentBytes(bytes, "fuzz.xml", record, names, ".", messages, nullptr, options);
        if (result.loaded) (void)borehole::RecordJson("fuzz.xml", result.formatCode, record);
    }
    return 0;
}
