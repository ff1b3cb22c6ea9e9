// make_large_workbook [--sheets N] [--formatted] OUT.xls
//
// Writes the 65,000 x 20 workbook of LargeWorkbook.h to OUT.xls and prints
// its Workbook stream size in bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "LargeWorkbook.h"

int main(int argc, char** argv) {
    LargeWorkbookShape shape;
    const char* out = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--formatted") == 0) {
            shape.formatted = true;
        } else if (std::strcmp(argv[i], "--sheets") == 0 && i + 1 < argc) {
            shape.sheets = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (out == nullptr && argv[i][0] != '-') {
            out = argv[i];
        } else {
            out = nullptr;
            break;
        }
    }
    if (out == nullptr || shape.sheets == 0 || shape.sheets > 100) {
        std::fprintf(stderr, "usage: make_large_workbook [--sheets 1-100] [--formatted] OUT.xls\n");
        return 2;
    }
    std::uint64_t stream = 0;
    if (!MakeLargeWorkbook(out, shape, stream)) {
        std::fprintf(stderr, "make_large_workbook: cannot write %s\n", out);
        return 1;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(stream));
    return 0;
}
