#include "io/ngspice_run.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "io/atomic_save.h"

namespace tov {
namespace {

namespace fs = std::filesystem;
constexpr auto kPoll = std::chrono::milliseconds(5);
constexpr int kCannotStart = 127;

}  // namespace

bool NgspiceInstalled() {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (!folder.empty() && access((fs::path(folder) / "ngspice").c_str(), X_OK) == 0) return true;
  }
  return false;
}

NgspiceRun RunNgspice(const std::string& deck, double timeout_seconds,
                      const std::atomic<bool>* cancel) {
  NgspiceRun run;
  if (!NgspiceInstalled()) {
    run.error = "ngspice is not installed (Debian: apt install ngspice).";
    return run;
  }
  std::string pattern = (fs::temp_directory_path() / "tov_ngspice_XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    run.error = "No temporary folder for the simulation could be made.";
    return run;
  }
  const fs::path dir = pattern;
  const fs::path deck_file = dir / "converter.cir", output_file = dir / "ngspice.out";
  if (const std::string failure = AtomicSave(deck_file.string(), deck); !failure.empty()) {
    run.error = "The simulation deck could not be written: " + failure;
    fs::remove_all(dir);
    return run;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int out = open(output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || in < 0 || chdir(dir.c_str()) != 0) _exit(kCannotStart);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    execlp("ngspice", "ngspice", "-b", deck_file.c_str(), static_cast<char*>(nullptr));
    _exit(kCannotStart);
  }
  int status = 0;
  bool ended = child < 0;
  while (!ended) {
    if (waitpid(child, &status, WNOHANG) == child) {
      ended = true;
      run.finished = WIFEXITED(status) && WEXITSTATUS(status) != kCannotStart;
      if (!run.finished) run.error = "ngspice could not be started or was stopped.";
      break;
    }
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool cancelled = cancel && cancel->load();
    if (cancelled || elapsed > timeout_seconds) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      run.error = cancelled ? "The simulation was cancelled."
                            : "ngspice did not finish within the time allowed.";
      break;
    }
    std::this_thread::sleep_for(kPoll);
  }
  if (child < 0) run.error = "ngspice could not be started.";
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::ifstream in(output_file, std::ios::binary);
  run.output.assign(std::istreambuf_iterator<char>(in), {});
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return run;
}

}  // namespace tov
