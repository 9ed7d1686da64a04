// One command-line convention for every program: --help and --version print on stdout and
// end with 0; misuse (an unknown option, a missing or extra argument, a bad value) names what
// was wrong, prints the usage on stderr and ends with 2. Options are declared with CLI11.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

inline constexpr int kExitMisuse = 2;
// Parse on: the program goes on with the options read.
inline constexpr int kParsedGoOn = -1;

// Gives the program its --version flag, which prints its name and `version`.
inline void declareVersion(CLI::App& app, const char* version) {
  app.set_version_flag("--version", app.get_name() + " " + version);
}

// Parses argv into the options declared on `app`. Returns kParsedGoOn when the program
// should go on, otherwise the exit status to end with (0 after --help or --version, 2 after
// misuse). Nothing of the arguments is trusted: CLI11 copies and checks them.
inline int parseProgramOptions(CLI::App& app, int argc, const char* const* argv) {
  // On Windows CLI11 would take "/name" for an option; it is a path (as Wine passes them).
  app.allow_windows_style_options(false);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  } catch (const CLI::CallForAllHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  } catch (const CLI::CallForVersion&) {
    std::fputs(app.version().c_str(), stdout);
    std::fputc('\n', stdout);
    return 0;
  } catch (const CLI::ParseError& error) {
    std::fprintf(stderr, "%s: %s\n", app.get_name().c_str(), error.what());
    std::fputs(app.help().c_str(), stderr);
    return kExitMisuse;
  }
  return kParsedGoOn;
}
