#pragma once
// Handing a path or a command line to the system. Contract: neither call shows anything of its own on
// failure; the result alone says whether the shell or the program was started. An empty text is passed
// to the system as an empty string.
#include <string>

namespace tovel {

class IShell {
public:
    virtual ~IShell() = default;
    // Opens the path (a document, a folder, a program) the way the shell's "open" verb does; true when
    // the shell reports success.
    virtual bool ShellOpen(const std::string& path) = 0;
    // The same open with the verb "OPEN" on behalf of the window this shell was made for: that window owns
    // whatever the shell shows on the way (a question, its own error message), so it shows above it.
    virtual bool OpenForWindow(const std::string& path) = 0;
    // Starts a command line shown normally; true when the program was started.
    virtual bool RunCommand(const std::string& commandLine) = 0;
};

}  // namespace tovel
