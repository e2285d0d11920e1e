#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// The nodes met by following a link from a start node, in the order met: [0] is the start.
// `reversed()` walks them back to front. Chains are short as a rule, so up to INLINE nodes are
// held without touching the heap; any length works. The rest go into heap blocks of BLOCK
// nodes, which are never moved: a growing array would copy a chain of a million nodes some
// twenty times over.
template <typename Node>
class Chain {
 public:
  // `next(node)` follows the link, giving null at the end.
  template <typename Next>
  Chain(const Node* start, Next next) {
    for (const Node* node = start; node != nullptr; node = next(node)) push(node);
  }

  std::size_t size() const { return count; }
  const Node* operator[](std::size_t i) const {
    return i < INLINE ? inlineNodes[i] : blocks[(i - INLINE) / BLOCK][(i - INLINE) % BLOCK];
  }

  // A view of the chain from its last node met back to its start.
  class Reversed {
   public:
    class Iterator {
     public:
      Iterator(const Chain& chain, std::size_t remaining) : chain(chain), remaining(remaining) {}
      const Node* operator*() const { return chain[remaining - 1]; }
      Iterator& operator++() {
        --remaining;
        return *this;
      }
      bool operator!=(const Iterator& other) const { return remaining != other.remaining; }

     private:
      const Chain& chain;
      std::size_t remaining;
    };

    explicit Reversed(const Chain& chain) : chain(chain) {}
    Iterator begin() const { return Iterator(chain, chain.size()); }
    Iterator end() const { return Iterator(chain, 0); }

   private:
    const Chain& chain;
  };

  Reversed reversed() const { return Reversed(*this); }

 private:
  static constexpr std::size_t INLINE = 16;
  static constexpr std::size_t BLOCK = 1024;

  void push(const Node* node) {
    if (count < INLINE) {
      inlineNodes[count] = node;
    } else {
      const std::size_t i = count - INLINE;
      if (i % BLOCK == 0) {
        std::unique_ptr<const Node*[]> block(new const Node*[BLOCK]);  // left uninitialised
        blocks.push_back(std::move(block));
      }
      blocks[i / BLOCK][i % BLOCK] = node;
    }
    ++count;
  }

  const Node* inlineNodes[INLINE];
  std::vector<std::unique_ptr<const Node*[]>> blocks;
  std::size_t count = 0;
};

// Deletes the nodes after `node` along `link` one at a time, emptying the link as it goes:
// letting each destructor delete the next would nest one call per node.
template <typename Node>
void deleteRest(Node& node, Node* Node::*link) {
  while (node.*link != nullptr) {
    Node* next = node.*link;
    node.*link = next->*link;
    next->*link = nullptr;
    delete next;
  }
}

// 1 when the chains from `mine` and `theirs` along `link` have the same length and
// `partsEqual` holds for every pair of nodes, compared from the start; else 0.
template <typename Node, typename PartsEqual>
int chainsEqual(const Node* mine, const Node* theirs, Node* Node::*link, PartsEqual partsEqual) {
  for (;;) {
    if ((mine->*link == nullptr) != (theirs->*link == nullptr)) return 0;
    if (!partsEqual(mine, theirs)) return 0;
    if (mine->*link == nullptr) return 1;
    mine = mine->*link;
    theirs = theirs->*link;
  }
}
