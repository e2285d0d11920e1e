#include "cost/complexity.h"

#include "cost/nodepool.h"

Complexity::~Complexity() = default;

void* Complexity::operator new(std::size_t size) { return NodePool::allocate(size); }

void Complexity::operator delete(void* node, std::size_t size) { NodePool::release(node, size); }
