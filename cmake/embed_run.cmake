# Script mode: writes a C++ file holding every file of FILES (separated by |) as a byte array.
string(REPLACE "|" ";" FILES "${FILES}")
set(body "// Generated: resources compiled into the binary.\n#include \"platform/resources.h\"\n#include \"platform/exception.h\"\n#include <string>\nnamespace {\n")
set(table "")
set(n 0)
foreach(f IN LISTS FILES)
  get_filename_component(name ${f} NAME)
  file(READ ${f} hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char r${n}[] = {${bytes}0};\n")
  string(APPEND table "  {\"${name}\", r${n}, ${size}},\n")
  math(EXPR n "${n} + 1")
endforeach()
string(APPEND body "}\nnamespace vcl {\nconst EmbeddedResource kEmbeddedResources[] = {\n${table}  {nullptr, nullptr, 0}};\n\n"
  "std::string_view FindResource(std::string_view name) {\n"
  "    for (const EmbeddedResource* r = kEmbeddedResources; r->name; ++r)\n"
  "        if (name == r->name) return {reinterpret_cast<const char*>(r->data), r->size};\n"
  "    throw Exception(\"Resource not found: \" + std::string(name));\n"
  "}\n}\n")
file(WRITE ${OUTPUT}.tmp "${body}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
