# Writes the bytes of the compiled catalogues as C++: cmake -DUTF8=... [-DBIG5=...] -DOUTPUT=...
# -P; without BIG5 the Big5 catalogue is empty.
function(bytes_of file result)
  set(hex "")
  if(file)
    file(READ ${file} hex HEX)
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," listed "${hex}")
  set(${result} "${listed}" PARENT_SCOPE)
endfunction()
bytes_of("${UTF8}" utf8)
bytes_of("${BIG5}" big5)
file(WRITE ${OUTPUT} "// Generated from po/zh_TW.po by the build; not to be edited.
#include \"support/catalogues.h\"

namespace {
const char utf8[] = {${utf8}};
const char big5[] = {${big5}'\\0'};
}  // namespace

const std::string_view ZH_TW_UTF8(utf8, sizeof utf8);
const std::string_view ZH_TW_BIG5(big5, sizeof big5 - 1);
")
