// Which vector sets the row tests run on this CPU, printed for the log. A CPU
// (or an emulator) that offers AVX2 must have its AVX2 rows tested: a build
// that lost them, or a level check that misreads the CPU, fails here.
// LUMORIA_EXPECT_AVX2=1 says that the machine has AVX2, so an emulator that
// hides it fails too.
#include "tests/internal/vector_sets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/cpu_features.h"
#include "lumoria/transfer/transfer_rows.h"

namespace {

bool cpu_offers_avx2() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

TEST(VectorSets, TheRowTestsRunEverySetTheCpuOffers) {
    std::string names = "plain";
    for (const auto& set : vector_sets_of(lumoria::kTransferVariants)) names += " " + set.name;
    std::printf("vector sets the row tests run on this CPU: %s\n", names.c_str());

    const char* expect = std::getenv("LUMORIA_EXPECT_AVX2");
    if (expect && std::string(expect) == "1") {
        EXPECT_TRUE(cpu_offers_avx2()) << "this machine has AVX2, but the CPU the tests run on "
                                          "does not offer it (an emulator hiding it?)";
    }
    if (cpu_offers_avx2()) {
        EXPECT_GE(host::cpu_vector_level(), host::kAvx2Level);
        EXPECT_NE(names.find(" avx2"), std::string::npos) << names;
    }
}

}  // namespace
