// The geological-name master WdtvTSL.mst: its rows and both name tables read from the file,
// written back, and soil names decomposed into pattern numbers with the table read.

#include "borehole/SoilName.h"
#include "geology/NameMaster.h"
#include "geology/NameTable.h"
#include "FuzzSupport.h"

using namespace stracol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = fuzz::Cp932LinesOf(fuzz::BytesOf(data, size), geology::kMasterLineLimit);
    const geology::NameMaster master = geology::ParseNameMaster(lines);
    (void)geology::NameMasterLines(master);
    static const char* const kNames[] = {"砂・粘土互層", "シルト混じり砂", "礫質粘土", "砂礫", "盛土", "粘土質シルト",
                                         "風化花崗岩", "玉石混じり砂礫", "有機質土", "砂岩泥岩互層"};
    for (int kind : {0, 1}) {
        const geology::NameTable table = geology::ParseNameTable(lines, kind);
        for (const char* name : kNames) (void)borehole::DecomposeName(table, name, "");
        // The names of the master itself, as a layer of the data would give them.
        int tried = 0;
        for (const geology::MasterRow& row : master.rows) {
            if (++tried > 20) break;
            (void)borehole::DecomposeName(table, row.name, "");
        }
    }
    return 0;
}
