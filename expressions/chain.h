#pragma once

#include <cstddef>
#include <vector>

// The nodes met by following a link from a start node, in reverse: [0] is the last node met
// and [size() - 1] the start. Along the `left` links of a sum or product this is text order.
// Chains are short as a rule, so up to INLINE nodes are held without touching the heap; any
// length works.
template <typename Node>
class Chain {
 public:
  // `next(node)` follows the link, giving null at the end.
  template <typename Next>
  Chain(const Node* start, Next next) {
    for (const Node* node = start; node != nullptr; node = next(node)) push(node);
  }

  std::size_t size() const { return count; }
  const Node* operator[](std::size_t i) const { return at(count - 1 - i); }

 private:
  static constexpr std::size_t INLINE = 16;

  void push(const Node* node) {
    if (count < INLINE) {
      inlineNodes[count] = node;
    } else {
      heapNodes.push_back(node);
    }
    ++count;
  }

  const Node* at(std::size_t fromLast) const {
    return fromLast < INLINE ? inlineNodes[fromLast] : heapNodes[fromLast - INLINE];
  }

  const Node* inlineNodes[INLINE];
  std::vector<const Node*> heapNodes;
  std::size_t count = 0;
};
