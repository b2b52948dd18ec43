#include "cli/process_runner.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <stdexcept>

namespace korvelant::testing {
namespace {

void MakePipe(int ends[2]) {
  if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
}

void CloseQuietly(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

std::string CliPath() {
  return KORVELANT_CLI_PATH;
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const ChildSetup& setup) {
  // The test itself must survive writing to a child that has gone.
  std::signal(SIGPIPE, SIG_IGN);
  int input[2], output[2] = {-1, -1}, error[2] = {-1, -1};
  MakePipe(input);
  if (setup.stdoutFd < 0) MakePipe(output);
  if (setup.stderrFd < 0) MakePipe(error);
  std::vector<char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::dup2(input[0], STDIN_FILENO);
    ::dup2(setup.stdoutFd >= 0 ? setup.stdoutFd : output[1], STDOUT_FILENO);
    ::dup2(setup.stderrFd >= 0 ? setup.stderrFd : error[1], STDERR_FILENO);
    std::signal(SIGPIPE, SIG_DFL);
    if (setup.fileSizeLimit) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{*setup.fileSizeLimit, *setup.fileSizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(input[0]);
  in_ = input[1];
  if (output[1] >= 0) ::close(output[1]), out_ = output[0];
  if (error[1] >= 0) ::close(error[1]), err_ = error[0];
}

ChildProcess::~ChildProcess() {
  CloseIn();
  CloseOut();
  CloseQuietly(err_);
  if (status_ < 0 && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    Wait();
  }
}

void ChildProcess::CloseIn() {
  CloseQuietly(in_);
}
void ChildProcess::CloseOut() {
  CloseQuietly(out_);
}
void ChildProcess::CloseErr() {
  CloseQuietly(err_);
}

bool ChildProcess::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(in_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string ChildProcess::ReadLines(int lines, double seconds) {
  std::string text;
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::count(text.begin(), text.end(), '\n') < lines) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd ready{out_, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[4096];
    const ssize_t count = ::read(out_, buffer, sizeof buffer);
    if (count <= 0) break;
    text.append(buffer, static_cast<std::size_t>(count));
  }
  return text;
}

int ChildProcess::Wait() {
  if (status_ >= 0) return status_;
  int status = 0;
  rusage usage{};
  while (::wait4(pid_, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  status_ = status;
  maxResidentKb_ = usage.ru_maxrss;
  return status_;
}

ProcessRun RunProcess(const std::vector<std::string>& arguments, std::string_view input,
                      const ChildSetup& setup) {
  ChildProcess child(arguments, setup);
  ProcessRun run;
  if (input.empty()) child.CloseIn();
  ::fcntl(child.in(), F_SETFL, O_NONBLOCK);
  // Feeds the input and drains both outputs together, so that neither side blocks.
  while (child.in() >= 0 || child.out() >= 0 || child.err() >= 0) {
    std::vector<pollfd> watched;
    if (child.in() >= 0) watched.push_back({child.in(), POLLOUT, 0});
    if (child.out() >= 0) watched.push_back({child.out(), POLLIN, 0});
    if (child.err() >= 0) watched.push_back({child.err(), POLLIN, 0});
    if (::poll(watched.data(), watched.size(), 60000) <= 0) break;
    for (const pollfd& entry : watched) {
      if (entry.revents == 0) continue;
      if (entry.fd == child.in()) {
        const ssize_t written = ::write(entry.fd, input.data(), input.size());
        if (written > 0) input.remove_prefix(static_cast<std::size_t>(written));
        if (written < 0 && errno != EAGAIN) input = {};
        if (input.empty()) child.CloseIn();
        continue;
      }
      char buffer[65536];
      const ssize_t count = ::read(entry.fd, buffer, sizeof buffer);
      std::string& into = entry.fd == child.out() ? run.out : run.err;
      if (count > 0) {
        into.append(buffer, static_cast<std::size_t>(count));
      } else if (entry.fd == child.out()) {
        child.CloseOut();
      } else {
        child.CloseErr();
      }
    }
  }
  const int status = child.Wait();
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  run.maxResidentKb = child.maxResidentKb();
  return run;
}

}  // namespace korvelant::testing
