// morva-vtrsim: a simulated recorder and drive tester on a pseudo-terminal.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "sim/pty_server.h"
#include "sim/sim_options.h"
#include "sim/vtr_simulator.h"

namespace {

// SIGTERM, SIGINT and SIGHUP write a byte here; the serving loop polls the
// other end and returns, so the link is removed on the way out.
int stopPipe[2] = {-1, -1};

extern "C" void onStopSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(stopPipe[1], &byte, 1);
    errno = saved;
}

bool installSignals() {
    if (::pipe(stopPipe) != 0) return false;
    for (int fd : stopPipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        if (::sigaction(signal, &action, nullptr) != 0) return false;
    }
    // A closed standard output must not end the simulator, and reading the
    // control input from a terminal while in the background must fail
    // instead of stopping the process.
    ::signal(SIGPIPE, SIG_IGN);
    ::signal(SIGTTIN, SIG_IGN);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace morva::sim;
    const OptionsResult parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::cerr << "morva-vtrsim: " << parsed.error << "\n" << usageText();
        return 2;
    }
    const SimOptions& options = *parsed.options;
    if (options.help) {
        std::cout << usageText();
        return 0;
    }
    if (!installSignals()) {
        std::cerr << "morva-vtrsim: cannot install the signal handlers\n";
        return 1;
    }
    VtrSimulator simulator(options.identity, options.counters, options.seed);
    simulator.setFaultMode(options.fault);
    try {
        PtyServer server(simulator, options, std::cout, std::cerr);
        server.start();
        return server.run(stopPipe[0], STDIN_FILENO);
    } catch (const std::exception& error) {
        std::cerr << "morva-vtrsim: " << error.what() << std::endl;
        return 1;
    }
}
