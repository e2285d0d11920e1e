#include "cost/cpucontext.h"

CPUContext::CPUContext(float additionCost, float multiplicationCost)
    : additionCost(additionCost), multiplicationCost(multiplicationCost) {}

float CPUContext::cost(int kind) const {
  if (kind == ADDITION) return additionCost;
  if (kind == MULTIPLICATION) return multiplicationCost;
  return 0.0f;
}
