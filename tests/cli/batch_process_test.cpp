// The real program with the streams a user's shell gives it: pipes that close early, a disk
// that fills up, a terminal, an interrupt, long and odd input.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli/cli_app.hpp"
#include "cli/process_runner.hpp"
#include "support/temporary_folder.hpp"

namespace korvelant {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;
using testing::CliPath;
using testing::ProcessRun;
using testing::RunProcess;

class BatchProcess : public testing::TemporaryFolder {};

// `count` trees of 2 to 9 vertices as edge lines.
std::string ManyTrees(int count) {
  std::string text;
  for (int k = 0; k < count; ++k) {
    const int n = 2 + k % 8;
    text.append(std::to_string(n));
    for (int v = 2; v <= n; ++v) {
      text.append(v > 2 ? "," : " ").append(std::to_string((v * 7 + k) % (v - 1) + 1));
      text.append("-").append(std::to_string(v));
    }
    text.append(" tree").append(std::to_string(k)).append("\n");
  }
  return text;
}

TEST_F(BatchProcess, RowsComeOutWhileInputStillArrives) {
  ChildProcess child({CliPath(), "batch", "--from", "edges"});
  ASSERT_TRUE(child.Send("3 1-2,2-3 first\n"));
  const std::string first = child.ReadLines(2, 30);
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 2) << first;
  EXPECT_NE(first.find("\nfirst,3,"), std::string::npos) << first;
  ASSERT_TRUE(child.Send("2 1-2 second\n"));
  EXPECT_EQ(child.ReadLines(1, 30).rfind("second,2,", 0), 0u);
  child.CloseIn();
  const int status = child.Wait();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kSuccess);
}

TEST_F(BatchProcess, AReaderThatGoesAwayEndsTheBatchQuietly) {
  const std::string input = Write("many.txt", ManyTrees(200000));
  ChildProcess child({CliPath(), "batch", input});
  child.CloseIn();
  EXPECT_EQ(child.ReadLines(1, 30).rfind("name,vertices,", 0), 0u);
  child.CloseOut();  // as `| head -1` does
  std::string err;
  char buffer[4096];
  for (ssize_t count; (count = ::read(child.err(), buffer, sizeof buffer)) > 0;)
    err.append(buffer, count);
  const int status = child.Wait();
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), kCannotWrite);
  EXPECT_EQ(err, "");
}

TEST_F(BatchProcess, AFullDiskGivesOneMessageAndKeepsTheOldFile) {
  const std::string input = Write("many.txt", ManyTrees(20000));
  const int fd = ::open(PathOf("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  const ProcessRun toStandardOutput =
      RunProcess({CliPath(), "batch", input}, "", {.stdoutFd = fd, .fileSizeLimit = 65536});
  ::close(fd);
  EXPECT_EQ(toStandardOutput.exitCode, kCannotWrite) << "signal " << toStandardOutput.signal;
  EXPECT_EQ(toStandardOutput.err,
            "korvelant-cli: cannot write to standard output: File too large\n");

  const std::string output = Write("rows.csv", "old rows\n");
  const ProcessRun toFile =
      RunProcess({CliPath(), "batch", input, "--output", output}, "", {.fileSizeLimit = 65536});
  EXPECT_EQ(toFile.exitCode, kCannotWrite);
  EXPECT_EQ(toFile.err, "korvelant-cli: Cannot write \"" + output + "\": File too large\n");
  EXPECT_EQ(Read("rows.csv"), "old rows\n");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"many.txt", "rows.csv", "stdout"}));
}

TEST_F(BatchProcess, AnInterruptedBatchLeavesNoTemporaryFile) {
  const std::string output = Write("rows.csv", "old rows\n");
  ChildProcess child({CliPath(), "batch", "--from", "edges", "--output", output});
  ASSERT_TRUE(child.Send(ManyTrees(1000)));
  // The temporary beside the output appears once the batch runs.
  for (int wait = 0; wait < 1500 && Entries().size() < 2; ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_EQ(Entries().size(), 2u);
  ::kill(child.pid(), SIGINT);
  const int status = child.Wait();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
  EXPECT_EQ(Entries(), std::vector<std::string>{"rows.csv"});
  EXPECT_EQ(Read("rows.csv"), "old rows\n");
}

// Runs a batch whose input trickles in over two seconds, with `errFd` as standard error;
// gives what it wrote there.
std::string StandardErrorOfATricklingBatch(int errFd, int errRead) {
  testing::ChildSetup setup;
  setup.stderrFd = errFd;
  ChildProcess child({CliPath(), "batch", "--from", "edges"}, setup);
  ::close(errFd);
  std::thread reader([&] {
    char buffer[65536];
    while (::read(child.out(), buffer, sizeof buffer) > 0) {
    }
  });
  for (int step = 0; step < 8; ++step) {
    child.Send(ManyTrees(100));
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
  child.CloseIn();
  const int status = child.Wait();
  reader.join();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kSuccess);
  std::string err;
  char buffer[4096];
  for (ssize_t count; (count = ::read(errRead, buffer, sizeof buffer)) > 0;)
    err.append(buffer, count);
  ::close(errRead);
  return err;
}

TEST_F(BatchProcess, ProgressIsShownOnATerminalOnly) {
  int master = -1, slave = -1;
  ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  const std::string terminal = StandardErrorOfATricklingBatch(slave, master);
  EXPECT_NE(terminal.find("\r\x1b[Kkorvelant-cli: "), std::string::npos) << terminal;
  EXPECT_NE(terminal.find(" records, "), std::string::npos);
  EXPECT_LE(std::count(terminal.begin(), terminal.end(), '\r'), 2 * 4 * 3 + 1);  // a few a second
  // The line is erased at the end and gives way to the summary, the one line end.
  const std::string summary = "\r\x1b[Kkorvelant-cli: 800 trees, 0 refused, ";
  EXPECT_NE(terminal.find(summary), std::string::npos) << terminal;
  EXPECT_TRUE(terminal.ends_with(" per second\r\n")) << terminal;  // the terminal adds CR
  EXPECT_EQ(std::count(terminal.begin(), terminal.end(), '\n'), 1);

  int pipe[2];
  ASSERT_EQ(::pipe2(pipe, O_CLOEXEC), 0);
  EXPECT_EQ(StandardErrorOfATricklingBatch(pipe[1], pipe[0]), "");
}

TEST_F(BatchProcess, ATerminalSeesOneSummaryLineAfterAQuickBatch) {
  int master = -1, slave = -1;
  ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  testing::ChildSetup setup;
  setup.stderrFd = slave;
  ChildProcess child({CliPath(), "batch", "--from", "smiles", "--output", PathOf("rows.csv")},
                     setup);
  ::close(slave);
  child.Send("CC ethane\nC1CC1 ring\nCCC propane\n");
  child.CloseIn();
  const int status = child.Wait();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kSomeRecordsRefused);
  std::string err;
  char buffer[4096];
  for (ssize_t count; (count = ::read(master, buffer, sizeof buffer)) > 0;)
    err.append(buffer, static_cast<std::size_t>(count));
  ::close(master);
  EXPECT_TRUE(err.starts_with("korvelant-cli: 3 trees, 1 refused, ")) << err;
  EXPECT_TRUE(err.ends_with(" s\r\n") || err.ends_with(" per second\r\n")) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST_F(BatchProcess, SurvivesRealFiles) {
  using namespace std::string_literals;
  const std::string odd = "3 1-2,2-3 crlf\r\n"s + std::string(65 << 20, 'x') +
                          "\n2 1-2 nul\0inside\n2 1-2 bad \xff\xfe\n\x01\0\n\n2 1-2 no end"s;
  const ProcessRun run = RunProcess({CliPath(), "batch", Write("odd.txt", odd)});
  EXPECT_EQ(run.exitCode, kSomeRecordsRefused) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 7);
  std::string tooLong = "\n";
  tooLong.append(25, ',').append("\"line 2: a record of 68157440 bytes, ");
  EXPECT_NE(run.out.find(tooLong), std::string::npos);
  EXPECT_NE(run.out.find("\n\"nul\0inside\",2,1-2,"s), std::string::npos);
  EXPECT_NE(run.out.find("\"line 5: malformed vertex count \"\"\\x01\\x00\"\": write"),
            std::string::npos);
}

// Peak memory from /usr/bin/time, which measures its child alone: the test's own memory,
// shared with a child it forks, would hide what the program uses.
long PeakKb(const std::vector<std::string>& arguments, const std::string& report,
            int exitCode = kSuccess) {
  std::vector<std::string> timed = {"/usr/bin/time", "-f", "%M", "-o", report};
  timed.insert(timed.end(), arguments.begin(), arguments.end());
  const ProcessRun run = RunProcess(timed);
  EXPECT_EQ(run.exitCode, exitCode) << run.err;
  std::ifstream in(report);
  long kb = 0;
  in >> kb;
  return kb;
}

TEST_F(BatchProcess, MemoryStaysFlatHoweverLongTheInput) {
#ifdef KORVELANT_SANITIZED_BUILD
  GTEST_SKIP() << "AddressSanitizer's own bookkeeping makes memory figures meaningless";
#endif
  if (::access("/usr/bin/time", X_OK) != 0) GTEST_SKIP() << "needs /usr/bin/time (Debian: time)";
  const std::string small = Write("small.txt", ManyTrees(20000));
  const std::string large = Write("large.txt", ManyTrees(400000));
  const std::string odd = Write("odd.txt", std::string(65 << 20, 'x') + "\n" + ManyTrees(10));
  const long smallKb = PeakKb({CliPath(), "batch", small, "--jobs", "2"}, PathOf("rss"));
  const long largeKb = PeakKb({CliPath(), "batch", large, "--jobs", "2"}, PathOf("rss"));
  const long oddKb =
      PeakKb({CliPath(), "batch", odd, "--format", "jsonl"}, PathOf("rss"), kSomeRecordsRefused);
  // Twenty times the records cost no more memory, and a line past the 64 MiB limit is held
  // no further than the limit.
  EXPECT_LT(largeKb, smallKb + 2048)
      << smallKb << " KiB for 20000 records, " << largeKb << " for 400000";
  EXPECT_LT(largeKb, 30 * 1024);
  EXPECT_LT(oddKb, smallKb + 64 * 1024 + 8192) << oddKb;
}

// A table streams as the other formats do: ten times the rows cost no more memory, and a
// field past the 64 MiB limit and a quote never closed no more than the limit.
TEST_F(BatchProcess, TablesStreamInFlatMemory) {
#ifdef KORVELANT_SANITIZED_BUILD
  GTEST_SKIP() << "AddressSanitizer's own bookkeeping makes memory figures meaningless";
#endif
  if (::access("/usr/bin/time", X_OK) != 0) GTEST_SKIP() << "needs /usr/bin/time (Debian: time)";
  const auto table = [](int rows) {
    std::string text = "name,smiles,note\n";
    for (int k = 0; k < rows; ++k)
      text += "\"m" + std::to_string(k) + "\",C" + std::string(1 + k % 12, 'C') + ",\"a, b\"\n";
    return text;
  };
  const std::string small = Write("small.csv", table(5000));
  const std::string large = Write("large.csv", table(50000));
  const std::string odd = Write("odd.csv", table(10) + "CC," + std::string(65 << 20, 'x') +
                                               "\nCC,\"" + std::string(65 << 20, 'y'));
  const long smallKb = PeakKb({CliPath(), "batch", small, "--jobs", "2"}, PathOf("rss"));
  const long largeKb = PeakKb({CliPath(), "batch", large, "--jobs", "2"}, PathOf("rss"));
  const long oddKb = PeakKb({CliPath(), "batch", odd}, PathOf("rss"), kSomeRecordsRefused);
  EXPECT_LT(largeKb, smallKb + 2048)
      << smallKb << " KiB for 5000 rows, " << largeKb << " for 50000";
  EXPECT_LT(oddKb, smallKb + 64 * 1024 + 8192) << oddKb;
}

}  // namespace
}  // namespace korvelant
