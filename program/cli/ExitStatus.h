#pragma once

namespace kelp::cli {

// Exit statuses of the subcommands. Scripts and the manual page rely on the
// numbers: never renumber one.
enum ExitStatus : int {
    kExitOk = 0,
    kExitUsage = 2,       // the command line is wrong
    kExitPortOpen = 3,    // the port cannot be opened
    kExitNoReply = 4,     // the instrument does not answer
    kExitCommFailed = 5,  // send or line errors
    kExitInstrumentEmpty = 6,
    kExitBadInput = 7,       // an input file cannot be read or is not a data file
    kExitWriteFailed = 8,    // an output file cannot be written
    kExitCountDiffers = 9,   // saved, but not as many records as the instrument announced
    kExitInterrupted = 130,  // SIGINT, SIGTERM or SIGHUP; what had arrived is saved
};

}  // namespace kelp::cli
