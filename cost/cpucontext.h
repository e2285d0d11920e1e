#pragma once

// Indexes of the two prices a cost model knows.
constexpr int ADDITION = 0;
constexpr int MULTIPLICATION = 1;

// A cost model: the price of one addition and of one multiplication, in abstract time units.
class CPUContext {
 public:
  CPUContext(float additionCost, float multiplicationCost);
  CPUContext(const CPUContext&) = default;
  CPUContext& operator=(const CPUContext&) = default;
  virtual ~CPUContext() = default;  // inline: contexts are copied into every evaluate

  // The price of ADDITION or MULTIPLICATION; 0 for any other index.
  float cost(int kind) const;

 private:
  float additionCost;
  float multiplicationCost;
};
