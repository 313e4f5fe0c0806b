// velquist-merge with a chart step that draws nothing, for comparing the
// merged pages of builds that cannot draw the chart with those that can.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "base/system_text.hpp"
#include "cli/cli.hpp"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(velquist::WideToUtf8(argv[i]));
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    return velquist::RunCli(args, std::cout, std::cerr, [](const velquist::TMT4TestReport&) {});
}
