// Through the shell, which reads the command line as a person's would.

#include "support/CliProgram.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/TempTree.h"

namespace vellomar::test {

CliRun RunCli(const CliHomes& homes, const std::string& arguments,
              const std::filesystem::path& scratch) {
    const auto out = scratch / "out.txt";
    const auto err = scratch / "err.txt";
    const std::string command = "XDG_CONFIG_HOME=" + homes.config.string() +
                                " XDG_CACHE_HOME=" + homes.cache.string() +
                                " XDG_DATA_HOME=" + (scratch / "share").string() + " " +
                                VELLOMAR_CLI_PATH + " " + arguments + " >" + out.string() +
                                " 2>" + err.string();
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.rawOut = ReadWholeFile(out);
    run.out = OutputLines(run.rawOut);
    run.err = OutputLines(ReadWholeFile(err));
    return run;
}

}  // namespace vellomar::test
