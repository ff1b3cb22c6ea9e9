// make-damaged-sample OUTPUT.xls: writes the project's damaged sample
// workbook, the input of the README's repair command.
#include <cstdio>
#include <fstream>

#include "tools/samples/SampleWorkbook.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-damaged-sample OUTPUT.xls\n");
        return 64;
    }
    const std::vector<std::uint8_t> file = BuildDamagedSampleFile();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make-damaged-sample: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote damaged sample workbook %s (%zu bytes)\n", argv[1], file.size());
    return 0;
}
