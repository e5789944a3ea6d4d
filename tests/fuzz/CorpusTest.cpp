// The fuzz targets' seed corpora run as ordinary tests, so every input that
// once mattered keeps running in the normal test suite without a fuzzer.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

TEST(ExpressionFuzzCorpus, EveryInputRunsThroughTheTarget)
{
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VQ_EXPRESSION_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "empty corpus " << VQ_EXPRESSION_CORPUS;
}

} // namespace
