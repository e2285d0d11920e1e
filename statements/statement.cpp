#include "statements/statement.h"

Statement::~Statement() = default;
