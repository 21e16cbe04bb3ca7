#pragma once
// Resource files (form descriptions, pictures) compiled into the binary; the
// build generates the table and FindResource into the program, not the library.
#include <cstddef>
#include <string_view>

namespace vcl {

struct EmbeddedResource {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

// The build generates this table, ended by a null name.
extern const EmbeddedResource kEmbeddedResources[];

// The bytes of the named resource; throws vcl::Exception when there is none.
std::string_view FindResource(std::string_view name);

} // namespace vcl
