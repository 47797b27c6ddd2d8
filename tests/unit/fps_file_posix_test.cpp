// The file reader of the native build; the Windows one has its own tests under Wine.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "results/fps_reader.h"

namespace quorvath {
namespace {

class FpsFilePosix : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quorvath-fps-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::remove(File().c_str());
    rmdir(folder_.c_str());
  }
  std::string File() const { return folder_ + "/HQ_FPS.txt"; }
  void Write(const std::string& bytes) const { std::ofstream(File(), std::ios::binary) << bytes; }
  std::string ReadBack() const {
    std::ifstream in(File(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::string folder_;
};

TEST_F(FpsFilePosix, ReadsTheFileAsItsBytesAndLeavesItUnchanged) {
  std::string bytes;
  for (int k = 0; k < 30'000; ++k)
    bytes += "L" + std::to_string(k) + "\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n";
  Write(bytes);
  const FpsReadResult from_file = ReadFpsFile(File());
  const FpsReadResult from_bytes = ReadFpsBytes(bytes);
  ASSERT_EQ(from_file.records.size(), 30'000u);
  EXPECT_FALSE(from_file.damaged());
  EXPECT_EQ(from_file.record_count, 30'001u);
  for (std::size_t i = 0; i < from_file.records.size(); i += 997) {
    EXPECT_EQ(from_file.records[i], from_bytes.records[i]);
  }
  EXPECT_EQ(ReadBack(), bytes);
}

TEST_F(FpsFilePosix, AMissingFileCannotBeOpened) {
  const FpsReadResult result = ReadFpsFile(File());
  EXPECT_TRUE(result.records.empty());
  EXPECT_EQ(result.record_count, 1u);
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kCannotOpen, 0, ENOENT}));
}

TEST_F(FpsFilePosix, AFolderCannotBeOpenedAsAFile) {
  const FpsReadResult result = ReadFpsFile(folder_);
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kCannotOpen, 0, EISDIR}));
}

TEST_F(FpsFilePosix, AnEmptyFileIsAValidFileWithoutRecords) {
  Write("");
  const FpsReadResult result = ReadFpsFile(File());
  EXPECT_TRUE(result.records.empty());
  EXPECT_EQ(result.record_count, 1u);
  EXPECT_FALSE(result.damaged());
}

}  // namespace
}  // namespace quorvath

#endif
