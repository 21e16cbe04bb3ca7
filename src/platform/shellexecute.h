#pragma once
// The shell's "open" operation: start a program, or hand a document or an
// address to the desktop's default handler. Started programs are detached:
// they get their own session, /dev/null for the standard streams, none of
// our other descriptors, and they are never waited for.
#include <cstdint>

#include "platform/wintypes.h"

namespace vcl {

// Failure results, as the original call reports them (all <= 32).
inline constexpr std::intptr_t SE_ERR_FNF = 2;          // no such file
inline constexpr std::intptr_t SE_ERR_PNF = 3;          // no such folder
inline constexpr std::intptr_t SE_ERR_ACCESSDENIED = 5; // may not start it
inline constexpr std::intptr_t SE_ERR_OOM = 8;          // out of processes or memory
inline constexpr std::intptr_t ERROR_BAD_FORMAT = 11;   // not a program the system can run
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;     // no handler, or an unknown operation

// What `file` (and, when it is empty, `parameters`) means, for operation
// "open" (or nullptr, the default operation; compared without case):
// - an address "scheme:..." (scheme of two or more letters, digits, '+', '-',
//   '.', starting with a letter, so "c:\..." is no address): the default
//   handler gets it as its one argument; parameters are ignored;
// - empty `file` and `parameters` that are exactly an address: the same for
//   that address;
// - a path with '/' (relative ones from the current folder): an executable
//   regular file is started with SplitCommandLine(parameters) as its
//   arguments; anything else that exists (a document, a folder) goes to the
//   default handler as an absolute path;
// - a bare name without '/': the first executable of that name on PATH is
//   started. The current folder is not searched; write "./name" for that.
// The default handler is TOLVANE_OPEN_HANDLER (a path) when set, else
// xdg-open from PATH. A path is always one path, blanks and all; nothing
// passes through a shell.
// `directory`, when not empty, is the started program's working folder.
// `owner` and `showCommand` are accepted and passed over.
// Returns a value > 32 once the program or handler has been started (its
// exec succeeded; that is all we wait for), a value <= 32 when nothing was
// started. A file marked executable that the system cannot run (a script
// without "#!") is refused rather than given to a shell.
std::intptr_t ShellExecuteA(HWND owner, const char* operation, const char* file,
                            const char* parameters, const char* directory, int showCommand);

} // namespace vcl
