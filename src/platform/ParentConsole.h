// Where a program without a window writes its output: the standard output and
// error it was given (a file or a pipe), else the console of the process that
// started it.
#pragma once

#include <string>

namespace tallow {

enum class ConsoleStream { Output, Error };

class IParentConsole {
  public:
    virtual ~IParentConsole() = default;
    /// Writes `text` (the ANSI code page; ASCII is also UTF-8) to `stream`: to
    /// the file or pipe the stream was redirected to, byte for byte, else to the
    /// console of the parent process (AttachConsole(ATTACH_PARENT_PROCESS),
    /// attached on first use). False when there is neither: the text goes nowhere.
    virtual bool Write(ConsoleStream stream, const std::string& text) = 0;
};

}  // namespace tallow
