#include "settings/settingsstore.h"

#include <limits>

#include "platform/exception.h"
#include "platform/registry.h"

namespace {

// Written as an absolute path from the root; the registry calls take it
// relative, so the leading backslash goes before each call.
constexpr const char* kKeyPath = "\\Software\\Kestrun\\Tolvane";

const char* RelativeKeyPath() { return kKeyPath[0] == '\\' ? kKeyPath + 1 : kKeyPath; }

// Closes the key on every way out, the throwing ones included.
class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey() {
        if (key_) vcl::RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    vcl::HKEY* out() { return &key_; }
    vcl::HKEY get() const { return key_; }

private:
    vcl::HKEY key_ = nullptr;
};

[[noreturn]] void Fail(const char* format, const std::string& name) {
    throw vcl::ERegistryException(vcl::FormatMessage1(format, name));
}

} // namespace

std::string ReadSetting(const std::string& name) {
    OpenKey key;
    if (vcl::RegOpenKeyExA(vcl::HKEY_CURRENT_USER, RelativeKeyPath(), 0, vcl::KEY_ALL_ACCESS, key.out()) !=
        vcl::ERROR_SUCCESS)
        return {};
    vcl::DWORD type = vcl::REG_NONE;
    vcl::DWORD size = 0;
    if (vcl::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != vcl::ERROR_SUCCESS ||
        size == 0)
        return {};
    std::string data(size, '\0');
    if (vcl::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<vcl::BYTE*>(data.data()),
                              &size) != vcl::ERROR_SUCCESS)
        Fail("Failed to get data for '%s'", name);
    if (type != vcl::REG_SZ && type != vcl::REG_EXPAND_SZ) Fail("Invalid data type for '%s'", name);
    data.resize(size);
    if (auto zero = data.find('\0'); zero != std::string::npos) data.resize(zero);
    return data;
}

void WriteSetting(const std::string& name, const std::string& value) {
    OpenKey key;
    // A failed create leaves no key; the set below then fails and reports it.
    vcl::RegCreateKeyExA(vcl::HKEY_CURRENT_USER, RelativeKeyPath(), 0, nullptr, vcl::REG_OPTION_NON_VOLATILE,
                         vcl::KEY_ALL_ACCESS, nullptr, key.out(), nullptr);
    if (value.size() > std::numeric_limits<vcl::DWORD>::max() ||
        vcl::RegSetValueExA(key.get(), name.c_str(), 0, vcl::REG_SZ,
                            reinterpret_cast<const vcl::BYTE*>(value.data()),
                            static_cast<vcl::DWORD>(value.size())) != vcl::ERROR_SUCCESS)
        Fail("Failed to set data for '%s'", name);
}

bool FlagIsOn(const std::string& text) { return text == "YES"; }
