#pragma once

#include <sys/resource.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Runs the real program in a child process, as a user's shell would, with standard streams
// the test controls: pipes, a file, a pseudo-terminal.
namespace korvelant::testing {

struct ChildSetup {
  int stdoutFd = -1;                    // a descriptor to use as standard output; a pipe when -1
  int stderrFd = -1;                    // the same for standard error
  std::optional<rlim_t> fileSizeLimit;  // RLIMIT_FSIZE, with SIGXFSZ ignored, as a full disk
};

class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& arguments, const ChildSetup& setup = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The test's ends of the pipes; -1 when the stream is not a pipe or is closed.
  int in() const { return in_; }
  int out() const { return out_; }
  int err() const { return err_; }
  void CloseIn();
  void CloseOut();
  void CloseErr();

  // Writes all bytes to standard input; false when the child has stopped reading.
  bool Send(std::string_view bytes);
  // Reads standard output until it holds `lines` line ends or `seconds` pass.
  std::string ReadLines(int lines, double seconds);
  // Waits for the child; the raw status of waitpid.
  int Wait();
  int pid() const { return pid_; }
  // The child's peak resident memory in KiB, once it has been waited for.
  long maxResidentKb() const { return maxResidentKb_; }

 private:
  int pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  int err_ = -1;
  int status_ = -1;
  long maxResidentKb_ = 0;
};

struct ProcessRun {
  int exitCode = -1;  // -1 when ended by a signal
  int signal = 0;
  long maxResidentKb = 0;
  std::string out;
  std::string err;
};

// Runs the program with `input` on standard input and collects what it writes.
ProcessRun RunProcess(const std::vector<std::string>& arguments, std::string_view input = "",
                      const ChildSetup& setup = {});

// The program under test.
std::string CliPath();

}  // namespace korvelant::testing
