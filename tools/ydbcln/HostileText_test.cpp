// Tests of what the program prints when what it reads is hostile: control
// characters in titles and fields are shown as U+FFFD, a long field quoted
// in an error is cut, a theory file that is damaged or holds no sound
// theory is refused for what it is, and random bytes are no payout file.
// Grouped by command.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "RunTool_test.h"
#include "db/api/TheoryFile.h"

namespace tooltest {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

bool HasControl(const std::string& text, char allowed = '\n') {
  return std::any_of(text.begin(), text.end(), [&](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c != allowed && (byte < 0x20 || byte == 0x7F);
  });
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class HostileTextTest : public ToolTest {
 protected:
  // The theory file of a stored theory, changed by `change` and sealed
  // again with its checksum.
  std::string TheoryFile(void (*change)(std::string& image)) {
    const std::string file = File("one.thr");
    if (!std::filesystem::exists(file)) {
      EXPECT_EQ(Tool({"theory", "add", "--title", "t", "--item", "1:60"}).exit_code, 0);
      EXPECT_EQ(Tool({"theory", "export", "1", file}).exit_code, 0);
    }
    std::string image = Slurp(file);
    change(image);
    const std::uint32_t crc = ydb::Crc32(std::string_view(image).substr(0, kChecksumAt));
    for (std::size_t i = 0; i < 4; ++i) image[kChecksumAt + i] = static_cast<char>(crc >> (8 * i));
    const std::string changed = File("changed.thr");
    WriteBytes(changed, image);
    return changed;
  }

  // Offsets in a theory file: the record follows the magic and version.
  static constexpr std::size_t kTitleAt = 12 + 4;
  static constexpr std::size_t kCountAt = 12 + 68;
  static constexpr std::size_t kFirstFactorAt = 12 + 72;
  static constexpr std::size_t kChecksumAt = 244;
};

TEST_F(HostileTextTest, TheoryTitlesPrintOnOneLineWithoutControls) {
  const ToolRun added = Tool({"theory", "add", "--title", "two\nlines\x1b[2J", "--item", "1:60"});
  EXPECT_EQ(added.exit_code, 0) << added.err;
  EXPECT_FALSE(HasControl(added.out)) << added.out;

  // A title with newline and escape bytes, from a theory file; one with
  // text after a NUL, which would be lost, is refused.
  const ToolRun imported = Tool({"theory", "import", TheoryFile([](std::string& image) {
                                   image.replace(kTitleAt, 4, "b\nc\x1b");
                                 })});
  EXPECT_EQ(imported.exit_code, 0) << imported.err;
  ExpectRefused(Tool({"theory", "import", TheoryFile([](std::string& image) {
                  image.replace(kTitleAt, 3, std::string("a\0b", 3));
                })}),
                "NUL");

  const ToolRun list = Tool({"theory", "list"});
  EXPECT_EQ(list.exit_code, 0) << list.err;
  EXPECT_FALSE(HasControl(list.out)) << list.out;
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 1 + 3) << list.out;
  EXPECT_NE(list.out.find("two" + kReplacement + "lines" + kReplacement + "[2J"), std::string::npos)
      << list.out;
  EXPECT_NE(list.out.find("b" + kReplacement + "c" + kReplacement), std::string::npos) << list.out;
}

TEST_F(HostileTextTest, TheoryFilesThatAreDamagedOrHoldNoSoundTheoryAreRefused) {
  const std::string damaged = File("damaged.thr");
  std::string image = Slurp(TheoryFile([](std::string&) {}));
  image[11] = 0x40;  // the version's high byte, the checksum left as it was
  WriteBytes(damaged, image);
  const ToolRun refused = Tool({"theory", "import", damaged});
  ExpectRefused(refused, "damaged");
  EXPECT_EQ(refused.err.find("newer"), std::string::npos) << refused.err;

  ExpectRefused(Tool({"theory", "import", TheoryFile([](std::string& i) { i[kCountAt] = 0; })}),
                "1 to 8 items, not 0");
  ExpectRefused(
      Tool({"theory", "import", TheoryFile([](std::string& i) { i[kFirstFactorAt] = '\xFF'; })}),
      "factor code is not 1-78");
  ExpectRefused(Tool({"theory", "add", "--title", "t"}), "--item");
  EXPECT_EQ(Json(Tool({"--json", "theory", "list"})).size(), 1u);
}

TEST_F(HostileTextTest, ImportQuotesALongFieldCutAndWithoutControls) {
  ASSERT_EQ(Tool({"export", File("csv")}).exit_code, 0);
  std::ifstream owners(File("csv/owners.csv"));
  std::string header;
  std::getline(owners, header);
  owners.close();
  const std::string field = "\x1b]0;title\x07" + std::string(1 << 20, 'A');
  WriteBytes(File("csv/owners.csv"), header + "\n100009," + field + ",x\n");
  const ToolRun run = Tool({"import", File("csv")});
  ExpectRefused(run, "owners.csv line 2");
  EXPECT_LT(run.err.size(), 1200u);
  EXPECT_FALSE(HasControl(run.err)) << run.err;
}

TEST(PayoutFileTest, RandomBytesAreNoPayoutFileAndShowNothing) {
  ytest::TempDir dir;
  std::mt19937 random(23);
  std::string bytes;
  for (int i = 0; i < 126 * 20; ++i) bytes.push_back(static_cast<char>(random()));
  const std::string file = (dir.path() / "random.bin").string();
  WriteBytes(file, bytes);
  const ToolRun run = RunTool(dir.str(), {"payouts", "--load", file, "--json"});
  ExpectRefused(run, "is not a payout file: record 1:");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace tooltest
