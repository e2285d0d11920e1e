#include "support/streamwriter.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

TEST(StreamWriter, WritesPiecesOfAnyLengthAndBlanks) {
  const std::string longPiece(600, 'x');  // more than the writer holds
  std::ostringstream os;
  {
    StreamWriter out(os);
    out.blanks(300);
    out.put('a');
    out.write(" + ", 3);
    out.write(longPiece.data(), longPiece.size());
    out.blanks(-1);
  }
  EXPECT_EQ(os.str(), std::string(300, ' ') + "a + " + longPiece);
  EXPECT_TRUE(os.good());
}

TEST(StreamWriter, WritesNothingToAStreamThatIsNotGoodLikeInsertion) {
  for (const auto state : {std::ios::eofbit, std::ios::failbit, std::ios::badbit}) {
    std::ostringstream os;
    std::ostringstream inserted;
    os.setstate(state);
    inserted.setstate(state);
    {
      StreamWriter out(os);
      out.put('a');
      out.blanks(3);
    }
    inserted << 'a' << "   ";
    EXPECT_EQ(os.str(), "");
    EXPECT_EQ(os.rdstate(), inserted.rdstate());
  }
}

TEST(StreamWriter, SetsBadbitWhenTheBufferRefuses) {
  std::stringbuf readOnly("text", std::ios::in);
  std::ostream os(&readOnly);
  {
    StreamWriter out(os);
    out.put('a');
    out.put('b');
  }
  EXPECT_TRUE(os.bad());
}

}  // namespace
