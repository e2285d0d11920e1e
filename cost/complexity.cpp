#include "cost/complexity.h"

Complexity::~Complexity() = default;
