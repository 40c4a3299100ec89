// Starting helper programs and scripts.
#pragma once

#include <string>

namespace tallow {

struct TProcessRequest {
    std::string application;    // full path of the program or script
    std::string commandLine;    // the whole command line, program part included
    std::string workingFolder;  // the new process's current folder
    bool hidden = false;        // STARTF_USESHOWWINDOW with SW_HIDE
    int timeoutMs = -1;         // -1: no limit
    bool wait = false;          // wait for the process to end (at most the time-out)
};

class IProgramStarter {
  public:
    virtual ~IProgramStarter() = default;
    /// CreateProcess with the request; a batch file runs in the command interpreter.
    /// True when the process was created.
    virtual bool Start(const TProcessRequest& request) = 0;
};

}  // namespace tallow
