# Writes a C++ source that holds text files as string constants, so that the served pages'
# scripts and styles stay files that editors and linters read, and still travel inside the
# programs.
#   cmake -DOUTPUT=x.cpp -DINCLUDE=reader/ReaderAssets.h -DNAMESPACE=nbx::reader
#         -DASSETS="FunctionName=path|..." -P EmbedAssets.cmake
set(text "// Generated from the files named below; edit those, not this.\n")
string(APPEND text "#include \"${INCLUDE}\"\n\nnamespace ${NAMESPACE} {\n")
string(REPLACE "|" ";" ASSETS "${ASSETS}")
foreach(pair ${ASSETS})
    string(FIND "${pair}" "=" at)
    string(SUBSTRING "${pair}" 0 ${at} name)
    math(EXPR from "${at} + 1")
    string(SUBSTRING "${pair}" ${from} -1 path)
    file(READ "${path}" content)
    string(FIND "${content}" ")nbxasset\"" clash)
    if(NOT clash EQUAL -1)
        message(FATAL_ERROR "${path} holds the text that ends an embedded asset")
    endif()
    string(APPEND text "\n// ${path}\nstd::string_view ${name}() {\n"
           "    static constexpr char kText[] = R\"nbxasset(${content})nbxasset\";\n"
           "    return {kText, sizeof kText - 1};\n}\n")
endforeach()
string(APPEND text "\n}  // namespace ${NAMESPACE}\n")
file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
