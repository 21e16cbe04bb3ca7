// The registry calls: handles, argument checks and Win32 results over the
// file store (regfile) and its text (regdoc).
#include "platform/registry.h"

#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <unordered_set>

#include "platform/regdoc.h"
#include "platform/regfile.h"
#include "platform/regnames.h"

namespace vcl {

struct RegKey {
    std::string path;  // ROOT\A\B, spelled as the caller asked for it
    REGSAM access;
};

namespace {

RegKey gCurrentUser{"HKEY_CURRENT_USER", KEY_ALL_ACCESS};

// Handles in use, so that a stale or foreign pointer is refused instead of
// dereferenced.
std::mutex gHandlesMutex;
std::unordered_set<RegKey*> gHandles;

bool LookUp(HKEY key, RegKey& out) {
    if (key == &gCurrentUser) {
        out = gCurrentUser;
        return true;
    }
    std::lock_guard lock(gHandlesMutex);
    if (!gHandles.contains(key)) return false;
    out = *key;
    return true;
}

HKEY NewHandle(std::string path, REGSAM access) {
    auto* key = new RegKey{std::move(path), access};
    std::lock_guard lock(gHandlesMutex);
    gHandles.insert(key);
    return key;
}

// Names are one line of text; a line end could not be written back.
bool IsValidName(std::string_view name) { return name.find_first_of("\r\n") == std::string_view::npos; }

// `sub` is relative: no leading backslash and no empty part.
bool JoinPath(const std::string& parent, const char* sub, std::string& out) {
    out = parent;
    if (!sub || !*sub) return true;
    std::string_view rest(sub);
    if (!IsValidName(rest)) return false;
    for (;;) {
        std::size_t cut = rest.find('\\');
        std::string_view part = rest.substr(0, cut);
        if (part.empty()) return false;
        out += '\\';
        out.append(part);
        if (cut == std::string_view::npos) return true;
        rest.remove_prefix(cut + 1);
    }
}

// The registry calls are C-shaped and must not throw; running out of memory
// on a huge file is reported like any other failure.
template <typename F>
LONG Guarded(F&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    } catch (...) {
        return ERROR_WRITE_FAULT;
    }
}

bool KeyInFile(const std::string& path) {
    if (reg::IsRootPath(path)) return true;
    auto paths = reg::LocateStore();
    if (!paths) return false;
    reg::DecodedFile file = reg::LoadStore(paths->file);
    return file.kind != reg::FileKind::NotRegistry && reg::KeyExists(file.text, path);
}

} // namespace

const HKEY HKEY_CURRENT_USER = &gCurrentUser;

LONG RegOpenKeyExA(HKEY root, const char* subKey, DWORD /*options*/, REGSAM access, HKEY* result) {
    return Guarded([&]() -> LONG {
        if (!result) return ERROR_INVALID_PARAMETER;
        *result = nullptr;
        RegKey parent;
        if (!LookUp(root, parent)) return ERROR_INVALID_HANDLE;
        std::string path;
        if (!JoinPath(parent.path, subKey, path)) return ERROR_INVALID_PARAMETER;
        if (!KeyInFile(path)) return ERROR_FILE_NOT_FOUND;
        *result = NewHandle(std::move(path), access);
        return ERROR_SUCCESS;
    });
}

LONG RegCreateKeyExA(HKEY root, const char* subKey, DWORD reserved, const char* /*cls*/, DWORD /*options*/,
                     REGSAM access, const SECURITY_ATTRIBUTES* /*sa*/, HKEY* result, DWORD* disposition) {
    return Guarded([&]() -> LONG {
        if (!result || reserved != 0) return ERROR_INVALID_PARAMETER;
        *result = nullptr;
        RegKey parent;
        if (!LookUp(root, parent)) return ERROR_INVALID_HANDLE;
        if (!(parent.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
        std::string path;
        if (!JoinPath(parent.path, subKey, path)) return ERROR_INVALID_PARAMETER;

        bool created = false;
        // Most opens find the key; they need neither the lock nor a write.
        if (!KeyInFile(path)) {
            auto paths = reg::LocateStore();
            if (!paths) return ERROR_PATH_NOT_FOUND;
            LONG rc = reg::UpdateStore(*paths, [&](const std::string& text) {
                reg::EditResult r;
                r.text = reg::WithKey(text, path);
                created = r.text.has_value();
                return r;
            });
            if (rc != ERROR_SUCCESS) return rc;
        }
        if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        *result = NewHandle(std::move(path), access);
        return ERROR_SUCCESS;
    });
}

LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
    return Guarded([&]() -> LONG {
        RegKey k;
        if (!LookUp(key, k)) return ERROR_INVALID_HANDLE;
        if (reserved || (data && !size)) return ERROR_INVALID_PARAMETER;
        if (!(k.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;

        reg::DecodedFile file;
        if (auto paths = reg::LocateStore()) file = reg::LoadStore(paths->file);
        if (file.kind == reg::FileKind::NotRegistry) file.text.clear();
        reg::ValueData value;
        switch (reg::FindValue(file.text, k.path, name ? name : "", value)) {
        case reg::Lookup::NoKey:
            return ERROR_KEY_DELETED;
        case reg::Lookup::NoValue:
            return ERROR_FILE_NOT_FOUND;
        case reg::Lookup::Found:
            break;
        }
        if (value.bytes.size() > 0xFFFFFFFFu) return ERROR_MORE_DATA;
        auto need = static_cast<DWORD>(value.bytes.size());
        if (type) *type = value.type;
        if (data) {
            if (*size < need) {
                *size = need;
                return ERROR_MORE_DATA;
            }
            std::memcpy(data, value.bytes.data(), need);
        }
        if (size) *size = need;
        return ERROR_SUCCESS;
    });
}

LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
    return Guarded([&]() -> LONG {
        RegKey k;
        if (!LookUp(key, k)) return ERROR_INVALID_HANDLE;
        std::string_view valueName = name ? name : "";
        if (reserved != 0 || (!data && size > 0) || !IsValidName(valueName)) return ERROR_INVALID_PARAMETER;
        if (!(k.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
        auto paths = reg::LocateStore();
        if (!paths) return ERROR_PATH_NOT_FOUND;

        std::string_view bytes(reinterpret_cast<const char*>(data), data ? size : 0);
        return reg::UpdateStore(*paths, [&](const std::string& text) {
            reg::EditResult r;
            r.text = reg::WithValue(text, k.path, valueName, type, bytes);
            if (!r.text) r.status = ERROR_KEY_DELETED;
            return r;
        });
    });
}

LONG RegCloseKey(HKEY key) {
    if (key == &gCurrentUser) return ERROR_SUCCESS;
    {
        std::lock_guard lock(gHandlesMutex);
        if (gHandles.erase(key) == 0) return ERROR_INVALID_HANDLE;
    }
    delete key;
    return ERROR_SUCCESS;
}

} // namespace vcl
