// validate-library [DATA_DIR]: checks a program folder's library files (LibraryValidator.h).
// Without an argument it checks the program folder of this binary. Prints each fault as
// "file [section] key: message"; exit status 0 when there is none, 1 when there are faults,
// 2 for wrong arguments.

#include "LibraryValidator.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace {

#ifndef CHORDALIS_DATA_FROM_BINDIR
#define CHORDALIS_DATA_FROM_BINDIR "../share/chordalis"
#endif
#ifndef CHORDALIS_INSTALLED_DATADIR
#define CHORDALIS_INSTALLED_DATADIR "/usr/local/share/chordalis"
#endif

// The folder that holds chord.ini beside the binary (a build), or the installed data folder:
// found from the binary's folder as the build was configured, then at its configured place.
std::filesystem::path defaultDataDir(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv0, ec);
    const std::filesystem::path here = exe.parent_path();
    if (std::filesystem::exists(here / "chord.ini", ec))
        return here;
    for (const std::filesystem::path& installed :
         {(here / CHORDALIS_DATA_FROM_BINDIR).lexically_normal(),
          std::filesystem::path(CHORDALIS_INSTALLED_DATADIR)}) {
        if (std::filesystem::exists(installed / "chord.ini", ec))
            return installed;
    }
    return here;
}

} // namespace

int main(int argc, char** argv) {
    const std::string usage = "usage: validate-library [DATA_DIR]\n";
    if (argc > 2) {
        std::cerr << usage;
        return 2;
    }
    if (argc == 2 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help")) {
        std::cout << usage;
        return 0;
    }
    if (argc == 2 && argv[1][0] == '-') {
        std::cerr << "validate-library: unknown option " << argv[1] << "\n" << usage;
        return 2;
    }
    const std::filesystem::path dir = argc == 2 ? argv[1] : defaultDataDir(argv[0]);
    if (!std::filesystem::is_directory(dir)) {
        std::cerr << "validate-library: " << dir.string() << " is not a folder\n";
        return 2;
    }

    chordalis::LibraryValidator validator(dir);
    try {
        validator.run();
    } catch (const std::exception& e) {
        // A check that trips over a value it did not foresee still ends in a message.
        std::cerr << "validate-library: the check stopped: " << e.what() << "\n";
        return 1;
    }
    for (const auto& w : validator.warnings())
        std::cout << "warning: " << w.text() << "\n";
    for (const auto& f : validator.faults())
        std::cout << f.text() << "\n";
    if (!validator.faults().empty()) {
        std::cout << validator.faults().size() << " fault(s) in " << dir.string() << "\n";
        return 1;
    }
    std::cout << "Library in " << dir.string() << ": no faults.\n" << validator.summaryText();
    return 0;
}
