// format-roundtrip ORIGINAL.xls COPY.xls: repairs both with our reader and
// prints, per cell-format attribute, how many of the original's cells the
// copy shows with the same value (CFormatAgreement).
#include <cstdio>

#include "model/CExcelData.h"
#include "platform/ScopedMessageCapture.h"
#include "repair/RepairFile.h"
#include "tools/diag/CFormatAgreement.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: format-roundtrip ORIGINAL.xls COPY.xls\n");
        return 2;
    }
    ScopedMessageCapture quiet;
    CExcelData original;
    original.SetSourcePath(argv[1]);
    CExcelData copy;
    copy.SetSourcePath(argv[2]);
    if (!RepairFile(&original) || !RepairFile(&copy)) {
        std::fprintf(stderr, "format-roundtrip: a file could not be read\n");
        return 1;
    }
    for (const auto& [name, tally] : CFormatAgreement::Compare(original, copy))
        std::printf("%-18s %8llu %8llu\n", name.c_str(),
                    static_cast<unsigned long long>(tally.items),
                    static_cast<unsigned long long>(tally.equal));
    return 0;
}
