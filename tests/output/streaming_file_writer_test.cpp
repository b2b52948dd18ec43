#include "output/streaming_file_writer.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/process_runner.hpp"
#include "support/temporary_folder.hpp"

namespace korvelant {
namespace {

namespace fs = std::filesystem;

class StreamingFile : public testing::TemporaryFolder {
 protected:
  // Streams `pieces` into `name`, the first through fd() and the rest through Write, and
  // commits when told to.
  std::optional<std::string> Stream(const std::string& name, const std::vector<std::string>& pieces,
                                    bool commit = true) {
    StreamingFileWriter writer(PathOf(name));
    if (writer.failure()) return writer.failure();
    for (std::size_t k = 0; k < pieces.size(); ++k) {
      const std::string& piece = pieces[k];
      if (k == 0) {
        EXPECT_EQ(::write(writer.fd(), piece.data(), piece.size()),
                  static_cast<ssize_t>(piece.size()));
      } else {
        EXPECT_TRUE(writer.Write(piece));
      }
      // Until the commit the old file is there as it was.
      if (name == "old.csv") {
        EXPECT_EQ(Read(name), "old\n");
      }
    }
    return commit ? writer.Commit() : std::nullopt;
  }
};

TEST_F(StreamingFile, ReplacesWholeAtCommitAndKeepsTheMode) {
  std::ofstream(dir_ / "old.csv") << "old\n";
  ::chmod(PathOf("old.csv").c_str(), 0640);
  EXPECT_EQ(Stream("old.csv", {"a,b\n", "1,2\n"}), std::nullopt);
  EXPECT_EQ(Read("old.csv"), "a,b\n1,2\n");
  struct stat info {};
  ::stat(PathOf("old.csv").c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries().size(), 1u);

  EXPECT_EQ(Stream("new.csv", {"x\n"}), std::nullopt);
  EXPECT_EQ(Read("new.csv"), "x\n");
}

TEST_F(StreamingFile, WithoutACommitNothingChanges) {
  std::ofstream(dir_ / "old.csv") << "old\n";
  EXPECT_EQ(Stream("old.csv", {"half a row"}, false), std::nullopt);
  EXPECT_EQ(Read("old.csv"), "old\n");
  EXPECT_EQ(Stream("never.csv", {"half"}, false), std::nullopt);
  EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(StreamingFile, LinksAreKept) {
  std::ofstream(dir_ / "target.csv") << "old\n";
  fs::create_symlink("target.csv", dir_ / "link.csv");
  EXPECT_EQ(Stream("link.csv", {"via link\n"}), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.csv"));
  EXPECT_EQ(Read("target.csv"), "via link\n");

  fs::create_hard_link(dir_ / "target.csv", dir_ / "second name.csv");
  EXPECT_EQ(Stream("target.csv", {"both ", "names\n"}), std::nullopt);
  EXPECT_EQ(Read("second name.csv"), "both names\n");
  EXPECT_EQ(fs::hard_link_count(dir_ / "target.csv"), 2u);
}

TEST_F(StreamingFile, RefusesWhatCannotBeWritten) {
  EXPECT_EQ(StreamingFileWriter("").failure(), "Cannot write \"\": no file name was given");
  EXPECT_EQ(StreamingFileWriter(dir_.string()).failure(),
            "Cannot write \"" + dir_.string() + "\": it is a directory");
  EXPECT_EQ(StreamingFileWriter(PathOf("no/such.csv")).failure(),
            "Cannot write \"" + PathOf("no/such.csv") + "\": No such file or directory");
  EXPECT_EQ(StreamingFileWriter(PathOf("x")).FailurePrefix(),
            "Cannot write \"" + PathOf("x") + "\"");
}

// /dev/stdout names the program's own standard output, which a shell may have opened.
TEST_F(StreamingFile, StandardOutputByNameIsTheOpenDescriptor) {
  const testing::ProcessRun run = testing::RunProcess(
      {testing::CliPath(), "batch", "--from", "edges", "--output", "/dev/stdout", "--no-header"},
      "2 1-2 ethane\n");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind("ethane,2,1-2,", 0), 0u) << run.out;
}

}  // namespace
}  // namespace korvelant
