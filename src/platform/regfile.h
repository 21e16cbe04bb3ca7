#pragma once
// Where the registry file lives and how it is read and replaced. Reads take
// no lock and create nothing. Updates hold an exclusive flock on the lock
// file beside the data file, re-read the file under it, and replace the file
// (the symlink's target, when it is one) by an fsync'ed temporary file and a
// rename, so a kill at any moment leaves the old file or the new one.
#include <functional>
#include <optional>
#include <string>

#include "platform/regdecode.h"
#include "platform/registry.h"

namespace vcl::reg {

struct StorePaths {
    std::string dir;   // .../Kestrun
    std::string file;  // .../Kestrun/Tolvane.reg
    std::string lock;  // .../Kestrun/Tolvane.reg.lock
};

// From XDG_CONFIG_HOME, else HOME, else the password database; nothing when
// none of them gives an absolute folder.
std::optional<StorePaths> LocateStore();

// The file as a reader sees it. Missing counts as Empty; unreadable, not a
// regular file, or too large counts as NotRegistry.
DecodedFile LoadStore(const std::string& file);

struct EditResult {
    LONG status = ERROR_SUCCESS;
    std::optional<std::string> text;  // the new text; none leaves the file alone
};
using Edit = std::function<EditResult(const std::string& current)>;

// Runs `edit` under the lock on the current text (empty for a missing or
// empty file) and stores what it returns. ERROR_BADDB when the file is not a
// registry file; other errors when the file system refuses.
LONG UpdateStore(const StorePaths& paths, const Edit& edit);

} // namespace vcl::reg
