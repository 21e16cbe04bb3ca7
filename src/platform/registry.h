#pragma once
// The registry calls the settings store uses, in their Win32 shapes, over one
// text file in the registry-export format: $XDG_CONFIG_HOME/Kestrun/Tolvane.reg
// ($HOME/.config/... when the variable is unset, empty or not absolute).
//
// Only HKEY_CURRENT_USER has a home. Key and value names compare without ASCII
// letter case and keep the case they were first written with. Reads take no
// lock and never create anything; an open handle reads the file again for each
// query, so another program's change shows at the next read. Writes are
// serialised by flock on Tolvane.reg.lock, edit only the one line they change
// and replace the file atomically. A file that is not a registry file (no
// header, undecodable, not a regular file, over 256 MiB) reads as holding no
// keys and is never written; an empty file is taken as a new one.
#include <cstdint>

namespace vcl {

using BYTE = std::uint8_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using REGSAM = DWORD;

// Opaque key handle; only the registry functions look inside.
struct RegKey;
using HKEY = RegKey*;
extern const HKEY HKEY_CURRENT_USER;

// Accepted for the call shape; nothing reads it.
struct SECURITY_ATTRIBUTES;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;   // no such key or value
inline constexpr LONG ERROR_PATH_NOT_FOUND = 3;   // no place for the file (no home folder)
inline constexpr LONG ERROR_ACCESS_DENIED = 5;    // handle lacks the right, or the file system refused
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_OUTOFMEMORY = 14;
inline constexpr LONG ERROR_WRITE_FAULT = 29;     // the new file could not be written
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_DISK_FULL = 112;
inline constexpr LONG ERROR_LOCK_FAILED = 167;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_BADDB = 1009;         // the file is not a registry file
inline constexpr LONG ERROR_KEY_DELETED = 1018;   // the handle's key is gone from the file

// Opens an existing key below `root`; never creates anything. `subKey` is a
// backslash path without a leading backslash; null or empty opens `root` again.
LONG RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result);

// Opens the key, or creates it and every missing key on its path. `reserved`
// must be 0; `cls`, `options` and `sa` are accepted and passed over.
// `disposition`, when given, says REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
LONG RegCreateKeyExA(HKEY root, const char* subKey, DWORD reserved, const char* cls, DWORD options,
                     REGSAM access, const SECURITY_ATTRIBUTES* sa, HKEY* result, DWORD* disposition);

// With `data` null, reports the type and size only. A buffer smaller than the
// data gets nothing: the result is ERROR_MORE_DATA with *size set to the need.
// A null or empty name is the key's default value.
LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);

// Stores exactly `size` bytes as the value, replacing one of any type.
LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);

LONG RegCloseKey(HKEY key);

} // namespace vcl
