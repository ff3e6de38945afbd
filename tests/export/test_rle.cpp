// Tests of the run-length encoder.
#include "export/export_fixture.h"

namespace {

// Feeds bytes and the end through the encoder; returns what it wrote and
// checks that the counts it returned add up to the bytes written.
std::string encode(const std::vector<int>& input, const std::string& path) {
    PrintFile file;
    EXPECT_TRUE(print_file_open_path(file, path.c_str()));
    long counted = 0;
    for (int b : input) counted += rle_put(b, &file);
    counted += rle_put(RLE_END, &file);
    EXPECT_TRUE(print_file_close(file));
    EXPECT_EQ(export_state.rle.state, 0);
    std::string bytes = ExportTest::read_file(path);
    EXPECT_EQ(counted, static_cast<long>(bytes.size()));
    return bytes;
}

long count_only(const std::vector<int>& input) {
    long counted = 0;
    for (int b : input) counted += rle_put(b, nullptr);
    return counted + rle_put(RLE_END, nullptr);
}

std::vector<unsigned char> bytes_of(const std::string& s) { return {s.begin(), s.end()}; }

}  // namespace

class RleTest : public ExportTest {
protected:
    std::string run(const std::vector<int>& input) { return encode(input, path("rle.bin")); }
};

TEST_F(RleTest, EveryStateEndsCleanly) {
    // End in state 0, 1 and 2.
    EXPECT_EQ(bytes_of(run({})), (std::vector<unsigned char>{128}));
    EXPECT_EQ(bytes_of(run({7})), (std::vector<unsigned char>{0, 7, 128}));
    EXPECT_EQ(bytes_of(run({7, 7, 7})), (std::vector<unsigned char>{254, 7, 128}));
    // A literal pair ends in state 0, so only the end byte follows.
    EXPECT_EQ(bytes_of(run({1, 2})), (std::vector<unsigned char>{1, 1, 2, 128}));
}

TEST_F(RleTest, RunsThenDifferentBytes) {
    // A A A B: the run is closed by B, which is then held alone.
    EXPECT_EQ(bytes_of(run({'A', 'A', 'A', 'B'})),
              (std::vector<unsigned char>{254, 'A', 0, 'B', 128}));
    // A run of two followed by a different byte.
    EXPECT_EQ(bytes_of(run({5, 5, 6, 6})), (std::vector<unsigned char>{255, 5, 255, 6, 128}));
    // Alternating bytes never compress: three bytes for every two.
    EXPECT_EQ(bytes_of(run({'A', 'B', 'A', 'B'})),
              (std::vector<unsigned char>{1, 'A', 'B', 1, 'A', 'B', 128}));
}

TEST_F(RleTest, RunsAroundTheLongestRepeat) {
    EXPECT_EQ(bytes_of(run(std::vector<int>(127, 9))), (std::vector<unsigned char>{130, 9, 128}));
    // 128 equal bytes close the run at once; the end finds nothing held.
    EXPECT_EQ(bytes_of(run(std::vector<int>(128, 9))), (std::vector<unsigned char>{129, 9, 128}));
    EXPECT_EQ(bytes_of(run(std::vector<int>(129, 9))),
              (std::vector<unsigned char>{129, 9, 0, 9, 128}));
    EXPECT_EQ(bytes_of(run(std::vector<int>(300, 9))),
              (std::vector<unsigned char>{129, 9, 129, 9, 213, 9, 128}));
}

TEST_F(RleTest, CountingAgreesWithWritingAndDataRoundTrips) {
    // Mixed data: runs of every length up to 300, literals and byte values 0 and 255.
    std::vector<int> input;
    unsigned seed = 12345;
    for (int block = 0; block < 400; ++block) {
        seed = seed * 1103515245u + 12345u;
        int value = static_cast<int>((seed >> 8) & 255);
        int length = static_cast<int>((seed >> 20) % 300) + 1;
        if (block % 3 == 0) length = 1;
        if (block % 7 == 0) value = block % 2 ? 255 : 0;
        input.insert(input.end(), length, value);
    }
    const long counted = count_only(input);
    const std::string written = run(input);
    EXPECT_EQ(counted, static_cast<long>(written.size()));
    size_t consumed = 0;
    std::vector<unsigned char> decoded = rle_decode(written, &consumed);
    EXPECT_EQ(consumed, written.size());
    EXPECT_EQ(std::vector<int>(decoded.begin(), decoded.end()), input);
}

TEST_F(RleTest, WholeRunsEncodeAsTheirBytesOneByOne) {
    // Runs of every length around the repeat limits, after every state.
    std::vector<std::pair<int, long>> runs;
    unsigned seed = 777;
    for (int k = 0; k < 3000; ++k) {
        seed = seed * 1103515245u + 12345u;
        int value = static_cast<int>((seed >> 10) % 3);  // few values, so runs meet
        long length = static_cast<long>((seed >> 16) % 7) + 1;
        if (k % 5 == 0) length = 120 + static_cast<long>((seed >> 4) % 20);
        if (k % 11 == 0) length = 250 + static_cast<long>((seed >> 6) % 300);
        runs.push_back({value, length});
    }
    PrintFile by_bytes, by_runs;
    ASSERT_TRUE(print_file_open_path(by_bytes, path("bytes.bin").c_str()));
    ASSERT_TRUE(print_file_open_path(by_runs, path("runs.bin").c_str()));
    long counted_bytes = 0, counted_runs = 0, counted_only = 0;
    for (auto [value, length] : runs)
        for (long i = 0; i < length; ++i) counted_bytes += rle_put(value, &by_bytes);
    counted_bytes += rle_put(RLE_END, &by_bytes);
    for (auto [value, length] : runs) counted_runs += rle_put_run(value, length, &by_runs);
    counted_runs += rle_put(RLE_END, &by_runs);
    for (auto [value, length] : runs) counted_only += rle_put_run(value, length, nullptr);
    counted_only += rle_put(RLE_END, nullptr);
    ASSERT_TRUE(print_file_close(by_bytes));
    ASSERT_TRUE(print_file_close(by_runs));
    const std::string expected = read_file(path("bytes.bin"));
    EXPECT_EQ(read_file(path("runs.bin")), expected);
    EXPECT_EQ(counted_runs, counted_bytes);
    EXPECT_EQ(counted_only, counted_bytes);
    EXPECT_EQ(counted_bytes, static_cast<long>(expected.size()));
}
