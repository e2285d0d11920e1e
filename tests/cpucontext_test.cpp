#include "cost/cpucontext.h"

#include <gtest/gtest.h>

namespace {

TEST(CPUContext, AnswersEachPriceByIndex) {
  const CPUContext context(2.0f, 4.0f);
  EXPECT_EQ(context.cost(ADDITION), 2.0f);
  EXPECT_EQ(context.cost(MULTIPLICATION), 4.0f);
  for (int other : {2, -1, 100}) EXPECT_EQ(context.cost(other), 0.0f);
}

}  // namespace
