# Writes the bytes of the compiled catalogue as C++: cmake -DCATALOGUE=... -DOUTPUT=... -P
file(READ ${CATALOGUE} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," listed "${hex}")
file(WRITE ${OUTPUT} "// Generated from po/zh_TW.po by the build; not to be edited.
#include \"support/catalogues.h\"

namespace {
const char catalogue[] = {${listed}};
}  // namespace

const std::string_view ZH_TW(catalogue, sizeof catalogue);
")
