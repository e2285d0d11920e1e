// Installation and the Debian package, made into scratch directories: nothing is installed on
// the machine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/runtool.h"

namespace fs = std::filesystem;

namespace {

// Runs a shell command; returns its standard output, or fails the test.
std::string output(const std::string& command, const ScratchDirectory& scratch) {
  const std::string file = scratch.path("output");
  EXPECT_EQ(std::system((command + " > '" + file + "' 2>&1").c_str()), 0) << readFile(file);
  return readFile(file);
}

const char* const INSTALLED[] = {"usr/bin/loopcost", "usr/share/man/man1/loopcost.1.gz",
                                 "usr/share/man/zh_TW/man1/loopcost.1.gz",
                                 "usr/share/locale/zh_TW/LC_MESSAGES/loopcost.mo"};

TEST(Install, PutsTheToolItsManualPagesAndCatalogueUnderThePrefix) {
  const ScratchDirectory scratch;
  output("'" CMAKE_COMMAND "' --install '" BUILD_DIR "' --prefix '" + scratch.path("usr") + "'",
         scratch);
  for (const char* file : INSTALLED) EXPECT_TRUE(fs::exists(scratch.path(file))) << file;
}

TEST(Package, HoldsWhatIsInstalledWithComputedDependencies) {
  const ScratchDirectory scratch;
  output("cd '" + scratch.path() +
             "' && '" CPACK_COMMAND "' --config '" BUILD_DIR "/CPackConfig.cmake' -B '" +
             scratch.path() + "'",
         scratch);
  const std::string deb = scratch.path("loopcost_" PROJECT_VERSION "_amd64.deb");
  ASSERT_TRUE(fs::exists(deb));

  const std::string contents = output("dpkg-deb --contents '" + deb + "'", scratch);
  for (const char* file : INSTALLED) {
    EXPECT_NE(contents.find("./" + std::string(file) + "\n"), std::string::npos) << contents;
  }

  const std::string info = output("dpkg-deb --info '" + deb + "'", scratch);
  for (const char* field :
       {" Package: loopcost\n", " Version: " PROJECT_VERSION "\n", " Section: utils\n",
        " Description: estimate the running time of loop-language programs as polynomials in n\n"
        "  loopcost reads the names of program files"}) {
    EXPECT_NE(info.find(field), std::string::npos) << field << " in\n" << info;
  }
  // Sanitizer builds add their own run-time libraries to the list.
  const std::size_t depends = info.find(" Depends: ");
  ASSERT_NE(depends, std::string::npos) << info;
  const std::string dependencies = info.substr(depends, info.find('\n', depends) - depends);
  EXPECT_NE(dependencies.find("libc6 ("), std::string::npos) << dependencies;
}

}  // namespace
