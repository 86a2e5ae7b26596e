// The sines the ripples take, on this build's C library against another's:
// `write FILE` stores every sine, `compare FILE` counts the sines that
// differ from the stored ones and the values the ripples narrow them to that
// differ. ripple: the angle float(i / scale) for strips 0..1999 and scales
// -300..-1 and 1..300, narrowed to a float; ripple_circ: the angle of each
// distance of a period for periods 1..400, its factor 1 + sin · strength /
// 100 narrowed to a float for strengths -300..300.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Angle {
    double value;
    bool ring;  // ripple_circ's, else ripple's
};

std::vector<Angle> angles() {
    std::vector<Angle> all;
    for (int32_t scale = -300; scale <= 300; ++scale)
        for (int32_t i = 0; scale != 0 && i < 2000; ++i)
            all.push_back(
                {static_cast<double>(static_cast<float>(static_cast<double>(i) / scale)), false});
    for (int32_t period = 1; period <= 400; ++period)
        for (int64_t m = 0; m < period; ++m)
            all.push_back(
                {((static_cast<double>(m) * 3.1415926535) * 2) / period + 4.71238898025, true});
    return all;
}

bool narrowed_differ(const Angle& a, double mine, double theirs) {
    if (!a.ring) return static_cast<float>(mine) != static_cast<float>(theirs);
    for (int32_t strength = -300; strength <= 300; ++strength)
        if (static_cast<float>(1.0 + (mine * strength) / 100.0) !=
            static_cast<float>(1.0 + (theirs * strength) / 100.0))
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "write") && std::strcmp(argv[1], "compare"))) {
        std::fprintf(stderr, "usage: sine_survey write|compare FILE\n");
        return 2;
    }
    const std::vector<Angle> all = angles();
    const bool write = std::strcmp(argv[1], "write") == 0;
    std::FILE* file = std::fopen(argv[2], write ? "wb" : "rb");
    if (!file) return std::perror(argv[2]), 1;
    long sines = 0, differ = 0, narrowed = 0;
    for (const Angle& a : all) {
        double mine = std::sin(a.value), theirs = 0;
        if (write) {
            std::fwrite(&mine, sizeof mine, 1, file);
            continue;
        }
        if (std::fread(&theirs, sizeof theirs, 1, file) != 1)
            return std::fprintf(stderr, "short file\n"), 1;
        ++sines;
        if (std::memcmp(&mine, &theirs, sizeof mine) != 0) {
            ++differ;
            narrowed += narrowed_differ(a, mine, theirs);
        }
    }
    std::fclose(file);
    if (!write)
        std::printf("%ld sines: %ld differ in their last bits, %ld of them after narrowing\n",
                    sines, differ, narrowed);
    return 0;
}
