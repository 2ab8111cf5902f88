// tavix-cli: the jobs of the Tavix window without a window.
#include <unistd.h>
#include <QCoreApplication>
#include <cstdio>
#include <iostream>

#include "Commands.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    const tavix::cli::Io io{std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0};
    const int status = tavix::cli::RunCli(args, io);
    std::cout.flush();
    return status;
}
