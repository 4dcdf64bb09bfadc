# Turns a binary file into a C++ source that holds its bytes:
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAMESPACE=ns -DNAME=name -P embedbytes.cmake
# The bytes become string literals of \x escapes (each escape ends where the
# next backslash starts), which compilers take far faster than a list of numbers.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
# 32 bytes to a line.
string(REPEAT "[0-9a-f]" 64 line)
string(REGEX REPLACE "(${line})" "\\1\"\n\"" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT} by embedbytes.cmake; do not edit.\n"
    "#include <cstddef>\n\n"
    "namespace ${NAMESPACE} {\n"
    "extern const char ${NAME}[];\n"
    "extern const std::size_t ${NAME}Size;\n"
    "const char ${NAME}[] =\n\"${escaped}\";\n"
    "const std::size_t ${NAME}Size = ${size};\n"
    "} // namespace ${NAMESPACE}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
