// Tests of the files the program writes and reads besides the data set
// (theory files, payout files): a failing write is an error, and a path
// that names a device, a FIFO or a directory is refused and left as it was;
// a symbolic link is followed, never replaced.
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

const char kDay[] = "20240106";  // the small world's race day

class ToolOutputFilesTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    ASSERT_EQ(Tool({"theory", "add", "--title", "t", "--item", "1:60"}).exit_code, 0);
  }

  // The ways of writing a file at `path`.
  std::vector<std::vector<std::string>> Writes(const std::string& path) const {
    return {{"theory", "export", "1", path},
            {"payouts", "--from", kDay, "--to", kDay, "--save", path}};
  }
};

TEST_F(ToolOutputFilesTest, AFullDiskIsAnErrorAndTheDeviceStays) {
  for (const std::vector<std::string>& args : Writes("/dev/full")) {
    SCOPED_TRACE(args.front());
    const ToolRun run = Tool(args);
    ExpectRefused(run, "/dev/full");
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
  }
}

TEST_F(ToolOutputFilesTest, AFifoOrADirectoryIsRefusedForWritingAndReading) {
  const std::string fifo = File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string directory = File("directory");
  std::filesystem::create_directory(directory);
  for (const std::string& path : {fifo, directory}) {
    for (const std::vector<std::string>& args : Writes(path)) {
      SCOPED_TRACE(path + " " + args.front());
      const ToolRun run = Tool(args);
      ExpectRefused(run, path);
      EXPECT_EQ(run.exit_code, 1);
    }
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_directory(directory));
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }

  // Reading a FIFO no one writes to must not wait for a writer.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"theory", "import", fifo}, {"payouts", "--load", fifo}}) {
    SCOPED_TRACE(args.front());
    std::string command = "timeout 20 " + Quote(YDBCLN_TOOL_PATH) + " --data " + Quote(dir_.str());
    for (const std::string& a : args) command += " " + Quote(a);
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);  // timeout's 124 when it hung
  }
}

TEST_F(ToolOutputFilesTest, ASymbolicLinkIsFollowedAndStays) {
  for (const std::vector<std::string>& args : Writes(File("link"))) {
    SCOPED_TRACE(args.front());
    std::ofstream(File("target")) << "old";
    std::filesystem::create_symlink(File("target"), File("link"));
    const ToolRun run = Tool(args);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_symlink(File("link")));
    EXPECT_NE(Slurp(File("target")), "old");
    std::filesystem::remove(File("link"));
  }
  std::filesystem::create_symlink(File("nowhere"), File("dangling"));
  for (const std::vector<std::string>& args : Writes(File("dangling"))) {
    SCOPED_TRACE(args.front());
    ExpectRefused(Tool(args), "dangling");
    EXPECT_FALSE(std::filesystem::exists(File("nowhere")));
  }
}

}  // namespace
}  // namespace tooltest
